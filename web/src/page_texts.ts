// The texts only the page shows (the window has no counterpart): one place, for the translations.
export const PAGE_TEXTS = {
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
