// zelvar-cli, the desktop program's twin, run as a user would: what it writes as the bytes of a
// file (Latin-1), what it says as the UTF-8 it prints.
import { spawnSync } from "node:child_process";

export const CLI = process.env.ZELVAR_CLI ?? "build/dev/zelvar-cli";

export function cli(...args) {
  const run = spawnSync(CLI, args);
  if (run.error) throw run.error;
  return { status: run.status, stdout: run.stdout.toString("latin1"), stderr: run.stderr.toString("utf8") };
}
