// The desktop's message dialog for SEND: the progress text with its growing row of dots, then
// "Data sent !" and OK. It does not block the page; Esc hides it, also while a send runs, which
// goes on. A failed send says so in place of the dots, with OK to close it. Closed, it gives the
// focus back to SEND unless the user has gone elsewhere.
import { element } from "./dom.js";
import { SpokenAfterPause } from "./spoken_after_pause.js";
import type { ProgressShown } from "./transfer_runner.js";

export class ProgressDialog implements ProgressShown {
  private readonly dialog = element("Dialog", HTMLDialogElement);
  private readonly label = element("lblInfo");
  private readonly ok = element("OKButton", HTMLButtonElement);
  // A screen reader hears the progress once, not again at each dot of its growing row.
  private readonly spoken = new SpokenAfterPause(this.label, () => (this.label.textContent ?? "").replace(/\.+$/u, ""));
  // The dialog shows a send that has not ended yet.
  private running = false;

  constructor() {
    this.ok.addEventListener("click", () => this.hide());
    this.dialog.addEventListener("keydown", (event) => {
      if (event.key === "Escape") this.hide();
    });
  }

  private hide(): void {
    const focus = document.activeElement;
    this.dialog.close();
    if (focus === null || focus === document.body || this.dialog.contains(focus)) element("send").focus();
  }

  show(text: string): void {
    this.say(text);
    this.ok.hidden = true;
    this.running = true;
    if (!this.dialog.open) this.dialog.show();
  }

  setText(text: string): void {
    this.say(text);
  }

  finish(text: string): void {
    this.say(text);
    this.stopped();
  }

  /** The send failed: "Sending data on COM1....." becomes `text`, "Sending data on COM1 failed.". */
  failed(text: string): void {
    if (this.running) this.say(text);
    this.stopped();
  }

  private say(text: string): void {
    this.label.textContent = text;
    this.spoken.now();
  }

  private stopped(): void {
    this.running = false;
    this.ok.hidden = false;
    // SEND was disabled under the user's focus; OK takes it, unless the user has gone elsewhere.
    if (
      this.dialog.open &&
      (document.activeElement === document.body || this.dialog.contains(document.activeElement))
    ) {
      this.ok.focus();
    }
  }
}
