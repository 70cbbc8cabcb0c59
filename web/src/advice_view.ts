// The notes on APRS practice, live: a list in the preview, each note a button that takes the
// focus to its field, and a quiet mark in the corner of each field a note is about (a triangle
// for a warning, a dot for a hint), the notes' lines its tip and what a screen reader says with
// it. Notes never refuse anything: SEND, Save and Load behave as without them.
import type { AdviceNote, Core, Form, Texts } from "./core.js";
import { element, setText } from "./dom.js";
import { setTipPart } from "./field_tips.js";
import { withValues } from "./with_values.js";

export class AdviceView {
  private readonly heading = document.createElement("h3");
  private readonly list = document.createElement("ul");
  // The hidden texts the marked fields are described by, one per field.
  private readonly descriptions = document.createElement("div");
  private readonly marked = new Set<HTMLElement>();
  private shown = "";

  constructor(
    private readonly core: Core,
    private readonly words: Texts,
  ) {
    const section = document.createElement("section");
    section.id = "advice";
    section.className = "advice";
    section.setAttribute("aria-labelledby", "adviceTitle");
    this.heading.id = "adviceTitle";
    this.heading.tabIndex = -1;
    const hint = document.createElement("p");
    hint.className = "hint";
    hint.textContent = words["adviceGoTo"] ?? "";
    this.list.id = "adviceList";
    this.descriptions.hidden = true;
    section.append(this.heading, hint, this.list, this.descriptions);
    // First in the preview, shown also when the form does not build.
    element("previewTitle").after(section);
  }

  show(form: Form): void {
    const advice = this.core.advice(form);
    const notes = advice.ok ? advice.notes : [];
    setText(this.heading, advice.ok ? advice.heading : withValues(this.words["adviceHeading"] ?? "", advice.reason));
    const lines = notes.map((note) => `${note.level}|${note.field}|${note.line}|${note.why}`).join("\n");
    if (lines === this.shown) return;
    this.shown = lines;
    // A note that had the focus (Default or Load by their keys) hands it to the one now in its
    // place, or to the heading, rather than to the page.
    const focused = [...this.list.children].findIndex((item) => item.contains(document.activeElement));
    this.list.replaceChildren(...notes.map((note) => this.item(note)));
    if (focused >= 0) {
      const buttons = this.list.querySelectorAll("button");
      (buttons[Math.min(focused, buttons.length - 1)] ?? this.heading).focus();
    }
    this.mark(notes);
  }

  private item(note: AdviceNote): HTMLLIElement {
    const item = document.createElement("li");
    const button = document.createElement("button");
    button.type = "button";
    button.className = `advice-note level-${note.level}`;
    button.dataset["field"] = note.field;
    button.dataset["rule"] = note.rule;
    button.textContent = note.line;
    button.title = note.why;
    button.addEventListener("click", () => element(note.field).focus());
    item.append(button);
    return item;
  }

  private mark(notes: AdviceNote[]): void {
    const byField = new Map<string, AdviceNote[]>();
    for (const note of notes) byField.set(note.field, [...(byField.get(note.field) ?? []), note]);
    for (const control of this.marked) {
      if (byField.has(control.id)) continue;
      control.classList.remove("advice-warning", "advice-hint");
      setTipPart(control, "advice", "");
      this.describe(control, null);
      this.marked.delete(control);
    }
    this.descriptions.replaceChildren();
    for (const [field, fieldNotes] of byField) {
      const control = element(field);
      this.marked.add(control);
      const warning = fieldNotes.some((note) => note.level === "warning");
      control.classList.toggle("advice-warning", warning);
      control.classList.toggle("advice-hint", !warning);
      const text = fieldNotes.map((note) => note.line).join("\n");
      setTipPart(control, "advice", text);
      const description = document.createElement("span");
      description.id = `${field}Advice`;
      description.textContent = text;
      this.descriptions.append(description);
      this.describe(control, description.id);
    }
  }

  // The control's own descriptions, then the note's text.
  private describe(control: HTMLElement, id: string | null): void {
    const own = (control.getAttribute("aria-describedby") ?? "")
      .split(" ")
      .filter((part) => part !== "" && part !== `${control.id}Advice`);
    const all = id ? [...own, id] : own;
    if (all.length === 0) control.removeAttribute("aria-describedby");
    else control.setAttribute("aria-describedby", all.join(" "));
  }
}
