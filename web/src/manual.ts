// F1 anywhere, or Help (F1): the manual, made at build time from the same RTF source as the
// desktop program's, in a window of its own. A second F1 shows it again from the top.
import { element } from "./dom.js";
import { messageTitle, showMessage } from "./message_box.js";
import { pageText } from "./page_texts.js";

const MANUAL = "manual/index.html";

export function openManual(): void {
  const manual = window.open(MANUAL, "zelvar-manual");
  if (!manual) void showMessage(messageTitle(), pageText("manualBlocked", MANUAL));
  else manual.focus();
}

export function setUpManual(): void {
  element("help").addEventListener("click", openManual);
  // The manual is written in English only; each language says so where Help is offered.
  element("help").title = pageText("manualEnglish");
  document.addEventListener(
    "keydown",
    (event) => {
      if (event.key !== "F1") return;
      event.preventDefault();
      openManual();
    },
    { capture: true },
  );
}
