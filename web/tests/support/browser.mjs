// Debian's Chromium, headless, through playwright-core: nothing is downloaded. As root it runs
// without its sandbox; the other switches keep it off this machine's closed network.
import { mkdtemp, rm } from "node:fs/promises";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { chromium } from "playwright-core";

export const CHROMIUM = process.env.CHROMIUM ?? "/usr/bin/chromium";

export const ARGS = [
  "--no-sandbox",
  "--disable-gpu",
  "--disable-quic",
  "--no-first-run",
  "--disable-background-networking",
  "--disable-component-update",
  "--disable-sync",
];

// `args` adds switches to those above; the other options are the context's (a viewport).
export async function launch({ args = [], ...options } = {}) {
  const profile = await mkdtemp(join(tmpdir(), "zelvar-chromium-"));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: CHROMIUM,
    headless: true,
    acceptDownloads: true,
    ...options,
    args: [...ARGS, ...args],
  });
  return {
    context,
    close: async () => {
      await context.close();
      await rm(profile, { recursive: true, force: true });
    },
  };
}
