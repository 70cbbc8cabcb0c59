// SEND in the page up to the serial port: the build, its message and the normalised form as the
// desktop program has them, a chooser the user cancels, a page served where browsers offer no
// serial port, and the page as an installable app. The real device is in serial.test.mjs.
import assert from "node:assert/strict";
import { readFile, writeFile } from "node:fs/promises";
import { join } from "node:path";
import { before, describe, it } from "node:test";

import { cli } from "./support/cli.mjs";
import { messageShown, saved, testBed, WEB } from "./support/page.mjs";
import { random, randomCfg } from "./support/records.mjs";

const SEED = Number(process.env.ZELVAR_SEED ?? 25);
const RECORDS = 8;
// Resolved to the loopback by the browser, but not a secure origin as localhost is.
const PLAIN_HOST = "zelvar.test";

const bed = testBed({
  args: [`--host-resolver-rules=MAP ${PLAIN_HOST} 127.0.0.1`],
  // Headless Chromium has no chooser to answer; this one is cancelled at once, as the user may.
  beforeScripts: () => {
    window.zelvarChooserShown = 0;
    if (!globalThis.Serial) return;
    Serial.prototype.requestPort = function () {
      window.zelvarChooserShown += 1;
      return Promise.reject(new DOMException("No port selected by the user.", "NotFoundError"));
    };
  },
});

describe("SEND in the page", () => {
  // One page for the first and the last test: a page load costs a second of CPU.
  let page;
  before(async () => (page = await bed.open()));

  it("builds as the desktop does: its message, field and reason, or the normalised form; then asks for a port", async () => {
    const next = random(SEED);
    let asked = 0;
    for (let i = 0; i < RECORDS; ++i) {
      const buffer = Buffer.from(randomCfg(bed.core, next), "latin1");
      const file = join(bed.folder, `record-${i}.cfg`);
      await writeFile(file, buffer);
      await page.setInputFiles("#loadFile", { name: "record.cfg", mimeType: "text/plain", buffer });
      await page.click("#cmdSend");
      const normalised = cli("normalize", file);
      if (normalised.status === 0) {
        await page.waitForFunction((n) => window.zelvarChooserShown === n, ++asked);
        assert.equal(await page.isVisible("#messageBox"), false, `record ${i}: a cancelled chooser says nothing`);
        assert.equal((await saved(page)).bytes.toString("latin1"), normalised.stdout, `record ${i}`);
      } else {
        const shown = await messageShown(page);
        // The desktop's message; the CLI names the field, the focus is on it.
        const field = await page.evaluate(() => document.activeElement?.id);
        const [, fieldAndReason] = normalised.stderr.trim().split("\n");
        assert.deepEqual(shown, {
          title: "Invio non eseguito - Zelvar",
          text: "Parametri incompleti o non corretti",
          detail: fieldAndReason.slice(`${field}: `.length),
        });
        assert.ok(fieldAndReason.startsWith(`${field}: `), `record ${i}: ${fieldAndReason}, focus on ${field}`);
      }
      await page.waitForFunction(() => !document.getElementById("cmdSend").disabled);
      assert.equal(await page.isVisible("#Dialog"), false, `record ${i}`);
    }
    assert.ok(asked > 0 && asked < RECORDS, `${asked} of ${RECORDS} records built; the seed should give both kinds`);
    // A .cfg may choose no speed at all.
    await page.click("#cmdDefault");
    await page.evaluate(() => (document.getElementById("BaudRate").selectedIndex = -1));
    await page.click("#cmdSend");
    assert.equal((await messageShown(page)).text, "Invalid line settings ',n,8,1': no speed is chosen in Baud.");
    await page.click("#changePort");
    await page.waitForFunction((n) => window.zelvarChooserShown === n, asked + 1);
    assert.equal(await page.isVisible("#messageBox"), false);
    assert.equal(await page.textContent("#portStatus"), "SEND asks for the serial port the first time.");
  });

  it("says where to get Web Serial on a page served over plain http from another host", async () => {
    const plain = await bed.open(bed.server.url.replace("127.0.0.1", PLAIN_HOST));
    assert.equal(await plain.evaluate(() => window.isSecureContext || "serial" in navigator), false);
    assert.equal(await plain.textContent("#portStatus"), "SEND needs this page from a secure address.");
    for (const button of ["#cmdSend", "#changePort"]) {
      await plain.click(button);
      const shown = await messageShown(plain);
      assert.equal(shown.text, "SEND needs this page from a secure address.");
      assert.match(shown.detail, /https:\/\/.*localhost/);
    }
    // Enabled again once the box has closed, which the browser reports after the click.
    await plain.waitForSelector("#cmdSend:enabled", { timeout: 5000 });
    await plain.close();
  });

  it("is an installable app with its own icon", async () => {
    const cdp = await bed.browser.context.newCDPSession(page);
    const { installabilityErrors } = await cdp.send("Page.getInstallabilityErrors");
    assert.deepEqual(installabilityErrors, []);
    const { url } = await cdp.send("Page.getAppManifest");
    const manifest = JSON.parse(await readFile(join(WEB, new URL(url).pathname), "utf8"));
    assert.equal(manifest.display, "standalone");
    for (const icon of manifest.icons) assert.equal((await fetch(new URL(icon.src, url))).status, 200, icon.src);
    assert.deepEqual(bed.problems, []);
  });
});
