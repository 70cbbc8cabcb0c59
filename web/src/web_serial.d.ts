// The part of the Web Serial API the page uses; TypeScript's DOM library does not describe it.

interface SerialPortInfo {
  usbVendorId?: number;
  usbProductId?: number;
}

interface SerialOptions {
  baudRate: number;
  dataBits?: 7 | 8;
  stopBits?: 1 | 2;
  parity?: "none" | "even" | "odd";
  flowControl?: "none" | "hardware";
}

interface SerialPort extends EventTarget {
  readonly writable: WritableStream<Uint8Array> | null;
  /** False while the adapter is unplugged (recent Chromium; older ones list only those plugged in). */
  readonly connected?: boolean;
  getInfo(): SerialPortInfo;
  open(options: SerialOptions): Promise<void>;
  close(): Promise<void>;
  forget?(): Promise<void>;
}

interface Serial extends EventTarget {
  getPorts(): Promise<SerialPort[]>;
  requestPort(options?: object): Promise<SerialPort>;
}

interface Navigator {
  readonly serial?: Serial;
}
