// Debian's Chromium, headless, through playwright-core: nothing is downloaded. As root it runs
// without its sandbox; the other switches keep it off this machine's closed network.
export const BROWSER = {
  executablePath: process.env.CHROMIUM ?? "/usr/bin/chromium",
  headless: true,
  args: [
    "--no-sandbox",
    "--disable-gpu",
    "--disable-quic",
    "--no-first-run",
    "--disable-background-networking",
    "--disable-component-update",
    "--disable-sync",
  ],
};
