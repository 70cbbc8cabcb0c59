// The page's files: bytes and Latin-1 characters one to one, whatever the size, and the name a
// download gets.
import assert from "node:assert/strict";
import { describe, it } from "node:test";

import { savedName } from "../../src/file_actions.ts";
import { bytesToLatin1, latin1ToBytes } from "../../src/latin1.ts";

describe("Latin-1", () => {
  it("gives every byte its own character and back, also past the converter's chunks", () => {
    const every = Uint8Array.from({ length: 256 }, (_, i) => i);
    assert.equal(bytesToLatin1(every), String.fromCharCode(...every));
    assert.deepEqual(latin1ToBytes(String.fromCharCode(...every)), every);
    const large = Uint8Array.from({ length: 200_003 }, (_, i) => (i * 7) % 256);
    assert.deepEqual(latin1ToBytes(bytesToLatin1(large)), large);
  });
});

describe("savedName", () => {
  it("adds .cfg to a name without an extension, as file dialogs do", () => {
    const names = { "": "Zelvar.cfg", "  ": "Zelvar.cfg", tracker: "tracker.cfg", "tracker.": "tracker.cfg" };
    Object.assign(names, { " my tracker ": "my tracker.cfg", "home.cfg": "home.cfg", "home.txt": "home.txt" });
    Object.assign(names, { "home.cfg.": "home.cfg", "home.cfg . ": "home.cfg", "..": "Zelvar.cfg" });
    for (const [typed, saved] of Object.entries(names))
      assert.equal(savedName(typed, "Zelvar.cfg"), saved, JSON.stringify(typed));
  });
});
