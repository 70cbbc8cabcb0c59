// The core as the page gets it (build/web/zelvar.js and .wasm), loaded into Node.js for the
// tests' own expectations and generated records.
import { readFileSync } from "node:fs";
import { createRequire } from "node:module";
import { join, resolve } from "node:path";

export const WEB = resolve(process.env.ZELVAR_WEB ?? "../build/web");

export async function loadCore(webFolder = WEB) {
  const createZelvar = createRequire(import.meta.url)(join(webFolder, "zelvar.js"));
  // Node.js has a fetch that cannot read a path: the module gets its bytes directly.
  return createZelvar({ wasmBinary: readFileSync(join(webFolder, "zelvar.wasm")) });
}
