// zelvar-cli, the desktop program's twin, run as a user would.
import { spawnSync } from "node:child_process";

export const CLI = process.env.ZELVAR_CLI ?? "build/dev/zelvar-cli";

export function cli(...args) {
  const run = spawnSync(CLI, args, { encoding: "latin1" });
  if (run.error) throw run.error;
  return { status: run.status, stdout: run.stdout, stderr: run.stderr };
}
