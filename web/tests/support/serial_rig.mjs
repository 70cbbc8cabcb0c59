// Chromium with a real serial device, run by serial_device.mjs under unshare --mount: in this
// namespace only, TTY is bound over /dev/ttyS0 and a policy grants ORIGIN every serial port.
// Prints the browser's endpoint; ends it, and the namespace's mounts, when standard input closes.
import { execFileSync } from "node:child_process";
import { mkdirSync, readdirSync, readFileSync, readlinkSync, statSync, writeFileSync } from "node:fs";
import { join } from "node:path";
import { chromium } from "playwright-core";

import { BROWSER } from "./browser.mjs";

const POLICIES = "/etc/chromium";
const [origin, tty, parentNamespace] = process.argv.slice(2);

if (readlinkSync("/proc/self/ns/mnt") === parentNamespace) {
  throw new Error("serial_rig.mjs mounts over /dev/ttyS0 and /etc/chromium: run it under unshare --mount");
}

// A tmpfs over the policy folder, with the files it held, so the browser reads them as before.
const kept = readdirSync(POLICIES)
  .map((name) => join(POLICIES, name))
  .filter((path) => statSync(path).isFile())
  .map((path) => [path, readFileSync(path)]);
execFileSync("mount", ["-t", "tmpfs", "-o", "size=1m,mode=0755", "zelvar-test-policy", POLICIES]);
for (const [path, bytes] of kept) writeFileSync(path, bytes);
mkdirSync(join(POLICIES, "policies/managed"), { recursive: true });
writeFileSync(
  join(POLICIES, "policies/managed/zelvar-test.json"),
  JSON.stringify({ SerialAllowAllPortsForUrls: [origin] }),
);
execFileSync("mount", ["--bind", tty, "/dev/ttyS0"]);

const server = await chromium.launchServer(BROWSER);
process.stdout.write(`${server.wsEndpoint()}\n`);
process.stdin.resume();
process.stdin.on("end", async () => {
  await server.close();
  process.exit(0);
});
