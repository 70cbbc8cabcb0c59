// Which serial port SEND writes to. The browser grants a page the ports the user picks in its
// chooser; with exactly one granted, SEND uses it without asking, and "Change port" offers the
// chooser again. A port picked there stays the only one granted, so the next visit uses it too.
import { element } from "./dom.js";

function hex4(value: number): string {
  return value.toString(16).padStart(4, "0");
}

function described(port: SerialPort): string {
  const { usbVendorId, usbProductId } = port.getInfo();
  return usbVendorId === undefined
    ? "a serial port without a USB id"
    : `USB ${hex4(usbVendorId)}:${hex4(usbProductId ?? 0)}`;
}

export class PortChoice {
  private chosen: SerialPort | null = null;
  private readonly status = element("portStatus");

  constructor(private readonly serial: Serial) {
    serial.addEventListener("connect", () => void this.showStatus());
    serial.addEventListener("disconnect", () => void this.showStatus());
    void this.showStatus();
  }

  /** The port chosen in this visit, else the only one granted, else the one the user picks now. */
  async portForSend(): Promise<SerialPort> {
    const granted = await this.serial.getPorts();
    if (this.chosen && granted.includes(this.chosen)) return this.chosen;
    if (granted.length === 1) return granted[0]!;
    return this.choose();
  }

  /** The browser's chooser; rejects with a NotFoundError when the user cancels it. */
  async choose(): Promise<SerialPort> {
    const port = await this.serial.requestPort();
    this.chosen = port;
    for (const other of await this.serial.getPorts()) {
      if (other !== port) await other.forget?.().catch(() => {});
    }
    await this.showStatus();
    return port;
  }

  private async showStatus(): Promise<void> {
    const granted = await this.serial.getPorts();
    const chosen = this.chosen && granted.includes(this.chosen) ? this.chosen : null;
    const using = chosen ?? (granted.length === 1 ? granted[0]! : null);
    this.status.textContent = using
      ? `SEND writes to ${described(using)}.`
      : granted.length === 0
        ? "SEND asks for the serial port the first time."
        : `SEND asks which of the ${granted.length} serial ports this page may use.`;
  }
}
