// What the user reads when SEND cannot reach the tracker: the browser's own words where it has
// some, and below them what to do about it, in the terms of the desktop program's port doctor.

/** A message box's text and, below it, what to do. */
export interface Words {
  text: string;
  detail: string;
}

/** Where SEND was when it failed: choosing the port, opening it, or on the line. */
export type SendStage = "choose" | "open" | "line";

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
  if (!secureContext) {
    return {
      text: "SEND needs this page from a secure address.",
      detail:
        "Browsers offer serial ports only to pages from an https:// address or from this computer " +
        "(http://localhost). Open the page that way, then press SEND again.",
    };
  }
  const text = "This browser has no Web Serial, which SEND needs to reach the tracker.";
  if (platform === "android") {
    return { text, detail: "Chrome for Android has it in its recent versions: update Chrome, or use a computer." };
  }
  return {
    text,
    detail:
      "Web Serial is in the Chromium family of browsers: Chrome, Edge, Opera and Chromium, on " +
      "Windows, macOS, Linux and ChromeOS, and in recent Chrome for Android; Firefox and Safari do " +
      "not have it, nor any browser on an iPhone or iPad. Open this page in one of those, or use " +
      "the desktop program.",
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

// The likely causes of a port that does not open, the likeliest first, numbered.
function cannotOpen(platform: Platform): string {
  const busy = "Another program has the port open (a terminal, another configurator): close it.";
  const causes: string[] = [];
  switch (platform) {
    case "linux":
      causes.push(
        busy,
        "This user may not open it: on Linux a serial port belongs to a group, usually dialout, and " +
          "only its members may open it. Add yourself with\nsudo usermod -aG dialout $USER\nthen log " +
          "out and in again.",
        "A Chromium installed as a snap needs its raw-usb connection:\nsudo snap connect chromium:raw-usb",
      );
      break;
    case "windows":
      causes.push(
        "Another program has the port open: Windows lets one program at a time open a port. Close it.",
        "The adapter's driver is missing or old: install the one for its chip from the chip's maker.",
      );
      break;
    case "mac":
      causes.push(busy, "The adapter's driver is missing: install the one for its chip from the chip's maker.");
      break;
    case "android":
    case "other":
      causes.push(busy);
      break;
  }
  causes.push("The adapter was unplugged or has lost power: plug it in again.");
  return `${causes.map((cause, i) => `${i + 1}. ${cause}`).join("\n")}\nThen press SEND again.`;
}

// A port whose line failed in the last send and that does not open now has most likely gone: no
// other program took it, nor did the user's groups change.
function gone(): string {
  return (
    "It failed during the last send and has not come back: the adapter may be unplugged or the " +
    "device gone. Check the cable and the adapter, plug it in again (Connect chooses it anew), " +
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
