// What a field keeps of an edit under its input rule from the core: pure text in, text out, so
// that every way text comes in is judged by the same few lines.
import type { InputRule } from "./core.js";

// East Asian input methods type ASCII in its full-width forms ("２００", "ＤＬ１"), and a Japanese
// one "、", "。" and its long-vowel mark "ー" for the comma, the point and the minus: judged, as the
// core's rules judge them, as the ASCII characters they stand for.
const IDEOGRAPHIC: Record<string, string> = {
  "\u3000": " ",
  "、": ",",
  "､": ",",
  "。": ".",
  "｡": ".",
  ー: "-",
  ｰ: "-",
};

function narrowed(character: string): string {
  const code = character.codePointAt(0) ?? 0;
  if (code >= 0xff01 && code <= 0xff5e) return String.fromCodePoint(code - 0xfee0);
  return IDEOGRAPHIC[character] ?? character;
}

// A Turkish or Azeri keyboard types its own two forms of the letter: the dotless "ı", and the
// dotted capital "İ" that a phone's capitals make of "i". Raised, both are the "I" of capitals.
function raised(character: string): string {
  if (character === "ı" || character === "İ") return "I";
  return character.replace(/[a-z]/, (c) => c.toUpperCase());
}

/**
 * What the field keeps of `text`: the accepted characters, raised where the rule says, a comma as
 * the point where it reads decimals; the first `room` of them.
 */
export function acceptedText(rule: InputRule, text: string, gpsless: boolean, room = Infinity): string {
  const accepted = gpsless ? rule.acceptedGpsless : rule.accepted;
  // Each character judged once, and none after the room is full: a pasted book costs what a word
  // does.
  const judged: (string | undefined)[] = [];
  let kept = "";
  for (let at = 0; at < text.length && kept.length < room;) {
    const code = text.codePointAt(at) ?? 0;
    at += code > 0xffff ? 2 : 1;
    let verdict = judged[code];
    if (verdict === undefined) {
      const narrow = narrowed(String.fromCodePoint(code));
      const character = rule.decimalComma && narrow === "," ? "." : narrow;
      const raisedCharacter = rule.upperCase ? raised(character) : character;
      verdict = accepted.includes(raisedCharacter) ? raisedCharacter : "";
      judged[code] = verdict;
    }
    kept += verdict;
  }
  return kept;
}

/** Where `after` differs from `before`: the span of `after` that an edit ending at `caret` put in. */
function insertedSpan(before: string, after: string, caret: number): [number, number] {
  let kept = after.length - caret;
  if (kept < 0 || kept > before.length || !before.endsWith(after.slice(caret))) {
    kept = 0;
    while (kept < Math.min(before.length, after.length) && before.at(-1 - kept) === after.at(-1 - kept)) ++kept;
  }
  const limit = Math.min(before.length, after.length) - kept;
  let start = 0;
  while (start < limit && before[start] === after[start]) ++start;
  return [start, after.length - kept];
}

/**
 * The field's content after the user changed `before` into `after`, the caret at `caret`: what
 * came in kept as the rule keeps it, within the field's length (where it keeps none of it, the
 * text as it was); null when the rule keeps it all. With `overtype`, what is kept takes the place
 * of as many characters after it.
 */
export function ruledEdit(
  rule: InputRule,
  before: string,
  after: string,
  caret: number,
  gpsless: boolean,
  overtype = false,
): { value: string; caret: number } | null {
  const [start, end] = insertedSpan(before, after, caret);
  const added = after.slice(start, end);
  const covered = overtype ? Math.min(acceptedText(rule, added, gpsless).length, after.length - end) : 0;
  const rest = after.slice(end + covered);
  const room = rule.maxLength > 0 ? rule.maxLength - (start + rest.length) : Infinity;
  const kept = acceptedText(rule, added, gpsless, Math.max(room, 0));
  if (kept === added && covered === 0) return null;
  // Nothing of it kept: the text it replaced stays, as a refused key leaves a selection.
  if (kept === "") return { value: before, caret: before.length - (after.length - end) };
  return { value: after.slice(0, start) + kept + rest, caret: start + kept.length };
}
