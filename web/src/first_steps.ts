// The three first steps a newcomer needs (connect the adapter, fill in or Load the settings, SEND),
// shown until a send has succeeded or the user hides them, then never again on this browser.
// Each step is marked done as it is.
import { element } from "./dom.js";
import { pageText } from "./page_texts.js";
import { recall, remember } from "./remembered.js";

const DONE_KEY = "first steps done";

export type Step = "stepConnect" | "stepSettings" | "stepSend";

function doneMark(): HTMLElement {
  const mark = document.createElement("span");
  mark.className = "step-done";
  mark.textContent = ` ✓ ${pageText("stepDone")}`;
  return mark;
}

export class FirstSteps {
  private readonly box = element("firstSteps");

  constructor() {
    this.box.hidden = recall(DONE_KEY) !== null;
    element("hideSteps").addEventListener("click", () => this.finish());
  }

  mark(step: Step, done = true): void {
    const item = element(step);
    if (item.classList.contains("done") === done) return;
    item.classList.toggle("done", done);
    // Said, not only struck through.
    if (done) item.append(doneMark());
    else item.querySelector(".step-done")?.remove();
    if (step === "stepSend" && done) this.finish();
  }

  private finish(): void {
    remember(DONE_KEY, "1");
    if (this.box.contains(document.activeElement)) element("send").focus();
    this.box.hidden = true;
  }
}
