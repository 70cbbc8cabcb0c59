// The page's elements by id, and their texts. One that is missing, or of another kind than the code needs, is a
// fault of the page itself: it throws at once and names the id, instead of a null failing later.

type ElementKind<T extends HTMLElement> = abstract new () => T;

export function element(id: string): HTMLElement;
export function element<T extends HTMLElement>(id: string, kind: ElementKind<T>): T;
export function element(id: string, kind: ElementKind<HTMLElement> = HTMLElement): HTMLElement {
  const found = document.getElementById(id);
  if (found instanceof kind) return found;
  throw new Error(found ? `the page's element "${id}" is no ${kind.name}` : `the page has no element "${id}"`);
}

/** Writes `text` into `node` only where it differs, so that unchanged text costs no layout. */
export function setText(node: Node, text: string): void {
  if (node.textContent !== text) node.textContent = text;
}
