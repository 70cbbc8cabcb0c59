// The keys the manual names, on the page as in the window: Ctrl+S Save, Ctrl+O Load, Ctrl+P the
// preview of SEND; Alt with a button's underlined letter presses it, and in the calculator and the
// symbol picker their own. On a Mac, Cmd stands for Ctrl, and Ctrl+Option for Alt, since Option
// alone types characters there. A key that finds nothing to do is left to the browser, and a key
// an input method takes while it composes ("Process") to the input method: a Japanese one's
// Ctrl+O and Ctrl+P convert the text being composed.
import { element } from "./dom.js";

const COMMANDS: Record<string, string> = { s: "save", o: "load", p: "previewTitle" };

const apple = /Mac|iPhone|iPad/.test(navigator.platform);

// The letter a key stands for, as in the window: the Latin letter it types (Dvorak's S is where
// QWERTY has ";"; a Turkish F keyboard's "ğ" is no E), else the letter of its place, for a key
// that types another alphabet's letter (a Russian keyboard's "ы" is Ctrl+S, as in the browser's
// own keys) or none, or on a Mac with Option, which changes what a key types.
function letterOf(event: KeyboardEvent, byPlace = false): string | undefined {
  if (!byPlace && /^\p{Script=Latin}$/u.test(event.key)) return event.key.toLowerCase();
  return /^Key([A-Z])$/.exec(event.code)?.[1]?.toLowerCase();
}

// What a caption's underlined letter stands for: its button, the field its label names, or the
// heading it is in. The captions are in the user's language, and so are their letters.
function controlOf(underlined: Element): HTMLElement | null {
  const button = underlined.closest("button");
  if (button) return button;
  const label = underlined.closest("label");
  if (label) return label.control;
  return underlined.closest<HTMLElement>("[id]");
}

// Inside the calculator its own letters come first, then the window's, as in the desktop's; a
// modal box (the symbol picker) has only its own.
function mnemonicTarget(letter: string, modal: Element | null): HTMLElement | undefined {
  const targets = [...(modal ?? document).querySelectorAll("u")]
    .filter((u) => u.textContent?.toLowerCase() === letter)
    .map(controlOf)
    .filter((control): control is HTMLElement => control !== null && control.getClientRects().length > 0);
  if (modal) return targets[0];
  const calculator = element("calculator");
  const inCalculator = calculator.contains(document.activeElement);
  const ofCalculator = (control: HTMLElement) => calculator.contains(control);
  return (inCalculator ? targets.find(ofCalculator) : undefined) ?? targets.find((c) => !ofCalculator(c));
}

// A modal box keeps the keys to itself until it is closed: only its own letters act.
function targetOf(event: KeyboardEvent): HTMLElement | undefined {
  if (event.shiftKey) return undefined;
  const modal = document.querySelector("dialog:modal");
  const command = apple ? event.metaKey && !event.ctrlKey : event.ctrlKey && !event.metaKey;
  if (command && !event.altKey) {
    const letter = letterOf(event);
    const id = letter === undefined ? undefined : COMMANDS[letter];
    return id && !modal ? element(id) : undefined;
  }
  const mnemonic = event.altKey && !event.metaKey && (apple ? event.ctrlKey : !event.ctrlKey);
  const letter = mnemonic ? letterOf(event, apple) : undefined;
  return letter ? mnemonicTarget(letter, modal) : undefined;
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
    if (event.defaultPrevented || event.isComposing || event.key === "Process") return;
    const target = targetOf(event);
    if (target && act(target)) event.preventDefault();
  });
}
