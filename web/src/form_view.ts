// The settings form: reads and writes the record through the page's controls, which carry the
// core's field names as ids, and runs the reactions of a change: the counters, the GPSless
// display and the 300-baud marker.
import type { Core, FieldInfo, Form, Texts } from "./core.js";
import { checkValue, writeCheck } from "./check_state.js";
import { element, setText } from "./dom.js";
import { RuledInput } from "./input_rule.js";
import { SpokenAfterPause } from "./spoken_after_pause.js";

export class FormView {
  private readonly ruled = new Map<string, RuledInput>();
  private readonly flags = new Map<string, HTMLInputElement>();
  private readonly lists = new Map<string, HTMLSelectElement>();
  private readonly counted: { field: FieldInfo; shown: HTMLElement; said: HTMLElement; spoken: SpokenAfterPause }[];
  private readonly words: Texts;
  private readonly beaconLabel: string;
  private readonly listeners: (() => void)[] = [];

  constructor(private readonly core: Core) {
    const fields = core.fields();
    this.words = core.texts();
    this.counted = fields
      .filter((field) => field.place.counter !== "none")
      .map((field) => {
        const counter = element(`${field.name}Counter`);
        const [shown, said] = counter.children as unknown as [HTMLElement, HTMLElement];
        return { field, shown, said, spoken: new SpokenAfterPause(counter, () => said.textContent ?? "") };
      });
    this.beaconLabel = fields.find((field) => field.name === "beacon")?.label ?? "";
    for (const field of fields) {
      switch (field.input) {
        case "digits":
        case "symbol":
        case "text": {
          const input = element(field.name, HTMLInputElement);
          // A short text as wide as the characters it takes, with room for the caret.
          if (field.place.width > 0) input.style.width = `calc(${field.place.width}ch + 1.2rem)`;
          this.ruled.set(field.name, new RuledInput(input, field.rule, () => this.gpsless()));
          break;
        }
        case "flag":
          this.flags.set(field.name, element(field.name, HTMLInputElement));
          break;
        case "choice":
          this.lists.set(field.name, element(field.name, HTMLSelectElement));
          break;
      }
    }
    // Baud stands in the connection area, beside the adapter.
    for (const area of [element("setup"), element("connection")]) {
      area.addEventListener("input", () => this.changed());
      area.addEventListener("change", () => this.changed());
    }
    element("setup").addEventListener("submit", (event) => event.preventDefault());
  }

  /** Called after every change of a field, by the user or by the page. */
  onChange(listener: () => void): void {
    this.listeners.push(listener);
  }

  read(): Form {
    const form: Form = {};
    for (const [name, text] of this.ruled) form[name] = text.input.value;
    for (const [name, box] of this.flags) form[name] = checkValue(box);
    for (const [name, list] of this.lists) form[name] = list.selectedIndex;
    return form;
  }

  /** Writes every field of `form` as the page's own write and runs the reactions once. */
  write(form: Form): void {
    for (const [name, text] of this.ruled) text.write(String(form[name] ?? ""));
    for (const [name, box] of this.flags) writeCheck(box, Number(form[name]));
    for (const [name, list] of this.lists) list.selectedIndex = Number(form[name] ?? -1);
    this.changed();
  }

  /** The page's write into one text field (the calculator's beacon). */
  writeText(name: string, text: string): void {
    this.ruled.get(name)?.write(text);
    this.changed();
  }

  /** The symbol picker's choice: ICON Symbol and Alternate Table together, reactions once. */
  writeSymbol(symbol: string, alternate: boolean): void {
    this.ruled.get("symbol")?.write(symbol);
    const box = this.flags.get("alternateTable");
    if (box) writeCheck(box, alternate ? 1 : 0);
    this.changed();
  }

  text(name: string): string {
    return this.ruled.get(name)?.input.value ?? "";
  }

  checked(name: string): boolean {
    return this.flags.get(name)?.checked ?? false;
  }

  control(name: string): HTMLElement {
    return element(name);
  }

  gpsless(): boolean {
    return this.core.isGpslessTimeout(this.text("acquisitionTimeout"));
  }

  private changed(): void {
    for (const counter of this.counted) {
      // Shown as the window shows it, said in words: "[35]" is read as "35 characters left".
      const { maxLength } = counter.field.rule;
      const { shown, spoken } = this.core.counter(maxLength, maxLength - this.text(counter.field.name).length);
      setText(counter.shown, shown);
      setText(counter.said, spoken);
      counter.spoken.changed();
    }
    const gpsless = this.gpsless();
    document.body.classList.toggle("gpsless", gpsless);
    setText(element("beaconLabel"), gpsless ? (this.words.beaconCaptionGpsless ?? "") : this.beaconLabel);
    setText(
      element("acquisitionTimeoutNote"),
      gpsless ? (this.words.gpslessNoteOn ?? "") : (this.words.gpslessNote ?? ""),
    );
    element("modem300Label").classList.toggle("on", this.checked("modem300"));
    for (const listener of this.listeners) listener();
  }
}
