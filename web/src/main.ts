// Zelvar Config in the browser: the form on the same C++ core as the desktop program.
import { AdviceView } from "./advice_view.js";
import { CalculatorView } from "./calculator_view.js";
import { ConnectionView } from "./connection_view.js";
import { loadCore } from "./core.js";
import { element } from "./dom.js";
import { FileActions } from "./file_actions.js";
import { FirstSteps } from "./first_steps.js";
import { FormView } from "./form_view.js";
import { setUpManual } from "./manual.js";
import { HiddenMarks } from "./hidden_marks.js";
import { addLanguageMenu, pageCatalogue, pageOf, wantedLanguage } from "./language.js";
import { messageTitle, setUpMessageBox, showHiddenCharactersWith, showMessage } from "./message_box.js";
import { pageText, usePageTranslations } from "./page_texts.js";
import { PortChoice } from "./port_choice.js";
import { PortHelp } from "./port_help.js";
import { PreviewView } from "./preview_view.js";
import { ProgressDialog } from "./progress_dialog.js";
import { keepOpenState } from "./remembered.js";
import { SendAction } from "./send_action.js";
import { platformOf } from "./serial_words.js";
import { setUpShortcuts } from "./shortcuts.js";
import { SymbolPicker } from "./symbol_picker.js";
import { UnsavedChanges } from "./unsaved_changes.js";
import { thrownMessage } from "./thrown_message.js";

const WIRE_SIZE = 170;

async function start(): Promise<void> {
  // Each language has its copy of the page: the program's own opens the one asked for instead;
  // a language's own copy stays, as a link to it asks.
  const language = wantedLanguage();
  if (document.documentElement.lang === "en" && language !== "en") {
    location.replace(pageOf(language));
    return;
  }
  // The box says why the page could not start, also when its catalogue is what failed.
  setUpMessageBox();
  const catalogue = await pageCatalogue();
  usePageTranslations(catalogue?.texts ?? {});
  addLanguageMenu(pageText("language"));
  setUpManual();
  setUpShortcuts();
  reportFailures();
  // What needs no core is set up while its WebAssembly compiles: the form is already there.
  keepOpenState(element("wireBytesDetails", HTMLDetailsElement), "wire bytes shown");
  // The calculator beside the beacon it writes: on a phone it opens there, in the page's flow.
  element("beacon").closest(".row")?.after(element("calculator"));
  const platform = platformOf(navigator);
  const connection = new ConnectionView(navigator.serial !== undefined, platform);
  const help = new PortHelp(navigator.serial !== undefined, platform);
  const steps = new FirstSteps();
  // The browser's words for a core that did not load are its runtime's, for developers; a
  // browser without WebAssembly is told as such.
  const core = await loadCore().catch((error: unknown) => {
    throw typeof WebAssembly === "undefined" ? error : new Error(pageText("coreFailed"), { cause: error });
  });
  core.useCatalogue(catalogue);
  showHiddenCharactersWith(core);
  const form = new FormView(core);
  const preview = new PreviewView(WIRE_SIZE, core.texts());
  const marks = new HiddenMarks(core);
  new SymbolPicker(core, form, core.texts());
  const advice = new AdviceView(core, core.texts());
  // One preview per turn of the event loop, however many fields a write changed.
  let pending = false;
  form.onChange(() => {
    if (pending) return;
    pending = true;
    queueMicrotask(() => {
      pending = false;
      const read = form.read();
      preview.show(core.preview(read));
      marks.update();
      advice.show(read);
    });
  });
  const calculator = new CalculatorView(core, form);
  // The factory defaults the page was made with, or what was typed before the core was there,
  // now under the core's rules.
  form.write(form.read());
  const unsaved = new UnsavedChanges(
    () => form.read(),
    () => calculator.inputs(),
  );
  unsaved.keepForm(core.defaults());
  form.onChange(() => {
    unsaved.update();
    steps.mark("stepSettings");
  });
  new FileActions(core, form, calculator, unsaved);
  const ports = navigator.serial ? new PortChoice(navigator.serial) : null;
  ports?.onStatus((status) => {
    connection.showPorts(status);
    help.showPorts(status);
    steps.mark("stepConnect", status.present);
  });
  const send = new SendAction(core, form, new ProgressDialog(), ports, unsaved);
  send.onOutcome((outcome) => {
    connection.sendStage(outcome);
    if (outcome === "sent") steps.mark("stepSend");
  });
  element("openCalculator").addEventListener("click", () => calculator.open());
  element("page").dataset["state"] = "ready";
  // The form's first control, where the window's focus starts too, unless the user is elsewhere;
  // the page stays at its top, where the connection area and the first steps are.
  if (document.activeElement === document.body) {
    element("setup").querySelector<HTMLElement>("input, select")?.focus({ preventScroll: true });
  }
  // The moment the core answers the form, for bench/web_bench.mjs.
  performance.mark("zelvar-ready");
  keepForOffline();
}

// A fault of the page itself is said, not left in the console behind a page that seems to hang. A
// rejection that a part of the page cancels (preventDefault) as its own is no fault: it is judged
// once every listener has heard it.
function reportFailures(): void {
  const tell = (error: unknown) => void showMessage(messageTitle(), pageText("pageFault", thrownMessage(error)));
  window.addEventListener("error", (event) => tell(event.error ?? event.message));
  window.addEventListener("unhandledrejection", (event) =>
    setTimeout(() => {
      if (!event.defaultPrevented) tell(event.reason);
    }),
  );
}

// After the first visit the page starts, and sends, without the network.
function keepForOffline(): void {
  navigator.serviceWorker?.register("sw.js").catch((error: unknown) => {
    console.warn("Zelvar Config will not start offline:", error);
  });
}

start().catch((error: unknown) => {
  // From a file:// address the browser refuses the page its core and its catalogue alike: the
  // way out, in the words the page was made with in its language.
  const fromDisk = location.protocol === "file:" ? element("messageBox").dataset["fromDisk"] : undefined;
  const cause: unknown = error instanceof Error ? error.cause : undefined;
  const detail = cause === undefined ? "" : pageText("coreFailedDetail", thrownMessage(cause));
  void showMessage(messageTitle(), fromDisk ?? pageText("startFailed", thrownMessage(error)), fromDisk ? "" : detail);
});
