// Zelvar Config in the browser: the form on the same C++ core as the desktop program.
import { CalculatorView } from "./calculator_view.js";
import { loadCore } from "./core.js";
import { FileActions } from "./file_actions.js";
import { FormView } from "./form_view.js";
import { setUpManual } from "./manual.js";
import { setUpMessageBox, showMessage } from "./message_box.js";
import { PreviewView } from "./preview_view.js";

const WIRE_SIZE = 170;

async function start(): Promise<void> {
  setUpMessageBox();
  setUpManual();
  const core = await loadCore();
  const form = new FormView(core);
  const preview = new PreviewView(WIRE_SIZE);
  // One preview per turn of the event loop, however many fields a write changed.
  let pending = false;
  form.onChange(() => {
    if (pending) return;
    pending = true;
    queueMicrotask(() => {
      pending = false;
      preview.show(core.preview(form.read()));
    });
  });
  const calculator = new CalculatorView(core, form);
  new FileActions(core, form, calculator);
  document.getElementById("openCalculator")?.addEventListener("click", () => calculator.open());
  form.write(core.defaults());
  document.getElementById("page")!.dataset["state"] = "ready";
  form.control("NumFlagsAuto").focus();
  // The moment the form takes input, for bench/web_bench.mjs.
  performance.mark("zelvar-ready");
}

start().catch((error: unknown) => {
  showMessage("Zelvar", `Zelvar Config could not start: ${error instanceof Error ? error.message : String(error)}`);
});
