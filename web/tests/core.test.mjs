// The core's bindings as the page calls them, in Node.js: Latin-1 texts cross unchanged, the
// core's messages as the text they are, and a text beyond Latin-1 is refused with a reason
// instead of an exception. Load's answers to hostile files are page.test.mjs's, against the
// desktop's.
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { readdirSync } from "node:fs";
import { dirname, join } from "node:path";
import { describe, it } from "node:test";

import { loadCore, WEB } from "./support/core_module.mjs";
import { PRINTABLE } from "./support/records.mjs";

const core = await loadCore();

describe("the bindings", () => {
  it("carry every Latin-1 character through Save and Load", () => {
    const form = core.defaults();
    form.autoAnswer = PRINTABLE.join("");
    const saved = core.saveCfg(form, core.calculatorDefaults());
    const loaded = core.loadCfg(saved.text, core.defaults(), core.calculatorDefaults());
    assert.ok(loaded.ok, loaded.reason);
    assert.deepEqual(loaded.form, form);
  });

  // The soft hyphen's code and name in a field's tip: page.test.mjs.
  it("show hidden characters by their code, whatever their plane", () => {
    for (const [text, shown] of [
      ["a\u202egfc.cfg\u{e0001}", "a\\u202Egfc.cfg\\u{E0001}"],
      ["\x1b[31m\nline", "\\x1B[31m\nline"],
      ["caf\u00e9 \u20ac \u{1f4e1}", "caf\u00e9 \u20ac \u{1f4e1}"],
    ]) {
      assert.equal(core.visibleText(text), shown);
      assert.equal(core.visibleText(shown), shown);
    }
  });

  it("carry the core's messages as written: UTF-8 reasons, and settings quoted in them", () => {
    const form = core.defaults();
    const calculator = core.calculatorDefaults();
    const file = core.saveCfg(form, calculator).text;
    const latin1 = file.replace(',0,">"', ',caf\xe9,">"');
    assert.match(core.loadCfg(latin1, form, calculator).reason, /: "café" is not a whole number/);
    const utf8 = (text) => Array.from(new TextEncoder().encode(text), (b) => String.fromCharCode(b)).join("");
    for (const [character, code] of [
      ["€", "U+20AC"],
      ["\u202e", "U+202E"],
    ]) {
      const loaded = core.loadCfg(utf8(`\ufeff${file.replace("NOCALL-9", `NO${character}CALL`)}`), form, calculator);
      assert.match(loaded.reason, /My callsign\): the .+ is not in Latin-1/);
      assert.ok(loaded.reason.includes(`(${code})`), loaded.reason);
      // Mojibake would show the character's UTF-8 bytes as Latin-1 ones: "â¬".
      assert.doesNotMatch(loaded.reason, /[\u0080-\u00ff]/, code);
    }
    assert.match(core.preview({ ...form, myCall: "NOC\xc9AL9" }).notes[0].text, /"NOC\xc9AL9" -> sent as "NOC\xc9AL"/);
  });

  it("refuse a text beyond Latin-1 with the field and reason, whichever call gets it", () => {
    const form = { ...core.defaults(), message: "Euro €" };
    const reason = /^Message: the character € \(U\+20AC\) is not in Latin-1/;
    for (const outcome of [core.preview(form), core.build(form), core.prepareSend(form)]) {
      assert.equal(outcome.ok, false);
      assert.equal(outcome.field, "message");
      assert.match(outcome.reason, reason);
    }
    assert.equal(core.prepareSend(form).written.message, "Euro €");
    const calculator = core.calculatorDefaults();
    assert.match(core.saveCfg(form, calculator).reason, reason);
    assert.match(core.loadCfg("x", form, calculator).reason, reason);
    const position = { ...calculator, latitude: "45.30.15€" };
    assert.match(core.calculatePosition(position, ">", false).reason, /^Latitude: the character €/);
    assert.match(core.checkPosition(position).reason, /the character €/);
    assert.equal(core.isGpslessTimeout("0€"), true);
    assert.equal(core.isGpslessTimeout("1€"), false);
  });
});

describe("the zip a host unpacks", () => {
  // The MIT notices of the runtime and C library compiled into the core must travel with it.
  it("carries the licences of the page and of what its core is compiled with", () => {
    const zip = readdirSync(dirname(WEB)).find((name) => /^zelvar-config-web-.*\.zip$/.test(name));
    assert.ok(zip, "no zip beside the page's folder");
    const read = "import sys, zipfile; print(zipfile.ZipFile(sys.argv[1]).read('copyright.txt').decode())";
    const notice = execFileSync("python3", ["-c", read, join(dirname(WEB), zip)], { encoding: "utf8" });
    for (const part of ["GPL-3.0-or-later", "tl::expected", "Emscripten Authors", "Rich Felker", "LLVM"])
      assert.ok(notice.includes(part), part);
  });
});
