// The page's message box: a title, a text and, below it, what to do, all shown as plain text, and
// OK. Modal: the promise settles when the user has closed it.
function element<T extends HTMLElement>(id: string): T {
  return document.getElementById(id) as T;
}

export function showMessage(title: string, text: string, detail = ""): Promise<void> {
  const box = element<HTMLDialogElement>("messageBox");
  element("messageTitle").textContent = title;
  element("messageText").textContent = text;
  element("messageDetail").textContent = detail;
  element("messageDetail").hidden = detail === "";
  if (!box.open) box.showModal();
  element("messageOk").focus();
  return new Promise((closed) => box.addEventListener("close", () => closed(), { once: true }));
}

export function setUpMessageBox(): void {
  element("messageOk").addEventListener("click", () => element<HTMLDialogElement>("messageBox").close());
}
