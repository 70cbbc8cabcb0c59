// Which serial port SEND writes to. The browser grants a page the ports the user picks in its
// chooser; the page remembers the chosen adapter's USB ids, so that after an unplug and replug,
// or at the next visit, it finds the same adapter among the granted ports without a new chooser.
// With exactly one port granted SEND uses it; Connect (or Change) offers the chooser again, and
// the port picked there stays the only one granted.
import { recall, remember } from "./remembered.js";
import { sameAdapter, type UsbIds } from "./usb_adapters.js";

const ADAPTER_KEY = "adapter";

/** What the page knows of its port: the one SEND uses, or the remembered one that is not there. */
export interface PortStatus {
  /** The adapter SEND uses or, when `present` is false, the one it last used. */
  adapter: UsbIds | null;
  present: boolean;
  /** Ports the page may use. */
  granted: number;
  /** The user has just chosen it in the browser's chooser. */
  chosenNow: boolean;
  /** The host's Permissions-Policy, the site's settings or a policy forbid serial ports here. */
  forbidden: boolean;
}

function recalledAdapter(): UsbIds | null {
  try {
    const ids: unknown = JSON.parse(recall(ADAPTER_KEY) ?? "null");
    if (typeof ids !== "object" || ids === null) return null;
    const { usbVendorId, usbProductId } = ids as Record<string, unknown>;
    const id = (value: unknown) => (typeof value === "number" ? value : undefined);
    return { usbVendorId: id(usbVendorId), usbProductId: id(usbProductId) };
  } catch {
    return null;
  }
}

export class PortChoice {
  private chosen: SerialPort | null = null;
  private adapter = recalledAdapter();
  private readonly listeners: ((status: PortStatus) => void)[] = [];

  constructor(private readonly serial: Serial) {
    // A granted adapter plugged in or out: Chromium says so here, for every port of the page.
    serial.addEventListener("connect", () => void this.refresh());
    serial.addEventListener("disconnect", () => void this.refresh());
  }

  onStatus(listener: (status: PortStatus) => void): void {
    this.listeners.push(listener);
    void this.refresh();
  }

  /** The port in use, else the one the user picks now. */
  async portForSend(): Promise<SerialPort> {
    return this.inUse(await this.plugged()) ?? this.choose();
  }

  /** The browser's chooser; rejects with a NotFoundError when the user cancels it. */
  async choose(): Promise<SerialPort> {
    const port = await this.serial.requestPort();
    this.chosen = port;
    const { usbVendorId, usbProductId } = port.getInfo();
    this.adapter = { usbVendorId, usbProductId };
    remember(ADAPTER_KEY, JSON.stringify(this.adapter));
    for (const other of await this.serial.getPorts()) {
      if (other !== port) await other.forget?.().catch(() => {});
    }
    await this.refresh(true);
    return port;
  }

  // The port chosen in this visit, else the granted one with the remembered adapter's ids, else
  // the only one granted.
  private inUse(granted: SerialPort[]): SerialPort | null {
    if (this.chosen && granted.includes(this.chosen)) return this.chosen;
    const adapter = this.adapter;
    const same = adapter ? granted.find((port) => sameAdapter(port.getInfo(), adapter)) : undefined;
    return same ?? (granted.length === 1 ? granted[0]! : null);
  }

  // The granted ports that are plugged in.
  private async plugged(): Promise<SerialPort[]> {
    return (await this.serial.getPorts()).filter((port) => port.connected !== false);
  }

  private async refresh(chosenNow = false): Promise<void> {
    for (const listener of this.listeners) listener(await this.status(chosenNow));
  }

  private async status(chosenNow: boolean): Promise<PortStatus> {
    let granted: SerialPort[];
    try {
      granted = await this.plugged();
    } catch (error) {
      // Where serial ports are forbidden, Web Serial is there but refuses even to list them.
      if (!(error instanceof Error) || error.name !== "SecurityError") throw error;
      return { adapter: null, present: false, granted: 0, chosenNow: false, forbidden: true };
    }
    const port = this.inUse(granted);
    return port
      ? { adapter: port.getInfo(), present: true, granted: granted.length, chosenNow, forbidden: false }
      : { adapter: this.adapter, present: false, granted: granted.length, chosenNow, forbidden: false };
  }
}
