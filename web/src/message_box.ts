// The page's message box: a title, a text shown as plain text, and OK.
function element<T extends HTMLElement>(id: string): T {
  return document.getElementById(id) as T;
}

export function showMessage(title: string, text: string): void {
  const box = element<HTMLDialogElement>("messageBox");
  element("messageTitle").textContent = title;
  element("messageText").textContent = text;
  if (!box.open) box.showModal();
  element("messageOk").focus();
}

export function setUpMessageBox(): void {
  element("messageOk").addEventListener("click", () => element<HTMLDialogElement>("messageBox").close());
}
