// SEND: builds as the desktop program does and shows the normalised values in the form; on a
// failed build, the desktop's message with the field and the reason, the focus on that field.
// Otherwise it runs the send, paced by the core, on the serial port the browser grants. SEND stays
// disabled from the build to the end, Change port with it, and two windows of the page never send
// at once, nor change the port while the other sends: the browser would let both open the port,
// and the tracker would get their bytes mixed. Inside another site's frame neither works: that
// site could press them unseen.
import type { Core, Form, SendPacer, SendTarget, Texts } from "./core.js";
import { element } from "./dom.js";
import type { FormView } from "./form_view.js";
import { messageTitle, showMessage } from "./message_box.js";
import { pageText } from "./page_texts.js";
import { PacingClock } from "./pacing_clock.js";
import type { PortChoice } from "./port_choice.js";
import type { ProgressDialog } from "./progress_dialog.js";
import {
  commNumDetail,
  failureWords,
  framedWords,
  noSerialWords,
  platformOf,
  type SendStage,
  type Words,
} from "./serial_words.js";
import { type ProgressShown, runTransfer, TransferFailure } from "./transfer_runner.js";
import type { UnsavedChanges } from "./unsaved_changes.js";

const SENDING_LOCK = "zelvar-config-send";
function anotherWindowWords(): Words {
  return { text: pageText("anotherWindowText"), detail: pageText("anotherWindowDetail") };
}

/** How far a SEND went, for what shows the connection's state. */
export type SendOutcome = "sending" | "sent" | "lineFailed" | "notSent";

/** Another site's page around this one, which the browser may let use the serial port. */
export function framedByAnotherSite(): boolean {
  if (window.top === window) return false;
  const ancestors = location.ancestorOrigins as DOMStringList | undefined;
  if (ancestors) return Array.from(ancestors).some((origin) => origin !== location.origin);
  try {
    return window.top?.location.origin !== location.origin;
  } catch {
    return true;
  }
}

export class SendAction {
  private readonly button = element("send", HTMLButtonElement);
  private readonly change = element("changePort", HTMLButtonElement);
  private readonly words: Texts;
  // The port whose line failed during the last send: if it does not open now, it has gone.
  private lost: SerialPort | null = null;
  private readonly watchers: ((outcome: SendOutcome) => void)[] = [];

  constructor(
    private readonly core: Core,
    private readonly form: FormView,
    private readonly progress: ProgressDialog,
    private readonly ports: PortChoice | null,
    private readonly unsaved: UnsavedChanges,
  ) {
    this.words = core.texts();
    this.button.addEventListener("click", () => void this.whileDisabled(() => this.buildAndSend()));
    this.change.addEventListener("click", () => void this.whileDisabled(() => this.changePort()));
  }

  /** Told when a send starts on its port and how it ended. */
  onOutcome(watcher: (outcome: SendOutcome) => void): void {
    this.watchers.push(watcher);
  }

  private tellWatchers(outcome: SendOutcome): void {
    for (const watcher of this.watchers) watcher(outcome);
  }

  private async whileDisabled(work: () => Promise<void>): Promise<void> {
    this.button.disabled = this.change.disabled = true;
    try {
      await (framedByAnotherSite() ? this.tell(framedWords()) : work());
    } finally {
      this.button.disabled = this.change.disabled = false;
      // The focus that had nowhere to go while SEND was disabled comes back to it.
      if (document.activeElement === document.body) this.button.focus();
    }
  }

  // The work, unless another window of the page holds the port.
  private async alone(work: (ports: PortChoice) => Promise<void>): Promise<void> {
    const ports = this.ports;
    if (!ports) {
      await this.tell(noSerialWords(window.isSecureContext, platformOf(navigator)));
      return;
    }
    const done = await navigator.locks.request(SENDING_LOCK, { ifAvailable: true }, async (lock) => {
      if (lock) await work(ports);
      return lock !== null;
    });
    if (!done) await this.tell(anotherWindowWords());
  }

  private async buildAndSend(): Promise<void> {
    const prepared = this.core.prepareSend(this.form.read());
    // The form shows what the tracker gets, also when the build stops half-way.
    this.form.write(prepared.written);
    if (!prepared.ok) {
      this.form.control(prepared.field).focus();
      await showMessage(this.words.buildFailedTitle ?? "", this.words.buildFailed ?? "", prepared.reason);
      return;
    }
    try {
      await this.sendPrepared(prepared.target, prepared.pacer);
    } finally {
      prepared.pacer.delete();
    }
  }

  private async sendPrepared(target: SendTarget, pacer: SendPacer): Promise<void> {
    const speed = this.core.checkSpeedChosen(target.lineSettings);
    if (!speed.ok) {
      await showMessage(messageTitle(), this.core.sentence(speed.reason));
      return;
    }
    const baudRate = Number.parseInt(target.lineSettings, 10);
    // As the desktop: no port below 1, where an empty Comm num points.
    const portNumber = this.core.checkPortNumber(target.portNumber);
    if (!portNumber.ok) {
      this.form.control("portNumber").focus();
      await showMessage(messageTitle(), `${portNumber.reason}.`, commNumDetail());
      return;
    }
    const sending = this.form.read();
    await this.alone((ports) => this.sendOn(ports, baudRate, pacer, sending, target.failedText));
  }

  private async sendOn(
    ports: PortChoice,
    baudRate: number,
    pacer: SendPacer,
    sending: Form,
    failedText: string,
  ): Promise<void> {
    let port: SerialPort;
    try {
      port = await ports.portForSend();
    } catch (error) {
      await this.failed(error, "choose");
      return;
    }
    // Once "Data sent !" shows, the tracker holds the form as it went out.
    const progress: ProgressShown = {
      show: (text) => this.progress.show(text),
      setText: (text) => this.progress.setText(text),
      finish: (text) => {
        this.unsaved.keepSent(sending);
        this.progress.finish(text);
      },
    };
    this.tellWatchers("sending");
    // The pauses pass on a worker's timers: a page in the background has its own slowed down.
    const clock = new PacingClock();
    const failure = await runTransfer(port, baudRate, pacer, progress, this.words.lateWrite ?? "", (ms) =>
      clock.sleep(ms),
    ).then(
      () => null,
      (error: unknown) => (error instanceof TransferFailure ? error : new TransferFailure("line", error)),
    );
    clock.close();
    this.tellWatchers(!failure ? "sent" : failure.stage === "line" ? "lineFailed" : "notSent");
    const lostBefore = this.lost === port;
    this.lost = failure?.stage === "line" || (failure?.stage === "open" && lostBefore) ? port : null;
    if (!failure) return;
    this.progress.failed(failedText);
    await this.failed(failure.cause, failure.stage, lostBefore, failure.portHeld);
  }

  private changePort(): Promise<void> {
    return this.alone(async (ports) => {
      await ports.choose().catch((error: unknown) => this.failed(error, "choose"));
    });
  }

  private async failed(error: unknown, stage: SendStage, lostBefore = false, portHeld = false): Promise<void> {
    // The core's words say the port is closed again; a port the browser holds still is not.
    const held = pageText("portHeldDetail");
    const partlySent = portHeld
      ? { line: held, heldUp: held }
      : { line: this.words.partlySent ?? "", heldUp: this.words.heldUpAdvice ?? "" };
    const words = failureWords(error, stage, platformOf(navigator), partlySent, lostBefore);
    if (words) await this.tell(words);
  }

  private tell(words: Words): Promise<void> {
    return showMessage(messageTitle(), words.text, words.detail);
  }
}
