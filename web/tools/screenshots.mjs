// The README's pictures of the page: wide in light and dark, and phone-sized, the GPSless
// display with a calculated beacon in the dark one.
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
} finally {
  await browser.close();
  await server.close();
}
