// The three first steps a newcomer needs (connect the adapter, fill in or Load the settings, SEND),
// shown until a send has succeeded or the user hides them, then never again on this browser.
// Each step is marked done as it is.
import { element } from "./dom.js";
import { recall, remember } from "./remembered.js";

const DONE_KEY = "first steps done";

export type Step = "stepConnect" | "stepSettings" | "stepSend";

export class FirstSteps {
  private readonly box = element("firstSteps");

  constructor() {
    this.box.hidden = recall(DONE_KEY) !== null;
    element("hideSteps").addEventListener("click", () => this.finish());
  }

  mark(step: Step, done = true): void {
    element(step).classList.toggle("done", done);
    if (step === "stepSend" && done) this.finish();
  }

  private finish(): void {
    remember(DONE_KEY, "1");
    if (this.box.contains(document.activeElement)) element("send").focus();
    this.box.hidden = true;
  }
}
