// Default, Save and Load. Save downloads the .cfg the desktop program writes, under the name in
// "Save as" (".cfg" added to a name without an extension, as file dialogs do); Load reads one
// chosen or dropped on the page with the desktop program's reader and its error texts. Of a
// file only as much is read as that reader ever takes, so a huge one costs no more than a
// small one and gets the desktop's verdict. A load that fails changes nothing, and of two files
// dropped one after the other the later one wins, however long the earlier one takes to read.
import type { Core } from "./core.js";
import type { CalculatorView } from "./calculator_view.js";
import { element } from "./dom.js";
import type { FormView } from "./form_view.js";
import { bytesToLatin1, latin1ToBytes } from "./latin1.js";
import { messageTitle, showMessage } from "./message_box.js";
import type { UnsavedChanges } from "./unsaved_changes.js";
import { thrownMessage } from "./thrown_message.js";

const EXTENSION = ".cfg";

/** The name a download gets for what "Save as" holds; `fallback` for none. */
export function savedName(typed: string, fallback: string): string {
  // Dots at the end go, as Windows drops them: "home.cfg." is home.cfg, not home.cfg.cfg.
  const name = typed.trim().replace(/[.\s]+$/, "");
  if (name === "") return fallback;
  return /[^.]\.[^.]+$/.test(name) ? name : name + EXTENSION;
}

export class FileActions {
  private loadsStarted = 0;

  constructor(
    private readonly core: Core,
    private readonly form: FormView,
    private readonly calculator: CalculatorView,
    private readonly unsaved: UnsavedChanges,
  ) {
    const chooser = element("loadFile", HTMLInputElement);
    element("defaults").addEventListener("click", () => {
      form.write(core.defaults());
      unsaved.keepForm();
    });
    element("save").addEventListener("click", () => this.save());
    element("load").addEventListener("click", () => chooser.click());
    chooser.addEventListener("change", () => {
      const file = chooser.files?.[0];
      chooser.value = "";
      if (file) void this.load(file);
    });
    this.acceptDrops();
  }

  save(): void {
    const saved = this.core.saveCfg(this.form.read(), this.calculator.inputs());
    if (!saved.ok) {
      void showMessage("Zelwar", saved.reason);
      return;
    }
    const link = document.createElement("a");
    link.href = URL.createObjectURL(new Blob([latin1ToBytes(saved.text)], { type: "application/octet-stream" }));
    link.download = savedName(element("saveName", HTMLInputElement).value, this.core.texts().cfgDefaultName ?? "");
    link.click();
    setTimeout(() => URL.revokeObjectURL(link.href), 0);
    this.unsaved.keepAll();
  }

  async load(file: File): Promise<void> {
    const ticket = ++this.loadsStarted;
    let text: string;
    try {
      text = bytesToLatin1(new Uint8Array(await file.slice(0, this.core.cfgReadLimit()).arrayBuffer()));
      // A file chosen or dropped meanwhile replaces this one: its bytes came too late.
      if (ticket !== this.loadsStarted) return;
    } catch (error) {
      if (ticket !== this.loadsStarted) return;
      void showMessage(messageTitle(), `${file.name}: ${thrownMessage(error)}`);
      return;
    }
    const loaded = this.core.loadCfg(text, this.form.read(), this.calculator.inputs());
    if (!loaded.ok) {
      void showMessage(messageTitle(), `${file.name}: ${loaded.reason ?? ""}`);
      return;
    }
    this.form.write(loaded.form);
    this.calculator.setInputs(loaded.calculator);
    this.unsaved.keepAll();
  }

  private acceptDrops(): void {
    const hint = element("dropHint");
    let depth = 0;
    const carriesFiles = (event: DragEvent) => event.dataTransfer?.types.includes("Files") ?? false;
    document.addEventListener("dragenter", (event) => {
      if (!carriesFiles(event)) return;
      ++depth;
      hint.hidden = false;
    });
    document.addEventListener("dragleave", () => {
      depth = Math.max(depth - 1, 0);
      hint.hidden = depth > 0;
    });
    document.addEventListener("dragover", (event) => {
      if (carriesFiles(event)) event.preventDefault();
    });
    document.addEventListener("drop", (event) => {
      depth = 0;
      hint.hidden = true;
      const file = event.dataTransfer?.files[0];
      if (!file) return;
      event.preventDefault();
      void this.load(file);
    });
  }
}
