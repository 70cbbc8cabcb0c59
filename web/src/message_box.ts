// The page's message box: a title, a text and, below it, what to do, all shown as plain text, and
// OK. Modal: the promise settles when the user has closed it.
import type { Core } from "./core.js";
import { element } from "./dom.js";

// Texts from files, the browser and the system show their hidden characters by code, through the
// core once it is there; a message that the core could not load shows as it is.
let visible = (text: string): string => text;

export function showHiddenCharactersWith(core: Core): void {
  visible = (text) => core.visibleText(text);
}

export function showMessage(title: string, text: string, detail = ""): Promise<void> {
  const box = element("messageBox", HTMLDialogElement);
  element("messageTitle").textContent = title;
  element("messageText").textContent = visible(text);
  element("messageDetail").textContent = visible(detail);
  element("messageDetail").hidden = detail === "";
  if (!box.open) box.showModal();
  element("messageOk").focus();
  return new Promise((closed) => box.addEventListener("close", () => closed(), { once: true }));
}

// The box's own title, the core's word as the page was made: also before the core is there.
let title = "";

/** The title of the program's messages, "Zelvar". */
export function messageTitle(): string {
  return title;
}

export function setUpMessageBox(): void {
  title = element("messageTitle").textContent ?? "";
  element("messageOk").addEventListener("click", () => element("messageBox", HTMLDialogElement).close());
}
