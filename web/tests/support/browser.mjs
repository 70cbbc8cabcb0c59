// Debian's Chromium through playwright-core: nothing is downloaded. Playwright already runs it
// headless, without its sandbox (as root it must), and quiet on the network but for QUIC.
import { chromium } from "playwright-core";

export const BROWSER = {
  executablePath: process.env.CHROMIUM ?? "/usr/bin/chromium",
  args: ["--disable-gpu", "--disable-quic"],
};

/** A browser with a fresh context, for the tools that drive the page (screenshots, benchmarks). */
export async function launch() {
  const browser = await chromium.launch(BROWSER);
  return { browser, context: await browser.newContext(), close: () => browser.close() };
}
