// A field's input rule from the core, applied to whatever the user adds, on every path: typed,
// pasted, dropped, composed by an input method (dead keys, phone keyboards), replaced by a spell
// checker or filled in by autofill. Text passes character by character, raised where the rule
// says; a refused character changes nothing else. Text the page writes itself (defaults, Load,
// the calculator) goes in as it is, and so do undo and redo, which bring back earlier contents.
import type { InputRule } from "./core.js";
import { acceptedText, ruledEdit } from "./ruled_text.js";

const PROMPT = "_";
// What a field without a length of its own takes typed or pasted, as the window's line edits do:
// a pasted book in Latitude held the page's thread for seconds at every key.
const LONGEST_TEXT = 32767;
const EM_SPACE = "\u2003";

// Whether the focus is moving by Tab: the window tells that entry from a click or a program's.
let tabbing = false;
document.addEventListener("keydown", (event) => (tabbing ||= event.key === "Tab"), { capture: true });
document.addEventListener("keyup", () => (tabbing = false), { capture: true });

/** A field under its rule; `gpsless` is asked afresh for every edit. */
export class RuledInput {
  private readonly prompt: HTMLElement | null = null;
  // The content as it stood after the last edit that kept the rule, or the page's last write.
  private settled: string;
  private justEntered = false;
  // Whether the composition under way overtypes: in a masked field, begun with no selection.
  private composingOver = false;

  constructor(
    readonly input: HTMLInputElement,
    private readonly rule: InputRule,
    private readonly gpsless: () => boolean = () => false,
  ) {
    this.settled = input.value;
    input.maxLength = this.longest();
    input.addEventListener("beforeinput", (event) => this.judge(event));
    input.addEventListener("input", (event) => this.settle(event as InputEvent));
    // A masked field's composition (a dead key's accent, an input method's full-width digit)
    // overtypes as typed text does: the browser would cut it at the field's length, so the length
    // waits until it ends.
    input.addEventListener("compositionstart", () => {
      this.composingOver = rule.masked && input.selectionStart === input.selectionEnd;
      if (this.composingOver) input.maxLength = LONGEST_TEXT;
    });
    input.addEventListener("compositionend", () => {
      input.maxLength = this.longest();
      this.settle(null);
      this.composingOver = false;
    });
    if (rule.masked) {
      // As wide as its positions, whatever spacing the user's style adds between letters: the
      // field takes the width of a hidden line of them. A position is a digit's width where the
      // field takes digits alone (the page's digits are of one width), else an em's, which the
      // widest of a type's characters ("@", "W") fills.
      const positions = document.createElement("span");
      positions.className = "positions";
      positions.setAttribute("aria-hidden", "true");
      const digitsAlone = /^[0-9]*$/.test(rule.accepted + rule.acceptedGpsless);
      positions.textContent = (digitsAlone ? "0" : EM_SPACE).repeat(rule.maxLength);
      const prompt = document.createElement("span");
      prompt.className = "prompt";
      prompt.setAttribute("aria-hidden", "true");
      input.after(positions, prompt);
      this.prompt = prompt;
      input.addEventListener("input", () => this.showPrompts());
    }
    this.enterAsTheWindowDoes();
  }

  private longest(): number {
    return this.rule.maxLength > 0 ? this.rule.maxLength : LONGEST_TEXT;
  }

  /** The page's own write: no rule applies. */
  write(text: string): void {
    this.input.value = text;
    this.settled = text;
    this.showPrompts();
  }

  // Typed and pasted text is judged before it goes in, so that undo takes back what the rule
  // kept. A masked field overtypes, as on a form with printed boxes: what is typed or pasted
  // replaces the characters from the caret on. Every other way in is judged once it is in.
  private judge(event: InputEvent): void {
    if ((event.inputType !== "insertText" && event.inputType !== "insertFromPaste") || event.isComposing) return;
    const added = event.data ?? event.dataTransfer?.getData("text/plain") ?? "";
    const { value, selectionStart, selectionEnd } = this.input;
    // No insertion keeps more than the field holds at most, whatever it replaces.
    const { maxLength } = this.input;
    const most = Math.max(maxLength, value.length);
    const kept = acceptedText(this.rule, added, this.gpsless(), most);
    const caret = selectionStart ?? 0;
    const overtyped = this.rule.masked && selectionEnd === caret ? Math.min(kept.length, value.length - caret) : 0;
    if (kept === added && overtyped === 0) return;
    event.preventDefault();
    if (overtyped > 0) this.input.setSelectionRange(caret, caret + overtyped);
    const selected = (this.input.selectionEnd ?? 0) - (this.input.selectionStart ?? 0);
    const room = maxLength - (value.length - selected);
    const inserted = kept.slice(0, Math.max(room, 0));
    if (inserted === "") return;
    // As typed text, so that undo takes it back.
    if (!document.execCommand("insertText", false, inserted)) {
      this.input.setRangeText(inserted, this.input.selectionStart ?? 0, this.input.selectionEnd ?? 0, "end");
      this.input.dispatchEvent(new Event("input", { bubbles: true }));
    }
  }

  // Runs before the form hears of the edit. A composition is judged when it ends; whatever it
  // showed meanwhile goes.
  private settle(event: InputEvent | null): void {
    if (event?.isComposing) return;
    const { value, selectionEnd } = this.input;
    if (event?.inputType === "historyUndo" || event?.inputType === "historyRedo") {
      this.settled = value;
      return;
    }
    const overtype = !event && this.composingOver;
    const ruled = ruledEdit(this.rule, this.settled, value, selectionEnd ?? value.length, this.gpsless(), overtype);
    this.settled = ruled?.value ?? value;
    if (!ruled) return;
    this.input.value = ruled.value;
    this.input.setSelectionRange(ruled.caret, ruled.caret);
    // After a composition the form heard the composed text last: it hears the kept one now.
    if (!event) this.input.dispatchEvent(new Event("input", { bubbles: true }));
  }

  private showPrompts(): void {
    if (!this.prompt) return;
    const filled = Math.min(this.input.value.length, this.rule.maxLength);
    // The typed characters, unseen, put each "_" where the next ones go, as far apart as the
    // field's own letters; each "_" stands in a digit's position of its own, whatever its width.
    const typed = document.createElement("span");
    typed.className = "typed";
    typed.textContent = this.input.value.slice(0, filled);
    const positions = Array.from({ length: this.rule.maxLength - filled }, () => {
      const position = document.createElement("span");
      position.dataset["prompt"] = PROMPT;
      position.textContent = "0";
      return position;
    });
    this.prompt.replaceChildren(typed, ...positions);
  }

  // A field that selects its content on entry does so however it is entered, and a click that
  // entered it does not undo the selection. A masked field that does not, entered with Tab, has
  // the caret before its first character, where typing overtypes.
  private enterAsTheWindowDoes(): void {
    this.input.addEventListener("focus", () => {
      if (this.rule.selectAllOnFocus) {
        this.input.select();
        this.justEntered = true;
      } else if (this.rule.masked && tabbing) {
        this.input.setSelectionRange(0, 0);
      }
    });
    this.input.addEventListener("mouseup", (event) => {
      if (this.justEntered) event.preventDefault();
      this.justEntered = false;
    });
  }
}
