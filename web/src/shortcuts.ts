// The keys the manual names, on the page as in the window: Ctrl+S Save, Ctrl+O Load, Ctrl+P the
// preview of SEND; Alt with a button's underlined letter presses it, and in the calculator its
// own. On a Mac, Cmd stands for Ctrl, and Ctrl+Option for Alt, since Option alone types
// characters there. A key that finds nothing to do is left to the browser.
import { element } from "./dom.js";

const COMMANDS: Record<string, string> = { KeyS: "save", KeyO: "load", KeyP: "previewTitle" };
const MNEMONICS: Record<string, string> = {
  KeyD: "defaults",
  KeyS: "save",
  KeyL: "load",
  KeyP: "previewTitle",
  KeyE: "send",
  KeyH: "help",
  KeyC: "openCalculator",
  KeyY: "chooseSymbol",
};
const CALCULATOR_MNEMONICS: Record<string, string> = {
  KeyW: "cmdCalc",
  KeyC: "calcClose",
  KeyT: "txtLat",
  KeyN: "txtLng",
};

const apple = /Mac|iPhone|iPad/.test(navigator.platform);

function targetOf(event: KeyboardEvent): string | undefined {
  if (event.shiftKey) return undefined;
  const command = apple ? event.metaKey && !event.ctrlKey : event.ctrlKey && !event.metaKey;
  if (command && !event.altKey) return COMMANDS[event.code];
  const mnemonic = event.altKey && !event.metaKey && (apple ? event.ctrlKey : !event.ctrlKey);
  if (!mnemonic) return undefined;
  const inCalculator = element("calculator").contains(document.activeElement);
  return (inCalculator ? CALCULATOR_MNEMONICS[event.code] : undefined) ?? MNEMONICS[event.code];
}

// A button is pressed, a field or the preview's heading takes the focus; what is hidden or
// disabled does nothing.
function act(target: HTMLElement): boolean {
  if (target.getClientRects().length === 0) return false;
  if (target instanceof HTMLButtonElement) {
    if (target.disabled) return false;
    target.click();
    return true;
  }
  target.scrollIntoView({ block: "start" });
  target.focus();
  if (target instanceof HTMLInputElement) target.select();
  return true;
}

export function setUpShortcuts(): void {
  document.addEventListener("keydown", (event) => {
    // A modal box keeps the keys to itself until it is closed.
    if (event.defaultPrevented || document.querySelector("dialog:modal")) return;
    const id = targetOf(event);
    if (id && act(element(id))) event.preventDefault();
  });
}
