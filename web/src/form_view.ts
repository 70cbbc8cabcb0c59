// The settings form: reads and writes the record through the page's controls, which carry the
// core's field names as ids, and runs the reactions of a change: the counters, the GPSless
// display and the 300-baud marker.
import type { Core, FieldInfo, Form } from "./core.js";
import { element } from "./dom.js";
import { RuledInput } from "./input_rule.js";

const COUNTERS: Record<string, string> = {
  Beacon: "counterBeacon",
  AprsMsg: "counterAprsMsg",
  AutoReplyMsg: "counterAutoReplyMsg",
};

function setText(node: HTMLElement, text: string): void {
  if (node.textContent !== text) node.textContent = text;
}

export class FormView {
  private readonly texts = new Map<string, RuledInput>();
  private readonly flags = new Map<string, HTMLInputElement>();
  private readonly lists = new Map<string, HTMLSelectElement>();
  private readonly fields: FieldInfo[];
  private readonly listeners: (() => void)[] = [];

  constructor(private readonly core: Core) {
    this.fields = core.fields();
    const { micEMessages, baudRates } = core.lists();
    for (const field of this.fields) {
      const control = element(field.name);
      if (field.text) {
        const gpsless = field.name === "Beacon" ? () => this.gpsless() : undefined;
        this.texts.set(field.name, new RuledInput(element(field.name, HTMLInputElement), field.rule, gpsless));
      } else if (control instanceof HTMLSelectElement) {
        for (const text of field.name === "MicEMsg" ? micEMessages : baudRates) control.add(new Option(text));
        this.lists.set(field.name, control);
      } else {
        this.flags.set(field.name, element(field.name, HTMLInputElement));
      }
    }
    element("setup").addEventListener("input", () => this.changed());
    element("setup").addEventListener("change", () => this.changed());
    element("setup").addEventListener("submit", (event) => event.preventDefault());
  }

  /** Called after every change of a field, by the user or by the page. */
  onChange(listener: () => void): void {
    this.listeners.push(listener);
  }

  read(): Form {
    const form: Form = {};
    for (const [name, text] of this.texts) form[name] = text.input.value;
    for (const [name, box] of this.flags) form[name] = box.checked ? 1 : 0;
    for (const [name, list] of this.lists) form[name] = list.selectedIndex;
    return form;
  }

  /** Writes every field of `form` as the page's own write and runs the reactions once. */
  write(form: Form): void {
    for (const [name, text] of this.texts) text.write(String(form[name] ?? ""));
    for (const [name, box] of this.flags) box.checked = Number(form[name]) !== 0;
    for (const [name, list] of this.lists) list.selectedIndex = Number(form[name] ?? -1);
    this.changed();
  }

  /** The page's write into one text field (the calculator's beacon). */
  writeText(name: string, text: string): void {
    this.texts.get(name)?.write(text);
    this.changed();
  }

  text(name: string): string {
    return this.texts.get(name)?.input.value ?? "";
  }

  checked(name: string): boolean {
    return this.flags.get(name)?.checked ?? false;
  }

  control(name: string): HTMLElement {
    return element(name);
  }

  gpsless(): boolean {
    return this.core.isGpslessTimeout(this.text("GpsAcqTime"));
  }

  private changed(): void {
    for (const [name, counter] of Object.entries(COUNTERS)) {
      const field = this.fields.find((f) => f.name === name);
      const left = (field?.rule.maxLength ?? 0) - this.text(name).length;
      // Shown as the window shows it, said in words: "[35]" is read as "35 characters left".
      const [shown, said] = element(counter).children as unknown as [HTMLElement, HTMLElement];
      setText(shown, `[${left}]`);
      setText(said, `${left} ${left === 1 ? "character" : "characters"} left`);
    }
    const gpsless = this.gpsless();
    document.body.classList.toggle("gpsless", gpsless);
    setText(element("beaconLabel"), gpsless ? "BEACON" : "COMMENT");
    setText(element("gpslessNote"), gpsless ? "GPSless Mode" : "(0=GPSless Mode)");
    element("baud300Caption").classList.toggle("on", this.checked("Baud300"));
    for (const listener of this.listeners) listener();
  }
}
