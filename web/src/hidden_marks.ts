// A text field that holds a character that shows nothing (a soft hyphen loaded from a file, say)
// gets a dashed border, and its tip quotes it with that character made visible and names it, in
// the core's words; the preview's note says the same.
import type { Core } from "./core.js";
import { element } from "./dom.js";
import { setTipPart } from "./field_tips.js";

export class HiddenMarks {
  private readonly fields: HTMLInputElement[];
  // The text each field was last looked at with: a keystroke asks the core about its field only.
  private readonly looked = new Map<HTMLInputElement, string>();

  constructor(private readonly core: Core) {
    this.fields = core
      .fields()
      .filter((field) => field.text)
      .map((field) => element(field.name, HTMLInputElement));
  }

  update(): void {
    for (const field of this.fields) {
      if (this.looked.get(field) === field.value) continue;
      this.looked.set(field, field.value);
      const note = this.core.hiddenCharactersNote(field.value);
      field.classList.toggle("holds-hidden", note !== "");
      setTipPart(field, "hidden", note === "" ? "" : `"${this.core.visibleText(field.value)}": ${note}`);
    }
  }
}
