// What the user reads when SEND cannot reach the tracker: the browser's own words where it has
// some, and below them what to do about it, in the terms of the desktop program's port doctor.

import { pageText, type PageTextKey } from "./page_texts.js";
import { thrownMessage } from "./thrown_message.js";

/** A message box's text and, below it, what to do. */
export interface Words {
  text: string;
  detail: string;
}

/**
 * Where SEND was when it failed: choosing the port, opening it, on the line, or held up between its
 * writes for longer than the tracker waits (the core's words say so).
 */
export type SendStage = "choose" | "open" | "line" | "heldUp";

export type Platform = "linux" | "windows" | "mac" | "android" | "other";

export function platformOf(navigator: Pick<Navigator, "userAgent" | "platform">): Platform {
  // Android and ChromeOS report a Linux platform, but their users have no dialout group to join.
  if (/Android/.test(navigator.userAgent)) return "android";
  if (/CrOS/.test(navigator.userAgent)) return "other";
  if (/^Linux/.test(navigator.platform)) return "linux";
  if (/^Win/.test(navigator.platform)) return "windows";
  if (/^Mac/.test(navigator.platform)) return "mac";
  return "other";
}

/** SEND in a browser that offers no serial port to this page. */
export function noSerialWords(secureContext: boolean, platform: Platform): Words {
  if (!secureContext) return { text: pageText("insecureText"), detail: pageText("insecureDetail") };
  const detail = platform === "android" ? "noSerialAndroidDetail" : "noSerialDetail";
  return { text: pageText("noSerialText"), detail: pageText(detail) };
}

// "Failed to execute 'open' on 'SerialPort': Failed to open serial port." says where the script
// was, which the user does not need; the rest is the browser's own account.
function browserWords(error: unknown): string {
  return thrownMessage(error).replace(/^Failed to execute '[^']*' on '[^']*': /, "");
}

function errorName(error: unknown): string {
  return error instanceof Error ? error.name : "";
}

// Each text is looked up when it is shown: the page's catalogue comes after its modules are read.

/** SEND or Connect on a page shown in another site's frame. */
export function framedWords(): Words {
  return { text: pageText("framedText"), detail: pageText("framedDetail") };
}

/** Below the desktop's words for an empty Comm num, what it means on the page. */
export function commNumDetail(): string {
  return pageText("commNumDetail");
}

/** Serial ports forbidden to this page, by the host's Permissions-Policy, its settings or a policy. */
export function forbiddenWords(): Words {
  return { text: pageText("forbiddenText"), detail: pageText("forbiddenDetail") };
}

// The likely causes of a port that does not open, the likeliest first, numbered.
function cannotOpen(platform: Platform): string {
  const causes: PageTextKey[] = [];
  switch (platform) {
    case "linux":
      causes.push("causeBusy", "causeGroup", "causeSnap");
      break;
    case "windows":
      causes.push("causeBusyWindows", "causeDriverOld");
      break;
    case "mac":
      causes.push("causeBusy", "causeDriver");
      break;
    case "android":
    case "other":
      causes.push("causeBusy");
      break;
  }
  causes.push("causeUnplugged");
  return `${causes.map((cause, i) => `${i + 1}. ${pageText(cause)}`).join("\n")}\n${pageText("causesThen")}`;
}

/** What to do once bytes had gone out: after a line that failed, and after a send held up. */
export interface PartlySentWords {
  line: string;
  heldUp: string;
}

/**
 * The words for a SEND that failed at `stage`; none for a chooser the user cancelled. `partlySent`:
 * the core's words, as the desktop's, below a failure once bytes had gone out;
 * `lostBefore`: the port's line failed in the last send.
 */
export function failureWords(
  error: unknown,
  stage: SendStage,
  platform: Platform,
  partlySent: PartlySentWords,
  lostBefore = false,
): Words | null {
  const name = errorName(error);
  if (stage === "choose" && name === "NotFoundError") return null;
  if (name === "SecurityError") return forbiddenWords();
  switch (stage) {
    case "choose":
      return { text: pageText("chooseFailed", browserWords(error)), detail: pageText("pressSendAgain") };
    case "open":
      return {
        text: pageText("openFailed", browserWords(error)),
        // A port whose line failed in the last send and that does not open now has most likely
        // gone: no other program took it, nor did the user's groups change.
        detail: lostBefore ? pageText("goneDetail") : cannotOpen(platform),
      };
    case "heldUp":
      return { text: thrownMessage(error), detail: partlySent.heldUp };
    case "line":
      break;
  }
  return { text: pageText("lineFailed", browserWords(error)), detail: partlySent.line };
}
