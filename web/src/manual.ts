// F1 anywhere, or Help (F1): the manual, made at build time from the same RTF source as the
// desktop program's, in a window of its own. A second F1 shows it again from the top.
import { element } from "./dom.js";
import { messageTitle, showMessage } from "./message_box.js";

const MANUAL = "manual/index.html";

export function openManual(): void {
  const manual = window.open(MANUAL, "zelvar-manual");
  if (!manual)
    void showMessage(messageTitle(), `The browser kept ${MANUAL} from opening: allow this page to open windows.`);
  else manual.focus();
}

export function setUpManual(): void {
  element("help").addEventListener("click", openManual);
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
