// The desktop's message dialog for SEND: the progress text with its growing row of dots, then
// "Data sent !" and OK. It does not block the page; Esc hides it, also while a send runs, which
// goes on. A failed send leaves the text reached so far, with OK to close it.
import type { ProgressShown } from "./transfer_runner.js";

function element<T extends HTMLElement>(id: string): T {
  return document.getElementById(id) as T;
}

export class ProgressDialog implements ProgressShown {
  private readonly dialog = element<HTMLDialogElement>("Dialog");
  private readonly label = element("lblInfo");
  private readonly ok = element<HTMLButtonElement>("OKButton");

  constructor() {
    this.ok.addEventListener("click", () => this.dialog.close());
    this.dialog.addEventListener("keydown", (event) => {
      if (event.key === "Escape") this.dialog.close();
    });
  }

  show(text: string): void {
    this.label.textContent = text;
    this.ok.hidden = true;
    if (!this.dialog.open) this.dialog.show();
  }

  setText(text: string): void {
    this.label.textContent = text;
  }

  finish(text: string): void {
    this.label.textContent = text;
    this.stopped();
  }

  stopped(): void {
    this.ok.hidden = false;
    // SEND was disabled under the user's focus; OK takes it, unless the user has gone elsewhere.
    if (document.activeElement === document.body || this.dialog.contains(document.activeElement)) this.ok.focus();
  }
}
