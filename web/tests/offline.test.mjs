// The page's service worker in Debian's headless Chromium: what the first visit fetches, two
// versions of the page in two folders of one site, each of which still starts offline, and what
// it keeps of a new version.
import assert from "node:assert/strict";
import { cp, mkdtemp, readFile, rm, writeFile } from "node:fs/promises";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { after, before, describe, it } from "node:test";
import { chromium } from "playwright-core";

import { BROWSER } from "./support/browser.mjs";
import { WEB } from "./support/core_module.mjs";
import { release } from "./support/new_version.mjs";
import { messageShown, openPage } from "./support/page.mjs";
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

// The browser checks the page's worker again, as at a start: "waiting" once a new version is
// installed beside the one in use, "none" where it kept none.
const checkForUpdate = (page) =>
  page.evaluate(async () => {
    const registration = await navigator.serviceWorker.getRegistration();
    await registration.update();
    const worker = registration.installing;
    if (worker) {
      await new Promise((done) => {
        const settled = () => (worker.state === "installed" || worker.state === "redundant") && done();
        worker.addEventListener("statechange", settled);
        settled();
      });
    }
    return registration.waiting ? "waiting" : "none";
  });

// `test` with a server of the page in `site` (each file sent with `headers`) and a browser context
// made with `options`, both closed after it.
async function onSite({ site, headers = {}, options = {} }, test) {
  const server = await serve(site, 0, {}, headers);
  const context = await browser.newContext(options);
  try {
    await test(server, context);
  } finally {
    await context.close();
    await server.close();
  }
}

// Set by the test's versions of the page's script and of the core.
const versions = (page) => page.evaluate(() => [window.zelvarAppVersion, window.zelvarCoreVersion]);

describe("the page offline", () => {
  it("fetches each file once on the first visit, the worker's copies included", async () => {
    await onSite({ site: WEB }, async (server, context) => {
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
    });
  });

  it("keeps two versions in two folders of one site apart: both start offline", async () => {
    const site = join(folder, "site");
    for (const version of ["a", "b"]) await cp(WEB, join(site, version), { recursive: true });
    await release(join(site, "b"), "index.html", (text) =>
      text.replace('<main id="page"', '<main data-version="b" id="page"'),
    );
    await onSite({ site }, async (server, context) => {
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
    });
  });

  it("keeps a new version only as it was made: a half-done upload or an error page leaves the old one", async () => {
    const site = join(folder, "update");
    await cp(WEB, site, { recursive: true });
    await onSite({ site }, async (server, context) => {
      const page = await visit(context, server.url);
      const files = async (names) => Promise.all(names.map((name) => readFile(join(site, name))));
      const [oldCore, wasm] = await files(["zelvar.js", "zelvar.wasm"]);
      await release(site, "app.js", (text) => `window.zelvarAppVersion = 2;${text}`);
      await release(site, "zelvar.js", (text) => `window.zelvarCoreVersion = 2;${text}`);
      const [newCore, errorPage] = await files(["zelvar.js", "index.html"]);
      // The new page's script is there, its core not yet; then the host's error page in its place.
      await writeFile(join(site, "zelvar.js"), oldCore);
      assert.equal(await checkForUpdate(page), "none");
      await writeFile(join(site, "zelvar.js"), newCore);
      await writeFile(join(site, "zelvar.wasm"), errorPage);
      assert.equal(await checkForUpdate(page), "none");
      assert.deepEqual(await versions(page), [undefined, undefined]);
      // The upload done, the next start has the new version throughout, offline too.
      await writeFile(join(site, "zelvar.wasm"), wasm);
      assert.equal(await checkForUpdate(page), "waiting");
      await page.close();
      await context.setOffline(true);
      const next = await visit(context, server.url);
      assert.deepEqual(await versions(next), [2, 2]);
    });
  });

  it("keeps on a first visit its own version's files, not older ones in the browser's cache", async () => {
    const site = join(folder, "cached");
    await cp(WEB, site, { recursive: true });
    await onSite({ site, headers: { "Cache-Control": "max-age=3600" } }, async (server, context) => {
      // The browser's cache keeps this version's files for an hour; the site's storage, with the
      // worker and its copies, is gone (cleared, or evicted on a full disk).
      const page = await visit(context, server.url);
      await page.evaluate(async () => {
        await (await navigator.serviceWorker.getRegistration()).unregister();
        for (const name of await caches.keys()) await caches.delete(name);
      });
      await release(site, "app.js", (text) => `window.zelvarAppVersion = 2;${text}`);
      await page.reload();
      await visit(context, server.url);
      await context.setOffline(true);
      await page.close();
      const next = await visit(context, server.url);
      assert.equal((await versions(next))[0], 2);
    });
  });

  // A host that gives its error page for the core: the first visit names the core and says what
  // to do, rather than only the runtime's words for developers.
  it("names the core that a first visit did not get, and what to do", async () => {
    await onSite({ site: WEB, options: { serviceWorkers: "block" } }, async (server, context) => {
      await context.route("**/zelvar.wasm", (route) =>
        route.fulfill({ contentType: "text/html", body: "<!doctype html>" }),
      );
      const page = await context.newPage();
      await page.goto(server.url);
      const failed = await messageShown(page);
      assert.equal(
        failed.text,
        "Zelvar Config could not start: its core, zelvar.js and zelvar.wasm, did not load from the site.",
      );
      assert.match(failed.detail, /^Reload the page\. .*incomplete or damaged.* The browser said: .+/s);
    });
  });
});
