// What SEND's failures say, from the browser's errors: which failures say nothing, which words
// each stage and platform gets, and that the browser's own account reaches the user without the
// name of the script's call.
import assert from "node:assert/strict";
import { describe, it } from "node:test";

import { failureWords as wordsWith, platformOf } from "../../src/serial_words.ts";

const PARTLY_SENT = {
  line: "The port is closed again, and the tracker got only part of its settings. Check the cable.",
  heldUp: "The tracker got only part of its settings. Keep the computer awake.",
};
const failureWords = (error, stage, platform, lostBefore) => wordsWith(error, stage, platform, PARTLY_SENT, lostBefore);

const browser = (userAgent, platform) => ({ userAgent, platform });
const error = (name, message = "Failed to execute 'open' on 'SerialPort': Failed to open serial port.") =>
  new DOMException(message, name);

describe("platformOf", () => {
  it("tells Linux, Windows, macOS and Android apart from the rest, ChromeOS among the rest", () => {
    assert.equal(platformOf(browser("Mozilla/5.0 (X11; Linux x86_64)", "Linux x86_64")), "linux");
    assert.equal(platformOf(browser("Mozilla/5.0 (Windows NT 10.0; Win64; x64)", "Win32")), "windows");
    // ChromeOS reports a Linux platform, but its users have no dialout group to join.
    assert.equal(platformOf(browser("Mozilla/5.0 (X11; CrOS x86_64 14541.0.0)", "Linux x86_64")), "other");
    assert.equal(platformOf(browser("Mozilla/5.0 (Macintosh; Intel Mac OS X 10_15_7)", "MacIntel")), "mac");
    // Android reports a Linux platform too.
    assert.equal(platformOf(browser("Mozilla/5.0 (Linux; Android 14; Pixel 8)", "Linux armv81")), "android");
  });
});

describe("failureWords", () => {
  it("says nothing of a cancelled chooser, but does of a port that went missing later", () => {
    assert.equal(failureWords(error("NotFoundError"), "choose", "linux"), null);
    for (const stage of ["open", "line"]) assert.notEqual(failureWords(error("NotFoundError"), stage, "linux"), null);
  });

  it("gives a policy's refusal the same words at every stage", () => {
    const words = ["choose", "open", "line"].map((stage) => failureWords(error("SecurityError"), stage, "windows"));
    assert.match(words[0].text, /does not let this page use serial ports/);
    assert.deepEqual(words[1], words[0]);
    assert.deepEqual(words[2], words[0]);
  });

  it("shows the browser's account without the call that failed, and any thrown value", () => {
    assert.equal(
      failureWords(error("NetworkError"), "open", "other").text,
      "Cannot open the serial port: Failed to open serial port.",
    );
    assert.equal(failureWords("the device vanished", "line", "other").text.endsWith(": the device vanished"), true);
  });

  it("gives a send held up past the tracker's wait in the core's words, not as a failing port", () => {
    const heldUp = new Error("The send was held up: the rest would reach the tracker too late.");
    assert.deepEqual(failureWords(heldUp, "heldUp", "linux"), { text: heldUp.message, detail: PARTLY_SENT.heldUp });
  });

  it("tells what to do about a port that does not open, by platform, or after a failed send", () => {
    const open = (platform, lostBefore = false) =>
      failureWords(error("NetworkError"), "open", platform, lostBefore).detail;
    // The likely causes in order, numbered: another program first, then the system's own.
    assert.match(
      open("linux"),
      /^1\. Another program[\s\S]*\n2\. [\s\S]*sudo usermod -aG dialout \$USER[\s\S]*\n3\. [\s\S]*snap connect chromium:raw-usb/,
    );
    assert.match(open("windows"), /one program at a time[\s\S]*\n2\. The adapter's driver/);
    assert.match(open("mac"), /\n2\. The adapter's driver/);
    assert.doesNotMatch(open("other"), /dialout|Windows|driver/);
    for (const platform of ["linux", "windows", "other"]) assert.match(open(platform, true), /unplugged/);
    assert.equal(failureWords(error("BreakError"), "line", "linux").detail, PARTLY_SENT.line);
  });
});
