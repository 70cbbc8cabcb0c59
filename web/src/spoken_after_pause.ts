// A line that changes as the user types (a counter, the calculator's locator and reason, the
// picker's answer) is shown at once but spoken once the typing pauses: a live region that changed
// with every key would talk over the echo of the keys themselves. The line shown is hidden from
// screen readers (a field's description may still name it); a twin beside it, the live region,
// takes its words after the pause, or at once where the line answers a press or a step of a send,
// in words of its own where the line's would repeat (the progress's growing row of dots).
import { setText } from "./dom.js";

const PAUSE_MS = 1000;

export class SpokenAfterPause {
  private readonly twin = document.createElement("span");
  private timer: ReturnType<typeof setTimeout> | undefined;

  /** `words` are what the line says to a screen reader: by default, its text. */
  constructor(
    shown: HTMLElement,
    private readonly words: () => string = () => shown.textContent ?? "",
  ) {
    shown.setAttribute("aria-live", "off");
    shown.setAttribute("aria-hidden", "true");
    this.twin.className = "visually-hidden";
    this.twin.setAttribute("role", "status");
    this.twin.textContent = this.words();
    shown.after(this.twin);
  }

  /** The line changed with a key: said when the keys pause. */
  changed(): void {
    clearTimeout(this.timer);
    this.timer = setTimeout(() => this.now(), PAUSE_MS);
  }

  /** The line answers a press, not a key: said at once. */
  now(): void {
    clearTimeout(this.timer);
    this.timer = undefined;
    setText(this.twin, this.words());
  }
}
