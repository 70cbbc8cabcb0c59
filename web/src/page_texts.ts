// The texts only the page shows (the connection area, the first steps, the help for a port that
// is not listed, what SEND says when it cannot reach the port), in one place for the translators'
// catalogue. index.html asks for them by key as for the core's ("{{connect}}"), and there, as in
// the core's, "&" marks a key letter and "&&" is an ampersand; the page's code reads them here.
// The texts both front ends show are the core's.
import { withValues } from "./with_values.js";

export const PAGE_TEXTS = {
  language: "Language",
  startFailed: "Zelvar Config could not start: %1",
  coreFailed: "its core, zelvar.js and zelvar.wasm, did not load from the site.",
  coreFailedDetail:
    "Reload the page. If it stays so, the site's files are incomplete or damaged: its keeper may be updating it. The browser said: %1",
  startFromDisk:
    "Opened from the disk, the page cannot load its parts: the browser refuses them to a file:// address. Serve its folder with a web server (python3 -m http.server 8124 in that folder) and open http://localhost:8124/.",
  pageFault: "Zelvar Config met an error: %1",
  saveAs: "Save as",
  previewTitle: "SEND &Preview",
  manualEnglish: "The manual is in English.",
  manualBlocked: "The browser kept %1 from opening: allow this page to open windows.",
  markBytes: "Mark bytes %1: %2",
  adapter: "Adapter:",
  adapterNone: "None chosen yet",
  adapterMany: "One of %1 ports this page may use: SEND asks which",
  adapterNoUsbId: "Serial port without a USB id",
  adapterUsb: "USB %1",
  stateNone: "not chosen",
  stateReady: "ready",
  stateSending: "sending",
  stateLost: "lost",
  stateUnavailable: "no Web Serial",
  lostHint: "Plug the adapter in again: the page finds it by its USB ids. Or press Connect to choose a port.",
  connect: "Connect",
  change: "Change",

  serialAndroid:
    "On Android, SEND reaches USB adapters that need no driver (CDC-ACM) and paired Bluetooth serial devices. An adapter whose chip needs a driver on a computer (FTDI, Prolific, CH340, CP210x) may not be listed.",

  stepsTitle: "First steps",
  stepConnect: "Plug in the tracker's serial adapter and press Connect.",
  stepSettings: "Fill in your settings, or Load a .cfg file.",
  stepSend: "Press SEND, and watch the tracker's display for Transfer OK.",
  stepsHide: "Hide these steps",
  stepDone: "done",

  portHelp: "Port not listed?",
  checksTitle: "What this page can check",
  checkSerial: "This browser has Web Serial.",
  checkNoSerial: "This browser has no Web Serial: open the page in Chrome, Edge, Opera or Chromium.",
  checkSecure: "The page comes from a secure address.",
  checkInsecure: "The page does not come from a secure address: open it from https:// or http://localhost.",
  checkFramed: "The page is inside another site's page: open it in a tab of its own.",
  checkGranted: "Ports this page may use: %1.",
  checkSystem: "Your system: %1. Its advice comes first below.",
  helpCable:
    "Use a data cable. A charge-only USB cable powers the adapter but carries no data, and no port appears. Plug the adapter into the computer itself rather than an unpowered hub.",
  helpWindowsTitle: "Windows",
  helpWindows:
    "Install the driver for the adapter's chip (FTDI, Prolific, WCH CH340 or Silicon Labs CP210x) from the chip's maker. Once it works, Device Manager shows the adapter under Ports (COM && LPT).",
  helpMacTitle: "macOS",
  helpMac:
    "If the adapter is not listed, install the driver for its chip from the chip's maker, then plug it in again. System Information, under USB, shows whether the Mac sees the adapter at all.",
  helpLinuxTitle: "Linux",
  helpLinux:
    "The adapter appears as /dev/ttyUSB0 or /dev/ttyACM0. The browser opens it only for a member of the port's group, usually dialout; add yourself, then log out and in again:",
  helpLinuxGroup: "sudo usermod -aG dialout $USER",
  helpSnap: "A Chromium installed as a snap needs its raw-usb connection:",
  helpSnapCommand: "sudo snap connect chromium:raw-usb",
  helpBrltty:
    "A braille display service (brltty) may take CH340 and CP210x adapters for itself: remove it if no braille display is in use.",
  helpAndroidTitle: "Android",
  helpAndroid:
    "Plug the adapter in through a USB OTG cable or adapter. Adapters that need no driver (CDC-ACM) are listed, and so are paired Bluetooth serial devices.",

  wireBytesShow: "The 170 bytes in hex, for the expert",
  wireRangesChoose: "(choose a row to mark its bytes)",
  loadHint: "Load takes a .cfg file chosen or dropped on the page.",
  dropHint: "Drop a .cfg file to load it",
  noScript: "Zelvar Config needs JavaScript and WebAssembly.",

  insecureText: "SEND needs this page from a secure address.",
  insecureDetail:
    "Browsers offer serial ports only to pages from an https:// address or from this computer (http://localhost). Open the page that way, then press SEND again.",
  noSerialText: "This browser has no Web Serial, which SEND needs to reach the tracker.",
  noSerialDetail:
    "Web Serial is in the Chromium family of browsers: Chrome, Edge, Opera and Chromium, on Windows, macOS, Linux and ChromeOS, and in recent Chrome for Android; Firefox and Safari do not have it, nor any browser on an iPhone or iPad. Open this page in one of those, or use the desktop program.",
  noSerialAndroidDetail: "Chrome for Android has it in its recent versions: update Chrome, or use a computer.",
  framedText: "SEND does not work inside another site's page.",
  framedDetail:
    "Another site shows this page in a frame, where it could press SEND or choose a port without your knowledge. Open the page in a tab or window of its own, then press SEND again.",
  commNumDetail:
    "The browser chooses the port here; Comm num names it in the progress text and in the .cfg file, as in the desktop program. Fill in its number, then press SEND again.",
  forbiddenText: "This browser does not let this page use serial ports.",
  forbiddenDetail:
    "Its site settings for this page, or its administrator's policy, forbid serial ports: allow them for this page, then press SEND again.",
  anotherWindowText: "Another window of Zelvar Config is sending to the tracker.",
  anotherWindowDetail: "Let it finish, or cancel its choice of port, then try again.",
  chooseFailed: "No serial port could be chosen: %1",
  pressSendAgain: "Press SEND again.",
  openFailed: "Cannot open the serial port: %1",
  lineFailed: "The serial port failed during the send: %1",
  portHeldDetail:
    "The tracker got only part of its settings, and the adapter still holds bytes it could not send: the browser keeps the port until the adapter is unplugged. Unplug it, plug it in again, then press SEND again.",
  causeBusy: "Another program has the port open (a terminal, another configurator): close it.",
  causeBusyWindows: "Another program has the port open: Windows lets one program at a time open a port. Close it.",
  causeGroup:
    "This user may not open it: on Linux a serial port belongs to a group, usually dialout, and only its members may open it. Add yourself with\nsudo usermod -aG dialout $USER\nthen log out and in again.",
  causeSnap: "A Chromium installed as a snap needs its raw-usb connection:\nsudo snap connect chromium:raw-usb",
  causeDriverOld: "The adapter's driver is missing or old: install the one for its chip from the chip's maker.",
  causeDriver: "The adapter's driver is missing: install the one for its chip from the chip's maker.",
  causeUnplugged: "The adapter was unplugged or has lost power: plug it in again.",
  causesThen: "Then press SEND again.",
  goneDetail:
    "It failed during the last send and has not come back: the adapter may be unplugged or the device gone. Check the cable and the adapter, plug it in again (Connect chooses it anew), then press SEND again.",

  useDevicePosition: "Use this device's position",
  useDevicePositionHint:
    "Asks the browser for this device's position (its GPS works offline) and fills in Latitude and Longitude; nothing is sent anywhere.",
  devicePositionAsking: "Asking the browser for this device's position\u2026",
  devicePositionFilled: "Filled in this device's position, \u00b1%1 m.",
  devicePositionDenied:
    "The browser did not allow this page to read the device's position. Allow it in the site's settings, or type the position.",
  devicePositionUnavailable:
    "This device could not tell its position (no GPS fix or location service). Try again outdoors, or type the position.",
  devicePositionTimeout: "This device gave no position within 30 seconds. Try again, or type the position.",
  devicePositionNone: "This browser cannot read the device's position here. Type the position.",
} as const;

export type PageTextKey = keyof typeof PAGE_TEXTS;

let translations: Record<string, string | string[]> = {};

/** The page's own texts in the language of `texts` (a catalogue's, by "page\u0004source") from
 * now on. */
export function usePageTranslations(texts: Record<string, string | string[]>): void {
  translations = texts;
}

/** The page's text of `key` in the page's language, "%1", "%2" in it replaced by `values`. */
export function pageText(key: PageTextKey, ...values: string[]): string {
  const translated = translations[`page\u0004${PAGE_TEXTS[key]}`];
  const text = typeof translated === "string" ? translated : PAGE_TEXTS[key];
  return withValues(text, ...values);
}
