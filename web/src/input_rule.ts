// A field's input rule from the core, applied to what the user adds: typed, pasted or dropped
// text passes character by character, raised where the rule says; a refused character changes
// nothing, not even a selection. Text the page writes itself (defaults, Load, the calculator)
// goes in as it is.
import type { InputRule } from "./core.js";

/** What the field keeps of `text`: the accepted characters, raised where the rule says. */
export function acceptedText(rule: InputRule, text: string, gpsless: boolean): string {
  const accepted = gpsless ? rule.acceptedGpsless : rule.accepted;
  let kept = "";
  for (const character of text) {
    const raised = rule.upperCase ? character.replace(/[a-z]/, (c) => c.toUpperCase()) : character;
    if (accepted.includes(raised)) kept += raised;
  }
  return kept;
}

const PROMPT = "_";

/** A field under its rule; `gpsless` is asked afresh for every edit. */
export class RuledInput {
  private readonly prompt: HTMLElement | null = null;

  constructor(
    readonly input: HTMLInputElement,
    private readonly rule: InputRule,
    private readonly gpsless: () => boolean = () => false,
  ) {
    if (rule.maxLength > 0) input.maxLength = rule.maxLength;
    input.addEventListener("beforeinput", (event) => this.judge(event));
    if (rule.masked) {
      const prompt = document.createElement("span");
      prompt.className = "prompt";
      prompt.setAttribute("aria-hidden", "true");
      input.after(prompt);
      this.prompt = prompt;
      input.style.width = `calc(${rule.maxLength}ch + 0.6rem + 2px)`;
      input.addEventListener("input", () => this.showPrompts());
    }
    if (rule.selectAllOnFocus) this.selectOnEntry();
  }

  /** The page's own write: no rule applies. */
  write(text: string): void {
    this.input.value = text;
    this.showPrompts();
  }

  private judge(event: InputEvent): void {
    if (!event.inputType.startsWith("insert") || event.isComposing) return;
    const added = event.data ?? event.dataTransfer?.getData("text/plain") ?? "";
    const kept = acceptedText(this.rule, added, this.gpsless());
    if (kept === added) return;
    event.preventDefault();
    const { value, selectionStart, selectionEnd } = this.input;
    const selected = (selectionEnd ?? 0) - (selectionStart ?? 0);
    const room = this.rule.maxLength > 0 ? this.rule.maxLength - (value.length - selected) : kept.length;
    const inserted = kept.slice(0, Math.max(room, 0));
    if (inserted === "") return;
    // As typed text, so that undo takes it back.
    if (!document.execCommand("insertText", false, inserted)) {
      this.input.setRangeText(inserted, selectionStart ?? 0, selectionEnd ?? 0, "end");
      this.input.dispatchEvent(new Event("input", { bubbles: true }));
    }
  }

  private showPrompts(): void {
    if (!this.prompt) return;
    const filled = Math.min(this.input.value.length, this.rule.maxLength);
    this.prompt.textContent = PROMPT.repeat(this.rule.maxLength - filled);
    this.prompt.style.left = `calc(0.3rem + 1px + ${filled}ch)`;
  }

  // Entering the field selects its whole content, so typing replaces it; a click that entered
  // the field does not undo the selection.
  private selectOnEntry(): void {
    let entered = false;
    this.input.addEventListener("focus", () => {
      this.input.select();
      entered = true;
    });
    this.input.addEventListener("mouseup", (event) => {
      if (entered) event.preventDefault();
      entered = false;
    });
  }
}
