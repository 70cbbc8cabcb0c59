// A real serial device: a socat pair of pseudo-terminals, one end bound over /dev/ttyS0 for a
// Chromium in its own mount namespace (serial_rig.mjs), zelvar-cli receive on the other.
import { spawn, spawnSync } from "node:child_process";
import { once } from "node:events";
import { existsSync, readlinkSync, realpathSync, statSync } from "node:fs";
import { join } from "node:path";
import { createInterface } from "node:readline";
import { setTimeout as sleep } from "node:timers/promises";
import { chromium } from "playwright-core";

import { CLI } from "./cli.mjs";

/** Why this machine cannot run the test, or null when it can. */
export function serialDeviceMissing() {
  if (process.getuid?.() !== 0) return "needs root to bind a pseudo-terminal over /dev/ttyS0 in a mount namespace";
  if (!existsSync("/dev/ttyS0") || !statSync("/dev/ttyS0").isCharacterDevice()) return "this machine has no /dev/ttyS0";
  if (!existsSync("/sys/class/tty/ttyS0")) return "/dev/ttyS0 is not in /sys/class/tty, where Chromium looks";
  if (!existsSync("/etc/chromium")) return "Chromium's policy folder /etc/chromium is missing";
  for (const command of ["unshare", "socat", "mount"]) {
    if (spawnSync("sh", ["-c", `command -v ${command}`]).status !== 0) return `${command} is not installed`;
  }
  return null;
}

/** A null-modem pair: what is written on `tx` is read on `rx`. `cut()` ends it, as an unplugged cable. */
export async function nullModem(folder) {
  const tx = join(folder, "tx");
  const rx = join(folder, "rx");
  const relay = spawn("socat", [`PTY,link=${rx},raw,echo=0`, `PTY,link=${tx},raw,echo=0`], { stdio: "ignore" });
  const ready = () => existsSync(tx) && existsSync(rx);
  for (let i = 0; i < 100 && !ready(); ++i) await sleep(50);
  if (!ready()) throw new Error(`socat made no ${tx} and ${rx}`);
  return {
    rx,
    txDevice: realpathSync(tx),
    cut: async () => {
      if (relay.exitCode !== null) return;
      relay.kill();
      await once(relay, "exit");
    },
  };
}

/** Chromium in its namespace, with `device` as its /dev/ttyS0 and every port granted to `origin`. */
export async function launchOnDevice(origin, device) {
  const script = join(import.meta.dirname, "serial_rig.mjs");
  const ours = readlinkSync("/proc/self/ns/mnt");
  const rig = spawn(
    "unshare",
    ["--mount", "--propagation", "private", process.execPath, script, origin, device, ours],
    {
      stdio: ["pipe", "pipe", "inherit"],
    },
  );
  const [line] = await Promise.race([
    once(createInterface({ input: rig.stdout }), "line"),
    once(rig, "exit").then(([code]) => {
      throw new Error(`serial_rig.mjs ended with ${code} before its browser started`);
    }),
  ]);
  const browser = await chromium.connect(line);
  return {
    browser,
    close: async () => {
      await browser.close();
      rig.stdin.end();
      if (rig.exitCode === null) await once(rig, "exit");
    },
  };
}

/** zelvar-cli receive --json on `rx`, reading once this resolves; `report`: its verdict and exit code. */
export async function startReceive(rx, speed) {
  const receiver = spawn(CLI, ["receive", "--device", rx, "--baud", String(speed), "--json", "--timeout", "15"]);
  let stdout = "";
  let stderr = "";
  receiver.stdout.on("data", (chunk) => (stdout += chunk));
  await new Promise((resolve, reject) => {
    receiver.stderr.on("data", (chunk) => {
      stderr += chunk;
      if (stderr.includes("Waiting on")) resolve();
    });
    receiver.on("exit", () => reject(new Error(`receive did not start: ${stderr}`)));
  });
  return {
    report: once(receiver, "exit").then(([status]) => ({ status, stderr, ...(stdout ? JSON.parse(stdout) : {}) })),
  };
}
