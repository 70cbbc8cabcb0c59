// Leaving the page (reload, Back, closing the tab or the app's window) asks first when the form
// or the calculator holds what was neither loaded, saved, sent nor put there by Default: the
// browser's own question, as browsers allow no other. The page listens for leaving only while
// that is so, since a page that always does is kept from the browser's quick Back and Forward.
import type { CalculatorInputs, Form } from "./core.js";

// The same record gives the same text, in whatever order its fields were read.
function canonical(record: object): string {
  return JSON.stringify(record, Object.keys(record).sort());
}

function askBeforeLeaving(event: BeforeUnloadEvent): void {
  event.preventDefault();
}

export class UnsavedChanges {
  private form = "";
  // What the tracker got at the last send: a file loaded or Default pressed during the send is
  // kept as such all the same.
  private sent = "";
  private calculator = "";
  private asking = false;

  constructor(
    private readonly currentForm: () => Form,
    private readonly currentCalculator: () => CalculatorInputs,
  ) {
    this.keepAll();
    // Every edit of the user's, in the form and in the calculator.
    for (const type of ["input", "change"]) document.addEventListener(type, () => this.update(), { capture: true });
  }

  /** Loaded or saved: the file holds the form and the calculator's inputs. */
  keepAll(): void {
    this.calculator = canonical(this.currentCalculator());
    this.keepForm();
  }

  /** Set to the defaults: the calculator keeps what it had. */
  keepForm(form = this.currentForm()): void {
    this.form = canonical(form);
    this.update();
  }

  /** Sent: the form as it went out, whatever the form holds now. */
  keepSent(form: Form): void {
    this.sent = canonical(form);
    this.update();
  }

  /** After the page itself changed the form. */
  update(): void {
    // After the edit's own handlers, which may still change what it put in.
    queueMicrotask(() => {
      const form = canonical(this.currentForm());
      const pending =
        (form !== this.form && form !== this.sent) || canonical(this.currentCalculator()) !== this.calculator;
      if (pending === this.asking) return;
      this.asking = pending;
      if (pending) window.addEventListener("beforeunload", askBeforeLeaving);
      else window.removeEventListener("beforeunload", askBeforeLeaving);
    });
  }
}
