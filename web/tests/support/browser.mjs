// Debian's Chromium through playwright-core: nothing is downloaded. Playwright already runs it
// headless, without its sandbox (as root it must), and quiet on the network but for QUIC.
export const BROWSER = {
  executablePath: process.env.CHROMIUM ?? "/usr/bin/chromium",
  args: ["--disable-gpu", "--disable-quic"],
};
