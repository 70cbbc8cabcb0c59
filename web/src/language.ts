// The page's language: the one chosen in its menu (remembered in localStorage), else the first of
// the browser's languages (navigator.languages) that has a catalogue, else the program's own
// texts. Each language has its own copy of the page, made at build time with its texts
// (index-de.html); the core's messages and the texts the page makes later come from the same
// catalogue (translations/de.json).
import type { Catalogue } from "./core.js";
import { recall, remember } from "./remembered.js";

const STORED = "language";

/** The languages with a catalogue, by their code and their own name; "en": the program's own. */
export const LANGUAGES: readonly (readonly [string, string])[] = [
  ["en", "English"],
  ["de", "Deutsch"],
  ["es", "Español"],
  ["fr", "Français"],
  ["it", "Italiano"],
  ["ja", "日本語"],
  ["pt_BR", "Português (Brasil)"],
];

/** The language of the browser's list ("de-AT", "pt-BR") that has a catalogue, first wins;
 * "en" where English comes first or none has one. The pseudo-locale answers to "en-XA". */
export function languageFor(wanted: readonly string[], available: readonly string[]): string {
  for (const asked of wanted) {
    const code = asked.replace("-", "_");
    const base = code.split("_")[0] ?? code;
    const found =
      available.find((language) => language.toLowerCase() === code.toLowerCase()) ??
      available.find((language) => language === base);
    if (found) return found;
    if (base === "en") return "en";
  }
  return "en";
}

/** The page of `language` beside this one. */
export function pageOf(language: string): string {
  return language === "en" ? "./" : `index-${language}.html`;
}

/** The language asked for: the menu's choice, else the browser's. */
export function wantedLanguage(): string {
  const codes = [...LANGUAGES.map(([code]) => code), "en_XA"];
  const chosen = recall(STORED);
  return chosen !== null && codes.includes(chosen) ? chosen : languageFor(navigator.languages, codes);
}

/** Keeps `language` for the next visits and opens its page. */
export function chooseLanguage(language: string): void {
  remember(STORED, language);
  location.replace(pageOf(language));
}

// The keys that move a closed menu's choice: arrows, Home, End, pages, and a letter of a name.
const STEPPING_KEYS = /^(Arrow\w+|Home|End|Page\w+|[^ ])$/u;

/** The menu of languages in the page's title bar, `label` its name for a screen reader. */
export function addLanguageMenu(label: string): void {
  const current = document.documentElement.lang.replace("-", "_");
  const menu = document.createElement("select");
  menu.id = "language";
  menu.setAttribute("aria-label", label);
  menu.title = label;
  const languages = LANGUAGES.some(([code]) => code === current)
    ? LANGUAGES
    : [...LANGUAGES, [current, current] as const];
  for (const [code, name] of languages) menu.add(new Option(name, code, false, code === current));
  const open = () => {
    const chosen = menu.value;
    if (chosen === current) return;
    // Where the browser asks before leaving and the user stays, the menu still names this page's
    // language, and choosing the other one again asks again.
    menu.value = current;
    chooseLanguage(chosen);
  };
  // Arrows and letters step through the closed menu one language at a time, and each step would
  // open another page before a screen reader has said the next name: from the keys, the choice
  // waits for Enter or for the focus to leave. The mouse and the open list choose at once.
  let stepping = false;
  menu.addEventListener("keydown", (event) => {
    if (event.key === "Enter") open();
    else stepping = !event.altKey && STEPPING_KEYS.test(event.key);
  });
  menu.addEventListener("pointerdown", () => (stepping = false));
  menu.addEventListener("change", () => {
    if (!stepping) open();
  });
  menu.addEventListener("blur", open);
  document.querySelector("header.title")?.append(menu);
}

/** The catalogue of the page's own language, or null for the program's own texts. */
export async function pageCatalogue(): Promise<Catalogue | null> {
  const language = document.documentElement.lang.replace("-", "_");
  if (language === "en") return null;
  const answer = await fetch(`translations/${language}.json`);
  return answer.ok ? ((await answer.json()) as Catalogue) : null;
}
