// The core's bindings as the page calls them, in Node.js: bytes and Latin-1 texts cross
// unchanged, and decode answers what is not wire bytes with a reason. Load's answers to hostile
// files are page.test.mjs's, against the desktop's.
import assert from "node:assert/strict";
import { describe, it } from "node:test";

import { loadCore } from "./support/core_module.mjs";

const core = await loadCore();

describe("the bindings", () => {
  it("carry every Latin-1 character through Save and Load, and the wire bytes through decode", () => {
    const form = core.defaults();
    const every = Array.from({ length: 224 }, (_, i) => String.fromCharCode(32 + i)).join("");
    form.AutoReplyMsg = every.replace("\x7f", "");
    const saved = core.saveCfg(form, core.calculatorDefaults());
    const loaded = core.loadCfg(saved.text, core.defaults(), core.calculatorDefaults());
    assert.ok(loaded.ok, loaded.reason);
    assert.deepEqual(loaded.form, form);

    const built = core.build(core.defaults());
    const decoded = core.decode(built.wire);
    assert.ok(decoded.ok);
    // The 164 image bytes, without lead-ins and checksums, read as the same settings.
    const image = Uint8Array.from([...built.wire.subarray(2, 84), ...built.wire.subarray(87, 169)]);
    assert.deepEqual(core.decode(image).rows, decoded.rows);
    assert.equal(decoded.settings.MyCall, "NOCALL-9");
  });

  it("show hidden characters by their code, whatever their plane, and name them", () => {
    for (const [text, shown] of [
      ["NOC\u00adALL-9", "NOC\\u00ADALL-9"],
      ["a\u202egfc.cfg\u{e0001}", "a\\u202Egfc.cfg\\u{E0001}"],
      ["\x1b[31m\nline", "\\x1B[31m\nline"],
      ["caf\u00e9 \u20ac \u{1f4e1}", "caf\u00e9 \u20ac \u{1f4e1}"],
    ]) {
      assert.equal(core.visibleText(text), shown);
      assert.equal(core.visibleText(shown), shown);
    }
    assert.equal(core.hiddenCharactersNote("NOC\u00adALL-9"), "the field holds an invisible soft hyphen (U+00AD)");
    assert.equal(core.hiddenCharactersNote("NOCALL-9"), "");
  });

  it("refuse what is not an image or wire bytes, with the reason", () => {
    const built = core.build(core.defaults());
    const bad = Uint8Array.from(built.wire);
    bad[169] ^= 1;
    for (const [bytes, reason] of [
      [new Uint8Array(171), /got 171/],
      [bad, /block 2: bad checksum/],
      ["not bytes", /got 0/],
      [{ length: 170 }, /got 0/],
    ]) {
      const decoded = core.decode(bytes);
      assert.equal(decoded.ok, false);
      assert.match(decoded.reason, reason);
    }
  });
});
