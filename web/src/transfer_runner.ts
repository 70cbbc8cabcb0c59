// Runs SEND's transfer plan, as the core makes it for the desktop, on a Web Serial port: the same
// bytes, pauses, progress texts and dots. The port is closed again on every path, and while it
// is open, leaving the page needs the user's yes.
import type { TransferStep } from "./core.js";
import type { SendStage } from "./serial_words.js";

/** Whoever shows the progress: the page's copy of the desktop's dialog. */
export interface ProgressShown {
  show(text: string): void;
  setText(text: string): void;
  finish(text: string): void;
}

/** A step that failed, with the browser's error and where it happened. */
export class TransferFailure extends Error {
  constructor(
    readonly stage: SendStage,
    readonly cause: unknown,
  ) {
    super(cause instanceof Error ? cause.message : String(cause));
  }
}

// A write resolves once the browser has the bytes, not once they have left the wire, and a busy
// browser may hand them to the device later still. So after each write the page closes its
// writer, which drains: the system has taken and sent the bytes. An adapter may still hold some
// (USB ones do), so the pause starts after the bytes' own time on the line as well: start bit,
// eight data bits and stop bit each.
export function lineTimeMs(byteCount: number, baudRate: number): number {
  return (byteCount * 10 * 1000) / baudRate;
}

function sleep(ms: number): Promise<void> {
  return new Promise((woken) => setTimeout(woken, ms));
}

// A timer may fire a moment early; the tracker needs every pause whole.
async function pauseAtLeast(ms: number): Promise<void> {
  const end = performance.now() + ms;
  for (let left = ms; left > 0; left = end - performance.now()) await sleep(left);
}

const never = new Promise<never>(() => {});

function askBeforeLeaving(event: BeforeUnloadEvent): void {
  event.preventDefault();
}

class TransferRun {
  private writer: WritableStreamDefaultWriter<Uint8Array> | null = null;
  // Rejects once the line fails: a device that vanishes shows up here, between writes too.
  private lineLost: Promise<never> = never;

  constructor(
    private readonly port: SerialPort,
    private readonly baudRate: number,
    private readonly progress: ProgressShown,
  ) {}

  async run(steps: readonly TransferStep[]): Promise<void> {
    try {
      for (const step of steps) await this.perform(step);
    } catch (error) {
      await this.abandon();
      throw error;
    }
  }

  private async perform(step: TransferStep): Promise<void> {
    switch (step.kind) {
      case "open":
        return this.open();
      case "showProgress":
        return this.progress.show(step.text);
      case "progress":
        return this.progress.setText(step.text);
      case "write":
        await this.onLine(this.writer!.write(step.bytes));
        await this.drain();
        return this.onLine(pauseAtLeast(lineTimeMs(step.bytes.length, this.baudRate)));
      case "pause":
        return this.onLine(pauseAtLeast(step.pauseMs));
      case "close":
        return this.close();
      case "finish":
        return this.progress.finish(step.text);
    }
  }

  private async open(): Promise<void> {
    const options = { baudRate: this.baudRate, dataBits: 8, parity: "none", stopBits: 1, flowControl: "none" } as const;
    await this.port.open(options).catch((error: unknown) => {
      throw new TransferFailure("open", error);
    });
    window.addEventListener("beforeunload", askBeforeLeaving);
    this.takeWriter();
  }

  private takeWriter(): void {
    this.writer = this.port.writable!.getWriter();
    this.lineLost = this.writer.closed.then(
      () => never,
      (error: unknown) => Promise.reject(new TransferFailure("line", error)),
    );
    this.lineLost.catch(() => {});
  }

  // Closing the writer waits until the device has sent every byte, and fails if it could not; the
  // port then gives a fresh writer, watched for a failing line during the pause that follows.
  private async drain(writeMore = true): Promise<void> {
    const writer = this.writer!;
    this.writer = null;
    await writer.close().catch((error: unknown) => {
      throw new TransferFailure("line", error);
    });
    if (writeMore) this.takeWriter();
  }

  private onLine<T>(work: Promise<T>): Promise<T> {
    return Promise.race([work, this.lineLost]).catch((error: unknown) => {
      throw error instanceof TransferFailure ? error : new TransferFailure("line", error);
    });
  }

  // The last writer drained, the port closes.
  private async close(): Promise<void> {
    await this.drain(false);
    try {
      await this.port.close();
    } catch (error) {
      throw new TransferFailure("line", error);
    }
    window.removeEventListener("beforeunload", askBeforeLeaving);
  }

  // After a failure: whatever is still queued is dropped and the port closed, so that the next
  // SEND can open it; a failure on the way changes nothing the user is told.
  private async abandon(): Promise<void> {
    if (this.writer) {
      await this.writer.abort().catch(() => {});
      this.writer.releaseLock();
    }
    await this.port.close().catch(() => {});
    window.removeEventListener("beforeunload", askBeforeLeaving);
  }
}

export function runTransfer(
  port: SerialPort,
  baudRate: number,
  steps: readonly TransferStep[],
  progress: ProgressShown,
): Promise<void> {
  return new TransferRun(port, baudRate, progress).run(steps);
}
