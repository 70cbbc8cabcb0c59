// Debian's Chromium, headless, through playwright-core: nothing is downloaded. As root it runs
// without its sandbox; the other switches keep it off this machine's closed network.
import { mkdtemp, rm } from "node:fs/promises";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { chromium } from "playwright-core";

export const CHROMIUM = process.env.CHROMIUM ?? "/usr/bin/chromium";

export async function launch() {
  const profile = await mkdtemp(join(tmpdir(), "zelvar-chromium-"));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: CHROMIUM,
    headless: true,
    acceptDownloads: true,
    args: [
      "--no-sandbox",
      "--disable-gpu",
      "--disable-quic",
      "--no-first-run",
      "--disable-background-networking",
      "--disable-component-update",
      "--disable-sync",
    ],
  });
  return {
    context,
    close: async () => {
      await context.close();
      await rm(profile, { recursive: true, force: true });
    },
  };
}
