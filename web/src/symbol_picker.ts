// The APRS symbols by name: a button beside Alternate Table opens a search ("car", "balloon",
// "digi", or the character itself) over a list of the symbols it names, each as
// "> — car, primary table"; Enter or a double click takes the chosen one into ICON Symbol and
// Alternate Table together, as typing would. Up and Down move through the list from the search.
// The symbol field's tip, the name beside the button and the preview say what the two hold. On a
// phone a list's line and a field's placeholder cannot wrap: the search's hint stands as a line of
// its own, and the chosen symbol's whole name under the list.
import type { Core, Texts } from "./core.js";
import { element, setText } from "./dom.js";
import { setTipPart } from "./field_tips.js";
import { keyShortcuts, mnemonicHtml } from "./form_markup.js";
import type { FormView } from "./form_view.js";
import { SpokenAfterPause } from "./spoken_after_pause.js";
import { withValues } from "./with_values.js";

const LIST_ROWS = 12;
// Longer than any name with its search words. A pasted page of text would take the browser many
// seconds to lay out in "No symbol is named".
const SEARCH_LENGTH = 100;

export class SymbolPicker {
  private readonly dialog = document.createElement("dialog");
  private readonly search = document.createElement("input");
  private readonly list = document.createElement("select");
  private readonly searchHint = document.createElement("p");
  private readonly chosen = document.createElement("p");
  private readonly none = document.createElement("p");
  private readonly noneSpoken: SpokenAfterPause;
  private readonly chosenSpoken: SpokenAfterPause;
  private readonly use = document.createElement("button");
  private readonly name = document.createElement("span");
  private readonly previewLine = document.createElement("p");

  constructor(
    private readonly core: Core,
    private readonly form: FormView,
    private readonly words: Texts,
  ) {
    this.buildOpener();
    this.buildDialog();
    this.noneSpoken = new SpokenAfterPause(this.none);
    this.chosenSpoken = new SpokenAfterPause(this.chosen);
    this.previewLine.id = "previewSymbol";
    this.previewLine.className = "notes";
    element("previewNotes").after(this.previewLine);
    form.onChange(() => this.showName());
    this.showName();
  }

  private word(key: string): string {
    return this.words[key] ?? "";
  }

  // The button after the Alternate Table box, and the symbol's name after it.
  private buildOpener(): void {
    const caption = this.word("chooseSymbol");
    const opener = document.createElement("button");
    opener.type = "button";
    opener.id = "chooseSymbol";
    opener.className = "symbol-opener";
    opener.innerHTML = mnemonicHtml(caption);
    opener.setAttribute("aria-keyshortcuts", keyShortcuts(caption, ""));
    opener.setAttribute("aria-describedby", "symbolName");
    opener.addEventListener("click", () => this.open());
    this.name.id = "symbolName";
    this.name.className = "symbol-name";
    const box = element("alternateTable");
    const after = box.closest("label") ?? box;
    after.after(opener, this.name);
  }

  private buildDialog(): void {
    this.dialog.id = "symbolPicker";
    this.dialog.className = "symbol-picker";
    this.dialog.setAttribute("aria-labelledby", "symbolPickerTitle");
    const title = document.createElement("h2");
    title.id = "symbolPickerTitle";
    title.textContent = this.word("symbolPickerTitle");
    const label = document.createElement("label");
    label.htmlFor = "symbolSearch";
    label.innerHTML = mnemonicHtml(this.word("symbolSearch"));
    this.search.id = "symbolSearch";
    // Not type=search: its Escape clears the text, where the dialog's closes it as Cancel does.
    this.search.type = "text";
    this.search.spellcheck = false;
    this.search.autocomplete = "off";
    this.search.maxLength = SEARCH_LENGTH;
    this.search.setAttribute("aria-controls", "symbolList");
    this.search.setAttribute("aria-describedby", "symbolSearchHint");
    this.searchHint.id = "symbolSearchHint";
    this.searchHint.className = "hint";
    this.searchHint.textContent = this.word("symbolSearchHint");
    this.list.id = "symbolList";
    this.list.size = LIST_ROWS;
    this.list.setAttribute("aria-label", this.word("symbolList"));
    // What the list's line says: a screen reader in the search, which keeps the keyboard, hears
    // it from here; in the list, from the list itself.
    this.chosen.id = "symbolChosen";
    this.none.id = "symbolNone";
    this.use.type = "button";
    this.use.id = "useSymbol";
    this.use.innerHTML = mnemonicHtml(this.word("useSymbol"));
    const cancel = document.createElement("button");
    cancel.type = "button";
    cancel.id = "cancelSymbol";
    cancel.textContent = this.word("cancel");
    const buttons = document.createElement("div");
    buttons.className = "row buttons";
    buttons.append(this.use, cancel);
    this.dialog.append(title, label, this.search, this.searchHint, this.list, this.chosen, this.none, buttons);
    document.body.append(this.dialog);

    this.search.addEventListener("input", () => {
      this.fill();
      this.noneSpoken.changed();
      this.chosenSpoken.changed();
    });
    this.search.addEventListener("keydown", (event) => this.searchKey(event));
    this.list.addEventListener("dblclick", () => this.take());
    this.list.addEventListener("change", () => this.showChosen());
    this.list.addEventListener("keydown", (event) => {
      if (event.key === "Enter") {
        event.preventDefault();
        this.take();
      }
    });
    this.use.addEventListener("click", () => this.take());
    cancel.addEventListener("click", () => this.dialog.close());
    this.dialog.addEventListener("close", () => element("chooseSymbol").focus());
  }

  open(): void {
    this.search.value = "";
    this.fill();
    const current = `${this.form.checked("alternateTable") ? "\\" : "/"}${this.form.text("symbol")}`;
    const index = Array.from(this.list.options).findIndex((option) => option.value === current);
    if (index >= 0) this.list.selectedIndex = index;
    this.showChosen();
    this.dialog.showModal();
    this.search.focus();
  }

  private fill(): void {
    const found = this.core.symbols(this.search.value);
    this.list.replaceChildren(
      ...found.map((symbol) => new Option(symbol.shown, `${symbol.alternate ? "\\" : "/"}${symbol.code}`)),
    );
    if (found.length > 0) this.list.selectedIndex = 0;
    // Quoted with its hidden characters by their codes: a pasted U+202E would turn the line.
    const quoted = this.core.visibleText(this.search.value);
    this.none.textContent = found.length === 0 ? withValues(this.word("symbolNoMatch"), quoted) : "";
    this.use.disabled = found.length === 0;
    this.showChosen();
  }

  private showChosen(): void {
    setText(this.chosen, this.list.selectedOptions[0]?.text ?? "");
  }

  // The list moves under the search, which keeps the keyboard; but while an input method composes
  // a name, its keys are its own (a Mac's Enter confirms the text, its arrows choose a word).
  private searchKey(event: KeyboardEvent): void {
    if (event.isComposing) return;
    const step = { ArrowDown: 1, ArrowUp: -1, PageDown: LIST_ROWS, PageUp: -LIST_ROWS }[event.key];
    if (step !== undefined && this.list.options.length > 0) {
      event.preventDefault();
      this.list.selectedIndex = Math.min(this.list.options.length - 1, Math.max(0, this.list.selectedIndex + step));
      this.showChosen();
      this.chosenSpoken.now();
    } else if (event.key === "Enter") {
      event.preventDefault();
      this.take();
    }
  }

  private take(): void {
    const chosen = this.list.value;
    if (chosen === "") return;
    this.form.writeSymbol(chosen.slice(1), chosen.startsWith("\\"));
    this.dialog.close();
  }

  private showName(): void {
    const shown = this.core.symbolShown(this.form.text("symbol"), this.form.checked("alternateTable"));
    setText(this.name, shown);
    setTipPart(element("symbol"), "symbol", shown);
    const line = withValues(this.words["symbolShown"] ?? "", shown);
    setText(this.previewLine, line);
  }
}
