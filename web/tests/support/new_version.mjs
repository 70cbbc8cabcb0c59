// A new version of the built page in a copy of it, as scripts/assemble-web would make one: a file
// changed, and the service worker made for it, with that file's new digest and a version of its own.
import { createHash } from "node:crypto";
import { readFile, stat, utimes, writeFile } from "node:fs/promises";
import { join } from "node:path";

const integrity = (bytes) => `sha256-${createHash("sha256").update(bytes).digest("base64")}`;

/** The page in `site` with its file `name` changed by `edit` (text in, text out). */
export async function release(site, name, edit) {
  const before = await readFile(join(site, name));
  const after = Buffer.from(edit(before.toString("utf8")));
  await writeFile(join(site, name), after);
  const worker = join(site, "sw.js");
  const version = createHash("sha256").update(after).digest("hex").slice(0, 16);
  const text = (await readFile(worker, "utf8")).replace(integrity(before), integrity(after));
  const { mtimeMs } = await stat(worker);
  await writeFile(worker, text.replace(/"[0-9a-f]{16}"/, `"${version}"`));
  // Changed in the second the browser last fetched it, the worker would keep its Last-Modified,
  // and the browser's check would get "not modified": it is dated a second later at least.
  const dated = Math.max(Date.now() / 1000, Math.floor(mtimeMs / 1000) + 1);
  await utimes(worker, dated, dated);
}
