// Names a serial adapter by its USB ids, as the user finds it on the adapter or in the system's
// device list: "USB 1a86:7523, WCH CH340". Only the chips that USB serial adapters for radios are
// commonly built on are named; the ids alone say the rest.
import { pageText } from "./page_texts.js";

/** A port's USB ids, as Web Serial gives them; both missing for a port that is not on USB. */
export interface UsbIds {
  usbVendorId?: number | undefined;
  usbProductId?: number | undefined;
}

const CHIP_MAKERS: Record<number, string> = {
  0x0403: "FTDI",
  0x067b: "Prolific",
  0x10c4: "Silicon Labs CP210x",
};
// WCH makes more than one chip; the product id tells which.
const WCH = 0x1a86;
const WCH_CHIPS: Record<number, string> = { 0x7523: "WCH CH340", 0x5523: "WCH CH341", 0x55d4: "WCH CH9102" };

function hex4(value: number): string {
  return value.toString(16).padStart(4, "0");
}

/** "1a86:7523", or null for a port without a USB id. */
export function usbIdText(ids: UsbIds): string | null {
  if (ids.usbVendorId === undefined) return null;
  return `${hex4(ids.usbVendorId)}:${hex4(ids.usbProductId ?? 0)}`;
}

/** The chip's name where it is known. */
export function chipName(ids: UsbIds): string | null {
  const vendor = ids.usbVendorId;
  if (vendor === undefined) return null;
  if (vendor === WCH) return WCH_CHIPS[ids.usbProductId ?? -1] ?? "WCH";
  return CHIP_MAKERS[vendor] ?? null;
}

/** The adapter as the connection area names it. */
export function adapterName(ids: UsbIds): string {
  const id = usbIdText(ids);
  if (id === null) return pageText("adapterNoUsbId");
  const chip = chipName(ids);
  return pageText("adapterUsb", chip ? `${id}, ${chip}` : id);
}

/** The same adapter: the same USB ids, or both without any. */
export function sameAdapter(a: UsbIds, b: UsbIds): boolean {
  return a.usbVendorId === b.usbVendorId && a.usbProductId === b.usbProductId;
}
