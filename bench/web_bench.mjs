// The browser edition's targets, measured in Debian's headless Chromium from a local server:
// a first visit usable (SEND shown and the form filled) within 1.5 times a one-field page with a
// button, each started cold in a fresh context of the same browser, side by side (median of 7
// each); the .wasm under 300 KB after gzip, a keystroke's rebuild and preview under 2 ms.
// Run from web/ (it uses its node_modules):  node ../bench/web_bench.mjs ../build/web
import { mkdtempSync, readFileSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import { join, resolve } from "node:path";
import { gzipSync } from "node:zlib";

import { launch } from "../web/tests/support/browser.mjs";
import { serve } from "../web/tests/support/static_server.mjs";

const web = resolve(process.argv[2] ?? "../build/web");
const LOADS = 7;
const KEYSTROKES = 400;
const RATIO = 1.5;

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const report = (what, value, unit, target) =>
  console.log(`${what}: ${value.toFixed(unit === "KB" ? 1 : 2)} ${unit} (target below ${target} ${unit})`);

// The least a page can be that shows a field and a button.
const ONE_FIELD =
  '<!doctype html><html lang="en"><meta charset="utf-8"><meta name="viewport" content="width=device-width">' +
  '<title>one field</title><label>MY CALLSIGN <input id="myCall" value="NOCALL-9"></label> ' +
  '<button id="send">SEND</button>';

// Run before the page's own scripts: the first frame in which SEND has a box and MY CALLSIGN its
// default, on the page's clock; and the browser's first contentful paint, the frame on the screen.
function watchUsable() {
  window.zelvarPainted = new Promise((done) => {
    new PerformanceObserver((list) => {
      const paint = list.getEntriesByName("first-contentful-paint")[0];
      if (paint) done(paint.startTime);
    }).observe({ type: "paint", buffered: true });
  });
  window.zelvarUsable = new Promise((done) => {
    const check = () => {
      const send = document.getElementById("send");
      const call = document.getElementById("myCall");
      if (send?.getClientRects().length && call?.value === "NOCALL-9") {
        done(performance.now());
        performance.mark("zelvar-usable");
      } else requestAnimationFrame(check);
    };
    requestAnimationFrame(check);
  });
}

// One cold start: a fresh context (no cache, no service worker) in the running browser.
async function coldStart(browser, url, readyToo) {
  const context = await browser.newContext();
  try {
    const page = await context.newPage();
    await page.addInitScript(watchUsable);
    await page.goto(url);
    const usable = await page.evaluate(() => window.zelvarUsable);
    const painted = await page.evaluate(() => window.zelvarPainted);
    if (!readyToo) return { usable, painted };
    await page.waitForSelector("#page[data-state=ready]");
    const ready = await page.evaluate(() => performance.getEntriesByName("zelvar-ready")[0]?.startTime ?? NaN);
    return { usable, painted, ready };
  } finally {
    await context.close();
  }
}

// The typefaces the page asks the system for until it is usable, in a browser of its own: each is
// a lookup in the browser's process that the first frame waits on, too short for the timings
// above to show.
async function fontsUntilUsable(url) {
  const browser = await launch();
  const folder = mkdtempSync(join(tmpdir(), "zelvar-trace-"));
  try {
    const page = await browser.context.newPage();
    await page.addInitScript(watchUsable);
    const path = join(folder, "trace.json");
    await browser.browser.startTracing(page, { path, categories: ["blink.user_timing", "fonts"] });
    await page.goto(url);
    await page.evaluate(() => window.zelvarUsable);
    await browser.browser.stopTracing();
    const events = JSON.parse(readFileSync(path, "utf8")).traceEvents.sort((a, b) => a.ts - b.ts);
    const usable = events.find((event) => event.name === "zelvar-usable")?.ts ?? Infinity;
    return events
      .filter((event) => event.name === "FontDataManager::onMatchFamilyStyle" && event.ts < usable)
      .map((event) => event.args.family_name || "(the system's choice)");
  } finally {
    await browser.close();
    rmSync(folder, { recursive: true, force: true });
  }
}

const server = await serve(web, 0, { "/one-field.html": ONE_FIELD });
const browser = await launch();
try {
  // Side by side, in turns, so that the machine's moods fall on both alike.
  const zelvar = [];
  const oneField = [];
  for (let i = 0; i < LOADS; ++i) {
    zelvar.push(await coldStart(browser.browser, server.url, true));
    oneField.push(await coldStart(browser.browser, `${server.url}one-field.html`, false));
  }
  const usable = median(zelvar.map((load) => load.usable));
  const scale = median(oneField.map((load) => load.usable));
  console.log(`first visit usable, SEND shown and the form filled (median of ${LOADS} cold starts): ${usable.toFixed(1)} ms`);
  console.log(`  a one-field page with a button, in turn with it: ${scale.toFixed(1)} ms`);
  console.log(`  ratio ${(usable / scale).toFixed(2)} (target below ${RATIO})`);
  const painted = median(zelvar.map((load) => load.painted));
  const paintedScale = median(oneField.map((load) => load.painted));
  console.log(`  first contentful paint (the frame on the screen): ${painted.toFixed(1)} ms against ${paintedScale.toFixed(1)} ms, ratio ${(painted / paintedScale).toFixed(2)}`);
  console.log(`  the core ready to check what is typed: ${median(zelvar.map((load) => load.ready)).toFixed(1)} ms`);
  console.log(`  typefaces looked up until usable: ${(await fontsUntilUsable(server.url)).join(", ")}`);

  const wasm = readFileSync(join(web, "zelvar.wasm"));
  report("zelvar.wasm after gzip -9", gzipSync(wasm, { level: 9 }).length / 1000, "KB", 300);

  // A typed TX delay: the field's input event, the build and preview in the core, the changed
  // bytes and rows written into the page, and the layout they cause.
  const page = await browser.context.newPage();
  await page.goto(server.url);
  await page.waitForSelector("#page[data-state=ready]");
  const perKeystroke = await page.evaluate(async (count) => {
    const field = document.getElementById("txDelay");
    const times = [];
    for (let i = 0; i < count; ++i) {
      const start = performance.now();
      field.value = String(25 + (i % 900)).padStart(3, "0");
      field.dispatchEvent(new Event("input", { bubbles: true }));
      await Promise.resolve();
      void document.body.offsetHeight;
      times.push(performance.now() - start);
    }
    times.sort((a, b) => a - b);
    return { median: times[Math.floor(count / 2)], p95: times[Math.floor(count * 0.95)] };
  }, KEYSTROKES);
  report(`keystroke: rebuild and preview (median of ${KEYSTROKES})`, perKeystroke.median, "ms", 2);
  report(`keystroke: rebuild and preview (95th percentile)`, perKeystroke.p95, "ms", 2);
  await page.close();
} finally {
  await browser.close();
  await server.close();
}
