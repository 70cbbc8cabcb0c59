// The README's pictures of the page: wide in light and dark, and phone-sized, the GPSless
// display with a calculated beacon in the dark one; then the connection area on a first visit,
// connected, sending and after a port that did not open (a USB adapter made up in the page, as
// headless Chromium has none), a phone with the calculator open, and the page in German and in
// Japanese.
//   node tools/screenshots.mjs BUILD-WEB-FOLDER IMAGES-FOLDER
import { join, resolve } from "node:path";

import { launch } from "../tests/support/browser.mjs";
import { serve } from "../tests/support/static_server.mjs";

const [web = "../build/web", images = "../docs/images"] = process.argv.slice(2);
const server = await serve(resolve(web));
const browser = await launch();
try {
  const shots = [
    { name: "web-light.png", width: 1280, height: 1000, colorScheme: "light", gpsless: false },
    { name: "web-dark.png", width: 1280, height: 1000, colorScheme: "dark", gpsless: true },
    { name: "web-narrow.png", width: 390, height: 1400, colorScheme: "light", gpsless: false },
  ];
  for (const shot of shots) {
    const page = await browser.context.newPage();
    await page.setViewportSize({ width: shot.width, height: shot.height });
    await page.emulateMedia({ colorScheme: shot.colorScheme });
    await page.goto(server.url);
    await page.waitForSelector("#page[data-state=ready]");
    if (shot.gpsless) {
      await page.fill("#acquisitionTimeout", "0");
      await page.click("#openCalculator");
      await page.fill("#txtLat", "45.30.15");
      await page.fill("#txtLng", "-009.10.30");
      await page.check("#optLLtoNorm");
      await page.click("#cmdCalc");
      await page.click("#wireRanges tbody tr:nth-child(22) button");
    } else {
      await page.fill("#txDelay", "10");
    }
    await page.evaluate(() => window.scrollTo(0, 0));
    await page.screenshot({ path: resolve(join(images, shot.name)) });
    await page.close();
  }
  // An FTDI adapter whose port opens, or refuses to; its writes take long enough to be seen.
  const adapter = (opens) => {
    const port = {
      getInfo: () => ({ usbVendorId: 0x0403, usbProductId: 0x6001 }),
      open: async () => {
        if (!opens) throw new DOMException("Failed to open serial port.", "NetworkError");
      },
      close: async () => {},
      writable: new WritableStream({ write: () => new Promise((done) => setTimeout(done, 1500)) }),
    };
    Serial.prototype.getPorts = async () => [port];
    Serial.prototype.requestPort = async () => port;
  };
  const states = [
    { name: "web-first-visit.png", opens: null, act: async () => {} },
    { name: "web-connected.png", opens: true, act: async () => {} },
    { name: "web-sending.png", opens: true, act: async (page) => page.click("#send") },
    {
      name: "web-port-not-opened.png",
      opens: false,
      act: async (page) => {
        await page.click("#send");
        await page.waitForSelector("#messageBox[open]");
      },
    },
  ];
  for (const state of states) {
    const context = await browser.browser.newContext({ viewport: { width: 1280, height: 760 } });
    const page = await context.newPage();
    if (state.opens !== null) await page.addInitScript(adapter, state.opens);
    await page.goto(server.url);
    await page.waitForSelector("#page[data-state=ready]");
    await state.act(page);
    // The connection area in view, above the form.
    await page.evaluate(() => window.scrollTo(0, 0));
    await page.waitForTimeout(300);
    await page.screenshot({ path: resolve(join(images, state.name)) });
    await context.close();
  }
  const phone = await browser.browser.newContext({
    viewport: { width: 360, height: 740 },
    isMobile: true,
    hasTouch: true,
  });
  const page = await phone.newPage();
  await page.goto(server.url);
  await page.waitForSelector("#page[data-state=ready]");
  await page.fill("#acquisitionTimeout", "0");
  await page.click("#openCalculator");
  await page.fill("#txtLat", "45.30.15");
  await page.fill("#txtLng", "-009.10.30");
  await page.click("#cmdCalc");
  await page.evaluate(() => document.getElementById("beaconLabel").scrollIntoView({ block: "start" }));
  await page.screenshot({ path: resolve(join(images, "web-phone-calculator.png")) });
  await phone.close();
  // The page in the languages that test its layout most: German's long words, Japanese's type.
  const languages = [
    { name: "web-de.png", locale: "de-DE", width: 1280, height: 1000, colorScheme: "light" },
    { name: "web-ja-phone-dark.png", locale: "ja-JP", width: 360, height: 1400, colorScheme: "dark" },
  ];
  for (const shot of languages) {
    const context = await browser.browser.newContext({
      locale: shot.locale,
      colorScheme: shot.colorScheme,
      viewport: { width: shot.width, height: shot.height },
    });
    const page = await context.newPage();
    await page.goto(server.url);
    await page.waitForSelector("#page[data-state=ready]");
    await page.screenshot({ path: resolve(join(images, shot.name)) });
    await context.close();
  }
} finally {
  await browser.close();
  await server.close();
}
