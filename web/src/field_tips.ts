// A field's tip is made of parts that different views keep up to date (its own hint, a hidden
// character, the symbol's name, the advice); each view sets its part and the tip is the parts in
// that order, one per line, so none overwrites another's.
export type TipPart = "hidden" | "symbol" | "advice";

const ORDER: TipPart[] = ["hidden", "symbol", "advice"];
const own = new WeakMap<HTMLElement, string>();
const parts = new WeakMap<HTMLElement, Map<TipPart, string>>();

export function setTipPart(control: HTMLElement, part: TipPart, text: string): void {
  if (!own.has(control)) own.set(control, control.title);
  const held = parts.get(control) ?? new Map<TipPart, string>();
  parts.set(control, held);
  held.set(part, text);
  const tip = [own.get(control) ?? "", ...ORDER.map((p) => held.get(p) ?? "")].filter((t) => t !== "").join("\n");
  if (control.title !== tip) control.title = tip;
}
