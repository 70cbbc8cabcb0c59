// The built page on the loopback in Debian's Chromium, with the core; the message box and Save.
import { once } from "node:events";
import { mkdtemp, readFile, rm } from "node:fs/promises";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { after, before } from "node:test";
import { chromium } from "playwright-core";

import { BROWSER } from "./browser.mjs";
import { loadCore, WEB } from "./core_module.mjs";
import { serve } from "./static_server.mjs";

/** `url` in a new page of `context`, once ready, `scripts` run before the page's; its errors go to `problems`. */
export async function openPage(context, url, problems = [], ...scripts) {
  const page = await context.newPage();
  page.on("pageerror", (error) => problems.push(error.message));
  page.on("console", (message) => {
    if (message.type() === "error") problems.push(message.text());
  });
  for (const script of scripts) await page.addInitScript(script);
  await page.goto(url);
  await page.waitForSelector("#page[data-state=ready]");
  return page;
}

// Headless Chromium has no port chooser to answer; this one is cancelled at once, as the user may.
export function cancelledChooser() {
  window.zelvarChooserShown = 0;
  if (!globalThis.Serial) return;
  Serial.prototype.requestPort = function () {
    window.zelvarChooserShown += 1;
    return Promise.reject(new DOMException("No port selected by the user.", "NotFoundError"));
  };
}

/** A test file's `server`, browser `context`, `core` and scratch `folder`, set up before its tests. */
export function testBed(browserArgs = []) {
  const bed = { problems: [] };
  before(async () => {
    bed.folder = await mkdtemp(join(tmpdir(), "zelvar-web-"));
    bed.server = await serve(WEB);
    bed.context = await chromium.launchPersistentContext(join(bed.folder, "profile"), {
      ...BROWSER,
      args: [...BROWSER.args, ...browserArgs],
      viewport: { width: 1280, height: 900 },
    });
    bed.core = await loadCore(WEB);
  });
  after(async () => {
    await bed.context?.close();
    await bed.server?.close();
    if (bed.folder) await rm(bed.folder, { recursive: true, force: true });
  });
  bed.open = (url = bed.server.url, ...scripts) =>
    openPage(bed.context, url, bed.problems, cancelledChooser, ...scripts);
  return bed;
}

/** The open message box's texts, then closed with OK. */
export async function messageShown(page) {
  await page.waitForSelector("#messageBox[open]");
  const [title, text, detail] = await page.$$eval("#messageTitle, #messageText, #messageDetail", (all) =>
    all.map((e) => e.textContent),
  );
  await page.click("#messageOk");
  return { title, text, detail };
}

/** The connection area as shown: the adapter, its state, the button's word and the hint, if any. */
export const connection = (page) =>
  page.evaluate(() => {
    const hint = document.getElementById("connectionHint");
    return {
      adapter: document.getElementById("adapterName").textContent,
      state: document.getElementById("connectionState").dataset["state"],
      button: document.getElementById("changePort").textContent,
      hint: hint.hidden ? "" : hint.textContent,
    };
  });

export async function saved(page) {
  const [download] = await Promise.all([page.waitForEvent("download"), page.click("#save")]);
  return { name: download.suggestedFilename(), bytes: await readFile(await download.path()) };
}

/**
 * The id of the file input whose dialog `act` opens, caught in a DevTools session of its own that
 * Chromium has confirmed before `act`. Playwright's "filechooser" event turns the catching on as
 * its listener comes, without waiting, and off as it goes; the page's thread takes a key and the
 * catching from different queues, so a key pressed at once can come first (on a loaded machine it
 * does), and the dialog then opens for real and headless Chromium cancels it.
 */
export async function fileDialogOf(page, act, timeout = 30_000) {
  const session = await page.context().newCDPSession(page);
  try {
    await session.send("Page.enable");
    await session.send("Page.setInterceptFileChooserDialog", { enabled: true });
    const opened = once(session, "Page.fileChooserOpened", { signal: AbortSignal.timeout(timeout) }).catch((error) => {
      throw new Error(`no file dialog opened within ${timeout} ms`, { cause: error });
    });
    const [[{ backendNodeId }]] = await Promise.all([opened, act()]);
    const { object } = await session.send("DOM.resolveNode", { backendNodeId });
    const { result } = await session.send("Runtime.callFunctionOn", {
      objectId: object.objectId,
      functionDeclaration: "function () { return this.id; }",
      returnByValue: true,
    });
    return result.value;
  } finally {
    await session.detach();
  }
}
