// SEND in the page up to the serial port, with no port to send to: a .cfg that chooses no speed,
// a chooser the user cancels, a page served where browsers offer no serial port, and the page as
// an installable app. SEND's build against the desktop's is in page.test.mjs (the agree group),
// the real device in serial.test.mjs.
import assert from "node:assert/strict";
import { readFile } from "node:fs/promises";
import { join } from "node:path";
import { before, describe, it } from "node:test";

import { messageShown, testBed, WEB } from "./support/page.mjs";

// Resolved to the loopback by the browser, but not a secure origin as localhost is.
const PLAIN_HOST = "zelvar.test";

const bed = testBed([`--host-resolver-rules=MAP ${PLAIN_HOST} 127.0.0.1`]);

describe("SEND in the page", () => {
  // One page for the first and the last test: a page load costs a second of CPU.
  let page;
  before(async () => (page = await bed.open()));

  it("refuses a .cfg that chooses no speed; Change port asks for a port, which the user may cancel", async () => {
    await page.evaluate(() => (document.getElementById("BaudRate").selectedIndex = -1));
    await page.click("#cmdSend");
    assert.equal((await messageShown(page)).text, "Invalid line settings ',n,8,1': no speed is chosen in Baud.");
    await page.click("#changePort");
    await page.waitForFunction(() => window.zelvarChooserShown === 1);
    assert.equal(await page.isVisible("#messageBox"), false);
    assert.equal(await page.textContent("#portStatus"), "SEND asks for the serial port the first time.");
  });

  it("says where to get Web Serial on a page served over plain http from another host", async () => {
    const plain = await bed.open(bed.server.url.replace("127.0.0.1", PLAIN_HOST));
    assert.equal(await plain.evaluate(() => window.isSecureContext || "serial" in navigator), false);
    assert.equal(await plain.textContent("#portStatus"), "SEND needs this page from a secure address.");
    for (const button of ["#cmdSend", "#changePort"]) {
      await plain.click(button);
      const shown = await messageShown(plain);
      assert.equal(shown.text, "SEND needs this page from a secure address.");
      assert.match(shown.detail, /https:\/\/.*localhost/);
    }
    // Enabled again once the box has closed, which the browser reports after the click.
    await plain.waitForSelector("#cmdSend:enabled", { timeout: 5000 });
    await plain.close();
  });

  it("is an installable app with its own icon", async () => {
    const cdp = await bed.browser.context.newCDPSession(page);
    const { installabilityErrors } = await cdp.send("Page.getInstallabilityErrors");
    assert.deepEqual(installabilityErrors, []);
    const { url } = await cdp.send("Page.getAppManifest");
    const manifest = JSON.parse(await readFile(join(WEB, new URL(url).pathname), "utf8"));
    assert.equal(manifest.display, "standalone");
    for (const icon of manifest.icons) assert.equal((await fetch(new URL(icon.src, url))).status, 200, icon.src);
    assert.deepEqual(bed.problems, []);
  });
});
