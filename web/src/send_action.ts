// SEND: builds as the desktop program does and shows the normalised values in the form; on a
// failed build, the desktop's message with the field and the reason, the focus on that field.
// Otherwise it runs the core's transfer plan on the serial port the browser grants. SEND stays
// disabled from the build to the end, Change port with it, and two windows of the page never send
// at once, nor change the port while the other sends: the browser would let both open the port,
// and the tracker would get their bytes mixed.
import type { Core, TransferStep } from "./core.js";
import type { FormView } from "./form_view.js";
import { showMessage } from "./message_box.js";
import type { PortChoice } from "./port_choice.js";
import type { ProgressDialog } from "./progress_dialog.js";
import { failureWords, noSerialWords, platformOf, type SendStage, type Words } from "./serial_words.js";
import { runTransfer, TransferFailure } from "./transfer_runner.js";

const BUILD_FAILED_TITLE = "Invio non eseguito - Zelvar";
const BUILD_FAILED = "Parametri incompleti o non corretti";
const SENDING_LOCK = "zelvar-config-send";
const ANOTHER_WINDOW: Words = {
  text: "Another window of Zelvar Config is sending to the tracker.",
  detail: "Let it finish, or cancel its choice of port, then try again.",
};

function element<T extends HTMLElement>(id: string): T {
  return document.getElementById(id) as T;
}

export class SendAction {
  private readonly button = element<HTMLButtonElement>("cmdSend");
  private readonly change = element<HTMLButtonElement>("changePort");

  constructor(
    private readonly core: Core,
    private readonly form: FormView,
    private readonly progress: ProgressDialog,
    private readonly ports: PortChoice | null,
  ) {
    if (!ports) element("portStatus").textContent = noSerialWords(window.isSecureContext).text;
    this.button.addEventListener("click", () => void this.whileDisabled(() => this.buildAndSend()));
    this.change.addEventListener("click", () => void this.whileDisabled(() => this.changePort()));
  }

  private async whileDisabled(work: () => Promise<void>): Promise<void> {
    this.button.disabled = this.change.disabled = true;
    try {
      await work();
    } finally {
      this.button.disabled = this.change.disabled = false;
    }
  }

  // The work, unless another window of the page holds the port.
  private async alone(work: (ports: PortChoice) => Promise<void>): Promise<void> {
    const ports = this.ports;
    if (!ports) {
      await this.tell(noSerialWords(window.isSecureContext));
      return;
    }
    const done = await navigator.locks.request(SENDING_LOCK, { ifAvailable: true }, async (lock) => {
      if (lock) await work(ports);
      return lock !== null;
    });
    if (!done) await this.tell(ANOTHER_WINDOW);
  }

  private async buildAndSend(): Promise<void> {
    const plan = this.core.transferPlan(this.form.read());
    // The form shows what the tracker gets, also when the build stops half-way.
    this.form.write(plan.written);
    if (!plan.ok) {
      this.form.control(plan.field).focus();
      await showMessage(BUILD_FAILED_TITLE, BUILD_FAILED, plan.reason);
      return;
    }
    const baudRate = Number.parseInt(plan.target.lineSettings, 10);
    if (!this.core.lists().baudRates.includes(String(baudRate))) {
      await showMessage("Zelvar", `Invalid line settings '${plan.target.lineSettings}': no speed is chosen in Baud.`);
      return;
    }
    await this.alone((ports) => this.sendOn(ports, baudRate, plan.steps));
  }

  private async sendOn(ports: PortChoice, baudRate: number, steps: readonly TransferStep[]): Promise<void> {
    let port: SerialPort;
    try {
      port = await ports.portForSend();
    } catch (error) {
      await this.failed(error, "choose");
      return;
    }
    const failure = await runTransfer(port, baudRate, steps, this.progress).then(
      () => null,
      (error: unknown) => (error instanceof TransferFailure ? error : new TransferFailure("line", error)),
    );
    if (!failure) return;
    this.progress.stopped();
    await this.failed(failure.cause, failure.stage);
  }

  private changePort(): Promise<void> {
    return this.alone(async (ports) => {
      await ports.choose().catch((error: unknown) => this.failed(error, "choose"));
    });
  }

  private async failed(error: unknown, stage: SendStage): Promise<void> {
    const words = failureWords(error, stage, platformOf(navigator));
    if (words) await this.tell(words);
  }

  private tell(words: Words): Promise<void> {
    return showMessage("Zelvar", words.text, words.detail);
  }
}
