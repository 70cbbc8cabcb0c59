// What the user reads when SEND cannot reach the tracker: the browser's own words where it has
// some, and below them what to do about it, in the terms of the desktop program's port doctor.

/** A message box's text and, below it, what to do. */
export interface Words {
  text: string;
  detail: string;
}

/** Where SEND was when it failed: choosing the port, opening it, or on the line. */
export type SendStage = "choose" | "open" | "line";

export type Platform = "linux" | "windows" | "other";

export function platformOf(navigator: Navigator): Platform {
  if (/CrOS/.test(navigator.userAgent)) return "other";
  if (/^Linux/.test(navigator.platform)) return "linux";
  if (/^Win/.test(navigator.platform)) return "windows";
  return "other";
}

/** SEND in a browser that offers no serial port to this page. */
export function noSerialWords(secureContext: boolean): Words {
  if (!secureContext) {
    return {
      text: "SEND needs this page from a secure address.",
      detail:
        "Browsers offer serial ports only to pages from an https:// address or from this computer " +
        "(http://localhost). Open the page that way, then press SEND again.",
    };
  }
  return {
    text: "This browser has no Web Serial, which SEND needs to reach the tracker.",
    detail:
      "Web Serial is in the Chromium family of browsers: Chrome, Edge, Opera and Chromium, on " +
      "Windows, macOS, Linux and ChromeOS; Firefox and Safari do not have it. Open this page in " +
      "one of those, or use the desktop program.",
  };
}

// "Failed to execute 'open' on 'SerialPort': Failed to open serial port." says where the script
// was, which the user does not need; the rest is the browser's own account.
function browserWords(error: unknown): string {
  const message = error instanceof Error ? error.message : String(error);
  return message.replace(/^Failed to execute '[^']*' on '[^']*': /, "");
}

function errorName(error: unknown): string {
  return error instanceof Error ? error.name : "";
}

/** SEND or Change port on a page shown in another site's frame. */
export const FRAMED: Words = {
  text: "SEND does not work inside another site's page.",
  detail:
    "Another site shows this page in a frame, where it could press SEND or choose a port without " +
    "your knowledge. Open the page in a tab or window of its own, then press SEND again.",
};

/** Below the desktop's words for an empty Comm num, what it means on the page. */
export const COMM_NUM_DETAIL =
  "The browser chooses the port here; Comm num names it in the progress text and in the .cfg file, " +
  "as in the desktop program. Fill in its number, then press SEND again.";

const FORBIDDEN: Words = {
  text: "This browser does not let this page use serial ports.",
  detail:
    "Its site settings for this page, or its administrator's policy, forbid serial ports: allow " +
    "them for this page, then press SEND again.",
};

function cannotOpen(platform: Platform): string {
  const busy = "Another program may have the port open: close it.";
  switch (platform) {
    case "linux":
      return (
        `${busy} Or this user may not open the port: on Linux a serial port belongs to a group, ` +
        "usually dialout, and only its members may open it. Add yourself with\n" +
        "sudo usermod -aG dialout $USER\nthen log out and in again, and press SEND again."
      );
    case "windows":
      return (
        "Windows lets one program at a time open a port: close the program that has it open, then " +
        "press SEND again."
      );
    case "other":
      break;
  }
  return `${busy} Then press SEND again.`;
}

// A port whose line failed in the last send and that does not open now has most likely gone: no
// other program took it, nor did the user's groups change.
function gone(): string {
  return (
    "It failed during the last send and has not come back: the adapter may be unplugged or the " +
    "device gone. Check the cable and the adapter, plug it in again (Change port chooses it anew), " +
    "then press SEND again."
  );
}

/**
 * The words for a SEND that failed at `stage`; none for a chooser the user cancelled. `partlySent`:
 * the core's words, as the desktop's, below a line that failed once bytes had gone out;
 * `lostBefore`: the port's line failed in the last send.
 */
export function failureWords(
  error: unknown,
  stage: SendStage,
  platform: Platform,
  partlySent: string,
  lostBefore = false,
): Words | null {
  const name = errorName(error);
  if (stage === "choose" && name === "NotFoundError") return null;
  if (name === "SecurityError") return FORBIDDEN;
  switch (stage) {
    case "choose":
      return { text: `No serial port could be chosen: ${browserWords(error)}`, detail: "Press SEND again." };
    case "open":
      return {
        text: `Cannot open the serial port: ${browserWords(error)}`,
        detail: lostBefore ? gone() : cannotOpen(platform),
      };
    case "line":
      break;
  }
  return { text: `The serial port failed during the send: ${browserWords(error)}`, detail: partlySent };
}
