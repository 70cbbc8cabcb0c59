// Runs SEND on a Web Serial port at the pace of the core's pacer, the desktop's own: the same
// bytes, pauses, progress texts and dots. The runner only does what the pacer asks (open, write,
// drain, wait until a time, close) and tells it when each is done, by performance.now() and by
// Date.now(), which goes on while the computer is suspended. A write or drain the port has
// not done by the pacer's time fails, as the desktop's does, rather than wait for ever. The port is
// closed again on every path, and while it is open, leaving the page needs the user's yes.
import type { SendAction, SendPacer } from "./core.js";
import type { SendStage } from "./serial_words.js";
import { thrownMessage } from "./thrown_message.js";

/** Whoever shows the progress: the page's copy of the desktop's dialog. */
export interface ProgressShown {
  show(text: string): void;
  setText(text: string): void;
  finish(text: string): void;
}

/** An action of SEND that failed, with the browser's error and where it happened. */
export class TransferFailure extends Error {
  /** `portHeld`: the port could not be closed after the failure, the browser holds it still. */
  constructor(
    readonly stage: SendStage,
    readonly cause: unknown,
    readonly portHeld = false,
  ) {
    super(thrownMessage(cause));
  }
}

function sleep(ms: number): Promise<void> {
  return new Promise((woken) => setTimeout(woken, ms));
}

/** How the runner waits for the pacer's times: the page's timers unless told otherwise. */
export type Wait = (ms: number) => Promise<void>;

const never = new Promise<never>(() => {});

// How long a failed send waits for the port to close before it says so, hearing the close's own
// rejection as its own.
const CLOSE_WAIT_MS = 1000;

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
    private readonly lateWrite: string,
    private readonly wait: Wait,
  ) {}

  async run(pacer: SendPacer): Promise<void> {
    try {
      const next = () => pacer.next(performance.now(), Date.now());
      for (let action = next(); action.kind !== "done"; action = next()) await this.perform(action);
    } catch (error) {
      const failure = error instanceof TransferFailure ? error : new TransferFailure("line", error);
      if (await this.abandon()) throw failure;
      throw new TransferFailure(failure.stage, failure.cause, true);
    }
  }

  // A write resolves once the browser has the bytes, not once they have left the wire; the drain
  // that follows tells when the system has sent them on to the device. When the pause after them
  // starts is the pacer's to say, and a timer that fires early is only asked to wait again.
  private async perform(action: SendAction): Promise<void> {
    switch (action.kind) {
      case "open":
        return this.open();
      case "showProgress":
        return this.progress.show(action.text);
      case "progress":
        return this.progress.setText(action.text);
      case "write":
        return this.onLine(this.byTime(this.writer!.write(action.bytes), action.atMs));
      case "drain":
        return this.byTime(this.drain(), action.atMs);
      case "waitUntil":
        return this.onLine(this.wait(action.atMs - performance.now()));
      case "close":
        return this.close();
      case "finish":
        return this.progress.finish(action.text);
      case "fail":
        throw new TransferFailure("heldUp", new Error(action.text));
      case "done":
        return;
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
  // port then gives a fresh writer, watched for a failing line during the pause that follows. The
  // writer is kept until then, for a failure to let go of.
  private async drain(writeMore = true): Promise<void> {
    await this.writer!.close().catch((error: unknown) => {
      throw new TransferFailure("line", error);
    });
    this.writer = null;
    if (writeMore) this.takeWriter();
  }

  // The work, or a failure of the line once `atMs` has come without it.
  private byTime<T>(work: Promise<T>, atMs: number): Promise<T> {
    let timer: ReturnType<typeof setTimeout> | undefined;
    const late = new Promise<never>((_, fail) => {
      timer = setTimeout(() => fail(new TransferFailure("line", new Error(this.lateWrite))), atMs - performance.now());
    });
    return Promise.race([work, late]).finally(() => clearTimeout(timer));
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

  // After a failure: the port is closed, which drops whatever is still queued, so that the next
  // SEND can open it; a failure on the way changes nothing the user is told. The writer is only
  // let go: aborting it first, with a drain that never ends in flight, leaves Chromium's close
  // waiting for ever. Closed so, Chromium rejects its own abort of the port's stream where no
  // handler can reach it: that is this failure, told already, not a fault of the page. A port
  // whose write never ends closes only once the device is gone (unplugged): the failure is said
  // after a short wait for the close, and whether the port closed in it.
  private async abandon(): Promise<boolean> {
    const page = window;
    const closing = (event: PromiseRejectionEvent) => {
      if (event.reason instanceof DOMException && event.reason.name === "InvalidStateError") event.preventDefault();
    };
    page.addEventListener("unhandledrejection", closing);
    setTimeout(() => page.removeEventListener("unhandledrejection", closing), CLOSE_WAIT_MS);
    this.writer?.releaseLock();
    const closed = await Promise.race([
      this.port.close().then(
        () => true,
        () => true,
      ),
      sleep(CLOSE_WAIT_MS).then(() => false),
    ]);
    window.removeEventListener("beforeunload", askBeforeLeaving);
    return closed;
  }
}

/**
 * Runs the send that `pacer` paces on `port`, opened at `baudRate`; the caller deletes the pacer.
 * `lateWrite`: the core's words for a port that did not send the bytes in time; `wait`: how its
 * pauses pass.
 */
export function runTransfer(
  port: SerialPort,
  baudRate: number,
  pacer: SendPacer,
  progress: ProgressShown,
  lateWrite: string,
  wait: Wait = sleep,
): Promise<void> {
  return new TransferRun(port, baudRate, progress, lateWrite, wait).run(pacer);
}
