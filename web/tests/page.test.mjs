// The page in Debian's headless Chromium, one browser for all: against zelvar-cli (the desktop
// program's core on the host) for generated records, files both ways, the calculator, the input
// rules, keyboard use, accessibility and hostile files.
import assert from "node:assert/strict";
import { mkdtemp, readFile, rm, writeFile } from "node:fs/promises";
import { tmpdir } from "node:os";
import { join, resolve } from "node:path";
import { after, before, describe, it } from "node:test";
import { createRequire } from "node:module";

import { launch } from "./support/browser.mjs";
import { cli } from "./support/cli.mjs";
import { loadCore } from "./support/core_module.mjs";
import { random, randomForm, randomPosition } from "./support/records.mjs";
import { serve } from "./support/static_server.mjs";

const WEB = resolve(process.env.ZELVAR_WEB ?? "../build/web");
const SEED = Number(process.env.ZELVAR_SEED ?? 24);
const RECORDS = 24;
// ZELVAR_PART=agree or alone runs one of the two groups, so that ctest runs them side by side.
const PART = process.env.ZELVAR_PART;

let server;
let browser;
let core;
let folder;
let page;
const problems = [];

async function freshPage(options = {}) {
  const opened = await browser.context.newPage();
  opened.on("pageerror", (error) => problems.push(error.message));
  opened.on("console", (message) => {
    if (message.type() === "error") problems.push(message.text());
  });
  await opened.setViewportSize(options.viewport ?? { width: 1280, height: 900 });
  if (options.colorScheme) await opened.emulateMedia({ colorScheme: options.colorScheme });
  await opened.goto(server.url);
  await opened.waitForSelector("#page[data-state=ready]");
  return opened;
}

const latin1 = (text) => Buffer.from(text, "latin1");

async function loadFile(target, name, bytes) {
  await target.setInputFiles("#loadFile", { name, mimeType: "application/octet-stream", buffer: bytes });
}

async function shownWire(target) {
  return target.$$eval("#wireBytes tbody td", (cells) => cells.map((cell) => cell.textContent).join("").toLowerCase());
}

async function formOf(target) {
  return target.evaluate(() => {
    const form = {};
    for (const control of document.querySelectorAll("#setup input[id], #setup select")) {
      if (control.id === "loadFile" || control.id === "saveName") continue;
      form[control.id] = control.type === "checkbox" ? control.checked : control.value;
    }
    return form;
  });
}

async function messageShown(target) {
  await target.waitForSelector("#messageBox[open]");
  const shown = { title: await target.textContent("#messageTitle"), text: await target.textContent("#messageText") };
  await target.click("#messageOk");
  return shown;
}

async function saved(target) {
  const [download] = await Promise.all([target.waitForEvent("download"), target.click("#cmdSave")]);
  return { name: download.suggestedFilename(), bytes: await readFile(await download.path()) };
}

before(async () => {
  server = await serve(WEB);
  browser = await launch();
  core = await loadCore(WEB);
  folder = await mkdtemp(join(tmpdir(), "zelvar-web-"));
  page = await freshPage();
});

after(async () => {
  await browser?.close();
  await server?.close();
  if (folder) await rm(folder, { recursive: true, force: true });
});

describe("the page and zelvar-cli agree", { skip: PART === "alone" }, () => {
  it("on the wire bytes, or the field and reason of a failed build, for generated records", async () => {
    const next = random(SEED);
    const fields = core.fields();
    for (let i = 0; i < RECORDS; ++i) {
      const form = randomForm(next, fields);
      const text = core.saveCfg(form, core.calculatorDefaults());
      assert.ok(text.ok, text.reason);
      const file = join(folder, `record-${i}.cfg`);
      await writeFile(file, latin1(text.text));
      await loadFile(page, `record-${i}.cfg`, latin1(text.text));
      const desktop = cli("image", file, "--wire");
      if (desktop.status === 0) {
        assert.equal(await page.isVisible("#previewFailure"), false, `record ${i}`);
        assert.equal(await shownWire(page), desktop.stdout.trim(), `record ${i}`);
      } else {
        const [, fieldAndReason] = desktop.stderr.trim().split("\n");
        const reason = await page.textContent("#previewReason");
        assert.ok(fieldAndReason.endsWith(`: ${reason}`), `record ${i}: ${fieldAndReason} / ${reason}`);
      }
    }
  });

  it("on files both ways: what one writes, the other loads and writes again unchanged", async () => {
    const next = random(SEED + 1);
    const fields = core.fields();
    for (let i = 0; i < RECORDS / 2; ++i) {
      const written = core.saveCfg(randomForm(next, fields), core.calculatorDefaults());
      const original = join(folder, `original-${i}.cfg`);
      await writeFile(original, latin1(written.text));
      // The desktop's files, as its writer leaves them: the page gives back the same bytes.
      const desktopFile = join(folder, `desktop-${i}.cfg`);
      if (cli("normalize", original, "-o", desktopFile).status !== 0) continue;
      const desktopBytes = await readFile(desktopFile);
      await loadFile(page, "desktop.cfg", desktopBytes);
      const fromPage = await saved(page);
      assert.deepEqual(fromPage.bytes, desktopBytes, `record ${i}`);
      // The page's file, read by the desktop: the same record, so the same normalised file.
      const pageFile = join(folder, `page-${i}.cfg`);
      await writeFile(pageFile, fromPage.bytes);
      const again = join(folder, `again-${i}.cfg`);
      assert.equal(cli("normalize", pageFile, "-o", again).status, 0);
      assert.deepEqual(await readFile(again), desktopBytes, `record ${i}`);
    }
  });

  it("on the calculator's position texts", async () => {
    const next = random(SEED + 2);
    await page.click("#cmdDefault");
    await page.fill("#GpsAcqTime", "0");
    await page.click("#openCalculator");
    for (let i = 0; i < 12; ++i) {
      const p = randomPosition(next);
      await page.fill("#Symbol", p.symbol);
      await page.setChecked("#AltTable", p.alternateTable);
      await page.setChecked("#chkCent", p.cent);
      await page.setChecked("#chkAlt", p.altitude !== "");
      await page.check(p.normal ? "#optLLtoNorm" : "#optLLtoComp");
      await page.fill("#txtLat", p.latitude);
      await page.fill("#txtLng", p.longitude);
      if (p.altitude !== "") await page.fill("#txtAlt", p.altitude);
      await page.fill("#Beacon", "unchanged");
      const args = ["position", "--lat", p.latitude, "--lon", p.longitude, "--symbol", p.symbol];
      if (!p.cent) args.push("--seconds");
      if (p.altitude !== "") args.push("--alt", p.altitude);
      if (p.normal) args.push("--normal");
      if (p.alternateTable) args.push("--alternate-table");
      const desktop = cli(...args);
      if (await page.isEnabled("#cmdCalc")) await page.click("#cmdCalc");
      const beacon = await page.inputValue("#Beacon");
      assert.equal(beacon, desktop.status === 0 ? desktop.stdout.trim() : "unchanged", JSON.stringify(p));
    }
    await page.click("#calcClose");
  });
});

describe("the page", { skip: PART === "agree" }, () => {
  it("starts with the factory defaults, in the GPS display, with nothing refused by its policy", async () => {
    const fresh = await freshPage();
    assert.equal(await fresh.evaluate(() => document.activeElement?.id), "NumFlagsAuto");
    const { name, bytes } = await saved(fresh);
    assert.equal(name, "Zelvar.cfg");
    assert.deepEqual(bytes, latin1(cli("defaults").stdout));
    assert.equal(await fresh.textContent("#beaconLabel"), "COMMENT");
    assert.equal(await fresh.isVisible("#openCalculator"), false);
    await fresh.fill("#saveName", "tracker.cfg");
    assert.equal((await saved(fresh)).name, "tracker.cfg");
    await fresh.close();
    assert.deepEqual(problems, []);
  });

  it("keeps of typed text what the core's rule for the field keeps", async () => {
    const next = random(SEED + 3);
    const sample = () => Array.from({ length: 12 }, () => String.fromCharCode(32 + next(224))).join("") + "aé{'`|~}";
    await page.click("#cmdDefault");
    for (const field of core.fields().filter((f) => f.text)) {
      for (const gpsless of field.name === "Beacon" ? [false, true] : [false]) {
        await page.fill("#GpsAcqTime", gpsless ? "0" : "025");
        const id = `[id="${field.name}"]`;
        await page.fill(id, "");
        const typed = sample();
        await page.type(id, typed);
        const rule = field.rule;
        const accepted = gpsless ? rule.acceptedGpsless : rule.accepted;
        const expected = [...typed]
          .map((c) => (rule.upperCase ? c.replace(/[a-z]/, (l) => l.toUpperCase()) : c))
          .filter((c) => accepted.includes(c))
          .join("")
          .slice(0, rule.maxLength);
        const kept = await page.inputValue(id);
        assert.equal(kept, expected, field.name);
      }
    }
    await page.click("#cmdDefault");
  });

  it("refuses a binary file, a 10 MB file and a broken .cfg with the desktop's words, and changes nothing", async () => {
    await page.click("#cmdDefault");
    await page.fill("#MyCall", "QX9ABC-7");
    const before = await formOf(page);
    const wire = await shownWire(page);
    const binary = Buffer.from(Array.from({ length: 4096 }, (_, i) => (i * 7919) & 0xff));
    const huge = Buffer.alloc(10 * 1024 * 1024, 0x41);
    const broken = latin1(cli("defaults").stdout.replace('"WIDE1-1,WIDE2-2",', ""));
    for (const [name, bytes, how] of [
      ["binary.cfg", binary, "chosen"],
      ["huge.cfg", huge, "dropped"],
      ["broken.cfg", broken, "dropped"],
    ]) {
      const file = join(folder, name);
      await writeFile(file, bytes);
      const desktop = cli("image", file).stderr.trim();
      if (how === "chosen") {
        await loadFile(page, name, bytes);
      } else {
        const transfer = await page.evaluateHandle(
          ({ name, data }) => {
            const transfer = new DataTransfer();
            transfer.items.add(new File([Uint8Array.from(atob(data), (c) => c.charCodeAt(0))], name));
            return transfer;
          },
          { name, data: bytes.toString("base64") },
        );
        await page.dispatchEvent("main", "drop", { dataTransfer: transfer });
      }
      const message = await messageShown(page);
      assert.equal(message.title, "Zelvar");
      assert.ok(desktop.endsWith(message.text.slice(name.length)), `${message.text} / ${desktop}`);
      assert.deepEqual(await formOf(page), before, name);
      assert.equal(await shownWire(page), wire, name);
    }
  });

  it("is used by keyboard alone: every control is reached by Tab and does its work", async () => {
    const fresh = await freshPage();
    await fresh.fill("#GpsAcqTime", "0");
    await fresh.focus("#NumFlagsAuto");
    const reached = new Set();
    for (let i = 0; i < 90; ++i) {
      reached.add(await fresh.evaluate(() => document.activeElement?.id || document.activeElement?.textContent));
      await fresh.keyboard.press("Tab");
    }
    const controls = await fresh.$$eval("#setup input, #setup select, #setup button, #wireRanges button", (all) =>
      all.filter((c) => c.offsetParent !== null && c.tabIndex >= 0).map((c) => c.id || c.textContent),
    );
    assert.deepEqual(controls.filter((c) => !reached.has(c)), []);
    await fresh.focus("#RxPosition");
    await fresh.keyboard.press("Space");
    assert.equal(await fresh.isChecked("#RxPosition"), true);
    await fresh.focus("#cmdDefault");
    await fresh.keyboard.press("Enter");
    assert.equal(await fresh.isChecked("#RxPosition"), false);
    await fresh.fill("#GpsAcqTime", "0");
    await fresh.focus("#openCalculator");
    await fresh.keyboard.press("Enter");
    assert.equal(await fresh.evaluate(() => document.activeElement?.id), "txtLat");
    for (let i = 0; i < 10 && (await fresh.evaluate(() => document.activeElement?.id)) !== "cmdCalc"; ++i) {
      await fresh.keyboard.press("Tab");
    }
    await fresh.keyboard.press("Enter");
    assert.equal(await fresh.inputValue("#Beacon"), "=/NN!!NN!!>  _");
    await fresh.keyboard.press("Escape");
    assert.equal(await fresh.isVisible("#calculator"), false);
    const [manual] = await Promise.all([browser.context.waitForEvent("page"), fresh.keyboard.press("F1")]);
    await manual.waitForLoadState();
    assert.match(await manual.textContent("h1"), /Zelvar Config/);
    await manual.close();
    await fresh.close();
  });

  it("passes axe-core on the form, the preview, the calculator and the manual, light and dark", async () => {
    const axe = await readFile(createRequire(import.meta.url).resolve("axe-core/axe.min.js"), "utf8");
    // Every rule in light colours; in dark ones, what the colours change.
    const check = async (target, what) => {
      await target.evaluate(axe);
      const rules = what.includes("dark") ? { runOnly: ["color-contrast"] } : {};
      const { violations } = await target.evaluate((options) => globalThis.axe.run(document, options), rules);
      assert.deepEqual(
        violations.map((v) => `${what}: ${v.id} ${v.nodes.map((n) => n.target).join(" ")}`),
        [],
      );
    };
    for (const colorScheme of ["light", "dark"]) {
      const fresh = await freshPage({ colorScheme });
      await check(fresh, `form and preview (${colorScheme})`);
      await fresh.fill("#GpsAcqTime", "0");
      await fresh.click("#openCalculator");
      await fresh.click("#cmdCalc");
      await check(fresh, `calculator (${colorScheme})`);
      await fresh.goto(`${server.url}manual/index.html`);
      await check(fresh, `manual (${colorScheme})`);
      await fresh.close();
    }
  });
});
