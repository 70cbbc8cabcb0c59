// Makes the page's index.html from web/static/index.html (with style.css inside) and the core's field table and texts,
// as the page is built (scripts/assemble-web bundles it with the form's markup maker), and a copy
// of it in each language of OUT/translations/LANG.json (index-LANG.html), its core's and its own
// texts from that catalogue:
//   node make_page.mjs MODULE-FOLDER TEMPLATE OUT
import { createHash } from "node:crypto";
import { readdirSync, readFileSync, writeFileSync } from "node:fs";
import { createRequire } from "node:module";
import { dirname, join, resolve } from "node:path";

import { pageMarkup } from "../src/form_markup.ts";
import { PAGE_TEXTS } from "../src/page_texts.ts";

const [moduleFolder, template, out] = process.argv.slice(2);
if (!moduleFolder || !template || !out) throw new Error("usage: make_page MODULE-FOLDER TEMPLATE OUT");
const folder = resolve(moduleFolder);
const createZelvar = createRequire(import.meta.url)(join(folder, "zelvar.js"));
// Node.js has a fetch that cannot read a path: the module gets its bytes directly.
const core = await createZelvar({ wasmBinary: readFileSync(join(folder, "zelvar.wasm")) });
// The style sheet inside the page, which the first paint waited for as a file of its own; the
// Content-Security-Policy allows exactly it by its digest.
const style = readFileSync(join(dirname(resolve(template)), "style.css"), "utf8");
const digest = createHash("sha256").update(style).digest("base64");
const twice = Object.keys(PAGE_TEXTS).filter((key) => key in core.texts());
if (twice.length > 0) throw new Error(`the page and the core both have the texts ${twice.join(", ")}`);

/** The page in the language of `catalogue` (null: the program's own texts). */
function pageIn(language, catalogue) {
  core.useCatalogue(catalogue);
  const translated = (text) => {
    const found = catalogue?.texts[`page\u0004${text}`];
    return typeof found === "string" ? found : text;
  };
  // The page's own texts beside the core's: one key, one text.
  const pageTexts = Object.fromEntries(Object.entries(PAGE_TEXTS).map(([key, text]) => [key, translated(text)]));
  const model = {
    fields: core.fields(),
    groups: core.groups(),
    actions: core.actions(),
    texts: { ...core.texts(), ...pageTexts },
    defaults: core.defaults(),
    counter: (most, left) => core.counter(most, left),
  };
  const page = pageMarkup(readFileSync(template, "utf8"), model)
    .replace('<html lang="en">', `<html lang="${language.replace("_", "-")}">`)
    .replace("style-src 'self'", `style-src 'self' 'sha256-${digest}'`)
    .replace('<link rel="stylesheet" href="style.css">', () => `<style>${style}</style>`);
  if (!page.includes(digest) || page.includes('href="style.css"'))
    throw new Error("the page's template has no style sheet to take in");
  return page;
}

writeFileSync(join(out, "index.html"), pageIn("en", null));
const translations = join(out, "translations");
for (const file of readdirSync(translations).filter((name) => name.endsWith(".json"))) {
  const language = file.slice(0, -".json".length);
  const catalogue = JSON.parse(readFileSync(join(translations, file), "utf8"));
  writeFileSync(join(out, `index-${language}.html`), pageIn(language, catalogue));
}
