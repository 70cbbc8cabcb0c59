// The page in other languages: the pseudo-locale en_XA (every text of the catalogue accented, 40 %
// longer, in brackets) overflows no box at 360 and 1280 px and shows no text that bypassed the
// catalogue; the language menu opens the page in the chosen language and is remembered.
import assert from "node:assert/strict";
import { readdir, readFile } from "node:fs/promises";
import { join } from "node:path";
import { pathToFileURL } from "node:url";
import { describe, it } from "node:test";
import { setTimeout as sleep } from "node:timers/promises";

import { WEB } from "./support/core_module.mjs";
import { fileDialogOf, messageShown, testBed } from "./support/page.mjs";

const bed = testBed();

// What is data, not text, and keeps its form in every language: the Mic-E messages the radios
// show (alone or after their number), quoted settings, hex bytes.
const keptTexts = () => {
  const { choices } = bed.core.fields().find((f) => f.name === "micEMessage");
  return `^(\\d+ )?(${choices.join("|")})$|^".*"$|^[0-9A-F ]+$`;
};

/** Each box the page overflows, each visible text without an accent or a bracket, and each joined outside one. */
function problems(kept) {
  const found = [];
  const shown = (element) => element.checkVisibility({ checkVisibilityCSS: true });
  for (const element of document.querySelectorAll("body *")) {
    // A field scrolls its own text; what only a screen reader hears is clipped on purpose.
    if (!shown(element) || element.closest("select#language, input, .visually-hidden")) continue;
    const overflow = getComputedStyle(element).overflowX;
    if (
      !["auto", "scroll"].includes(overflow) &&
      element.scrollWidth > element.clientWidth + 1 &&
      element.clientWidth > 0
    )
      found.push(
        `overflows: ${element.tagName}#${element.id}.${element.className} ${element.scrollWidth} > ${element.clientWidth}`,
      );
  }
  if (document.documentElement.scrollWidth > document.documentElement.clientWidth)
    found.push(`the page scrolls sideways: ${document.documentElement.scrollWidth}`);
  const walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
  for (let node = walker.nextNode(); node; node = walker.nextNode()) {
    const text = node.textContent.trim();
    const parent = node.parentElement;
    // Texts of the catalogue joined by punctuation of the page's own ("[Adapter]:"), not the language's.
    let depth = 0;
    const outside = [...text].filter((c) => (depth += c === "[" ? 1 : c === "]" ? -1 : 0) === 0 && c !== "]");
    if (parent && shown(parent) && text.includes("[") && /[:;,.!?]/.test(outside.join("")))
      found.push(`joined outside the catalogue: ${parent.tagName}#${parent.id} "${text.slice(0, 80)}"`);
    // A key letter stands alone in its <u>, the rest of its text around it.
    if (!/[A-Za-z]/.test(text) || !parent || !shown(parent) || parent.closest("select#language, u")) continue;
    if (new RegExp(kept).test(text) || /[^ -~]|\[/.test(text)) continue;
    found.push(`not from the catalogue: ${parent.tagName}#${parent.id} "${text.slice(0, 80)}"`);
  }
  return found;
}

describe("languages", () => {
  for (const width of [360, 1280]) {
    it(`fits and translates every text of the pseudo-locale at ${width} px`, async () => {
      const page = await bed.open(`${bed.server.url}index-en_XA.html`);
      await page.setViewportSize({ width, height: 900 });
      for (const details of await page.$$("details")) await details.evaluate((d) => (d.open = true));
      const found = await page.evaluate(problems, keptTexts());
      assert.deepEqual(found, []);
      // A search the picker finds nothing for is quoted in its answer, however long a paste made it.
      await page.click("#chooseSymbol");
      await page.fill("#symbolSearch", "x".repeat(100));
      assert.deepEqual(await page.evaluate(problems, `${keptTexts()}|x{100}`), []);
      await page.close();
    });
  }

  // A browser without WebAssembly (or a fault of the page) is told why in the page's language;
  // so is a page opened from the disk, whose catalogue the browser refuses as it does the core.
  it("says in its language why it could not start", async () => {
    const page = await bed.context.newPage();
    await page.addInitScript(() => delete globalThis.WebAssembly);
    await page.goto(`${bed.server.url}index-en_XA.html`);
    assert.match((await messageShown(page)).text, /^\[Zelvar Çóñƒíğ/);
    await page.goto(pathToFileURL(join(WEB, "index-en_XA.html")).href);
    const { title, text } = await messageShown(page);
    assert.match(title, /^\[.+\]$/);
    assert.match(text, /^\[.*8124.*\]$/s);
    await page.close();
  });

  // Later words are the catalogue's too: a byte's tip (MY CALLSIGN's first, each line one text,
  // its colon too), a file Load refuses (an empty one too), SEND without a port, and the progress
  // of a send whose line fails mid-send.
  it("says in its language what a byte holds and why a file or a send fails", async () => {
    const page = await bed.open(`${bed.server.url}index-en_XA.html`, () => {
      const port = {
        getInfo: () => ({ usbVendorId: 0x0403, usbProductId: 0x6001 }),
        open: async () => {},
        close: async () => {},
        writable: new WritableStream({ write: () => Promise.reject(new DOMException("gone", "NetworkError")) }),
      };
      Serial.prototype.getPorts = async () => [port];
      Serial.prototype.requestPort = async () => port;
    });
    await page.$eval("#wireBytesDetails", (details) => (details.open = true));
    const cell = page.locator("#wireBytes tbody td").nth(18);
    await cell.hover();
    const lines = (await cell.getAttribute("title")).split("\n");
    assert.ok(lines.length > 1, lines.join("\n"));
    for (const line of lines) assert.match(line, /^\[.*\]$/);
    for (const content of ["", "{\\rtf1 x}"]) {
      await page.setInputFiles("#loadFile", { name: "x.cfg", mimeType: "text/plain", buffer: Buffer.from(content) });
      assert.match((await messageShown(page)).text, /^x\.cfg: \[.+\]$/s, JSON.stringify(content));
    }
    await page.fill("#portNumber", "");
    await page.click("#send");
    assert.match((await messageShown(page)).detail, /^\[/);
    await page.fill("#portNumber", "1");
    await page.click("#send");
    await messageShown(page);
    assert.match(await page.textContent("#lblInfo"), /^\r\n\[[^\]]*COM1[^\]]*\]$/);
    await page.close();
  });

  // The keys follow the translated captions' letters.
  it("answers the letters its language underlines", async () => {
    const italian = await bed.open(`${bed.server.url}index-it.html`);
    assert.equal(await fileDialogOf(italian, () => italian.keyboard.press("Alt+R")), "loadFile");
    await italian.keyboard.press("Alt+N");
    assert.equal(await italian.evaluate(() => document.activeElement?.id), "previewTitle");
    assert.equal(await italian.getAttribute("#previewTitle", "aria-keyshortcuts"), "Control+P Alt+N");
    await italian.close();
  });

  // Alt and a letter two captions share presses the first: in French "Aperçu" once reset the form.
  it("underlines a letter of its own for each control, in the form and in the calculator, in every language", async () => {
    // Each copy of the page the build made, one a language, the pseudo-locale's among them.
    for (const language of (await readdir(WEB)).filter((name) => /^index(-\w+)?\.html$/.test(name))) {
      const page = await bed.open(`${bed.server.url}${language}`);
      await page.fill("#acquisitionTimeout", "0");
      await page.click("#openCalculator");
      const shared = await page.evaluate(() => {
        const calculator = document.getElementById("calculator");
        const seen = new Map();
        for (const letter of document.querySelectorAll("u")) {
          if (letter.getClientRects().length === 0) continue;
          const key = `${calculator.contains(letter) ? "calculator" : "form"} ${letter.textContent.toLowerCase()}`;
          seen.set(key, [...(seen.get(key) ?? []), letter.parentElement.textContent.trim()]);
        }
        return [...seen].filter(([, captions]) => captions.length > 1);
      });
      assert.deepEqual(shared, [], language);
      await page.close();
    }
  });

  // A first visit's connection area names no adapter, then its state: in Japanese both once read
  // "未選択", the same word twice.
  it("says in every language what a first visit's connection area lacks, without saying it twice", async () => {
    for (const language of (await readdir(WEB)).filter((name) => /^index(-\w+)?\.html$/.test(name))) {
      const html = await readFile(join(WEB, language), "utf8");
      const [, adapter] = html.match(/<span id="adapterName">([^<]*)</);
      const [, state] = html.match(/<span id="connectionState"[^>]*>([^<]*)</);
      assert.notEqual(adapter.toLowerCase(), state.toLowerCase(), language);
    }
  });

  it("opens the chosen language's page and keeps the choice", async () => {
    const page = await bed.open(bed.server.url);
    // Asked before leaving an edit, the user stays: the page and its menu keep their language.
    await page.click("#myCall");
    await page.keyboard.type("X");
    const asked = new Promise((resolve) => page.once("dialog", (dialog) => resolve(dialog.dismiss())));
    await page.selectOption("#language", "de");
    await asked;
    assert.equal(await page.inputValue("#language"), "en");
    assert.equal(await page.evaluate(() => document.documentElement.lang), "en");
    await page.click("#defaults");
    // From the keyboard the arrows move through the closed menu without leaving; Enter opens the choice.
    await page.focus("#language");
    await page.keyboard.press("ArrowDown");
    await page.keyboard.press("ArrowDown");
    await sleep(300);
    assert.deepEqual(await page.evaluate(() => [location.pathname, document.getElementById("language").value]), [
      "/",
      "es",
    ]);
    await Promise.all([page.waitForURL(/index-es\.html$/), page.keyboard.press("Enter")]);
    await page.waitForSelector("#page[data-state=ready]");
    await Promise.all([page.waitForURL(/index-de\.html$/), page.selectOption("#language", "de")]);
    await page.waitForSelector("#page[data-state=ready]");
    assert.equal(await page.evaluate(() => document.documentElement.lang), "de");
    await page.goto(bed.server.url);
    await page.waitForURL(/index-de\.html$/);
    await page.waitForSelector("#page[data-state=ready]");
    await Promise.all([
      page.waitForURL((url) => !url.pathname.includes("index-")),
      page.selectOption("#language", "en"),
    ]);
    await page.close();
    assert.deepEqual(bed.problems, []);
  });
});
