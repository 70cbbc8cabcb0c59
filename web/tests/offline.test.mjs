// The page's service worker in Debian's headless Chromium: what the first visit fetches, and two
// versions of the page in two folders of one site, each of which still starts offline.
import assert from "node:assert/strict";
import { cp, mkdtemp, readFile, rm, writeFile } from "node:fs/promises";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { after, before, describe, it } from "node:test";
import { chromium } from "playwright-core";

import { BROWSER } from "./support/browser.mjs";
import { WEB } from "./support/core_module.mjs";
import { openPage } from "./support/page.mjs";
import { serve } from "./support/static_server.mjs";

let folder, browser;

before(async () => {
  folder = await mkdtemp(join(tmpdir(), "zelvar-offline-"));
  browser = await chromium.launch(BROWSER);
});

after(async () => {
  await browser?.close();
  if (folder) await rm(folder, { recursive: true, force: true });
});

// The page at `url`, started, once its worker has kept every file.
async function visit(context, url) {
  const page = await openPage(context, url);
  await page.evaluate(async () => {
    const registration = await navigator.serviceWorker.ready;
    const worker = registration.active;
    if (worker.state !== "activated") {
      await new Promise((done) => worker.addEventListener("statechange", () => worker.state === "activated" && done()));
    }
  });
  return page;
}

describe("the page offline", () => {
  it("fetches each file once on the first visit, the worker's copies included", async () => {
    const server = await serve(WEB);
    const context = await browser.newContext();
    try {
      const page = await visit(context, server.url);
      const full = server.requests.filter((r) => r.status === 200).map((r) => r.path);
      const twice = full.filter((path, i) => full.indexOf(path) !== i);
      assert.deepEqual(twice, []);
      // The page is one file under two names: fetched and kept once.
      assert.ok(!full.includes("/index.html"), full.join(" "));
      const kept = await page.evaluate(async () => {
        const [name] = await caches.keys();
        return (await (await caches.open(name)).keys()).map((request) => new URL(request.url).pathname);
      });
      assert.ok(kept.includes("/") && !kept.includes("/index.html"), kept.join(" "));
      assert.ok(full.includes("/manual/index.html"), full.join(" "));
    } finally {
      await context.close();
      await server.close();
    }
  });

  it("keeps two versions in two folders of one site apart: both start offline", async () => {
    const site = join(folder, "site");
    for (const version of ["a", "b"]) await cp(WEB, join(site, version), { recursive: true });
    const edit = async (name, change) =>
      writeFile(join(site, "b", name), change(await readFile(join(site, "b", name), "utf8")));
    await edit("index.html", (text) => text.replace('<main id="page"', '<main data-version="b" id="page"'));
    await edit("sw.js", (text) => text.replace(/"[0-9a-f]{16}"/, '"0123456789abcdef"'));
    const server = await serve(site);
    const context = await browser.newContext();
    try {
      const pages = [await visit(context, `${server.url}a/`), await visit(context, `${server.url}b/`)];
      await context.setOffline(true);
      await server.close();
      for (const [i, page] of pages.entries()) {
        await page.reload();
        await page.waitForSelector("#page[data-state=ready]");
        assert.equal(await page.$eval("#page", (main) => main.dataset["version"] ?? "a"), ["a", "b"][i]);
      }
      // Its other name starts offline too.
      await pages[1].goto(`${server.url}b/index.html`);
      await pages[1].waitForSelector('#page[data-state=ready][data-version="b"]');
    } finally {
      await context.close();
      await server.close();
    }
  });
});
