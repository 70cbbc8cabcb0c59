// What a field keeps of an edit under its input rule: properties that hold for any edit, on a
// rule made here (the core's own rules are the page tests', typed into the real page).
import assert from "node:assert/strict";
import { describe, it } from "node:test";

import { acceptedText, ruledEdit } from "../../src/ruled_text.ts";
import { random } from "../support/records.mjs";

const CALLSIGN = {
  maxLength: 9,
  masked: false,
  upperCase: true,
  selectAllOnFocus: false,
  accepted: "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-",
  acceptedGpsless: "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-!/",
};
// The fields' characters mixed with what no rule takes: upper Latin-1, "€", U+202E, an emoji.
const POOL = [..."aZ09-!/ é\u00ad€\u202e", "\u{1F4E1}"];

const kept = (text, gpsless = false) =>
  [...text].every((c) => (gpsless ? CALLSIGN.acceptedGpsless : CALLSIGN.accepted).includes(c));

describe("acceptedText", () => {
  it("keeps the rule's characters, raised, and drops the rest whole", () => {
    assert.equal(acceptedText(CALLSIGN, "qx9 é€\u{1F4E1}abc-7", false), "QX9ABC-7");
    assert.equal(acceptedText(CALLSIGN, "a!/b", false), "AB");
    assert.equal(acceptedText(CALLSIGN, "a!/b", true), "A!/B");
    // An input method's full-width forms are the ASCII they stand for.
    assert.equal(acceptedText(CALLSIGN, "ｑｘ９\u3000ＡＢＣ－７", false), "QX9ABC-7");
    // A Japanese one's comma and point: dropped, two path entries ran into one.
    const path = { ...CALLSIGN, accepted: CALLSIGN.accepted + ",." };
    assert.equal(acceptedText(path, "wide1-1、wide2-2。", false), "WIDE1-1,WIDE2-2.");
    assert.equal(acceptedText(path, "a､b｡", false), "A,B.");
    // Its long-vowel mark, which its minus key types: dropped, the dash before an SSID went missing.
    assert.equal(acceptedText(path, "ｗｉｄｅ１ー１、ｗｉｄｅ２ｰ２", false), "WIDE1-1,WIDE2-2");
    // Where the rule reads decimals, a decimal comma (a German keypad's) goes in as the point.
    const altitude = { ...CALLSIGN, upperCase: false, accepted: "0123456789-.", decimalComma: true };
    assert.equal(acceptedText(altitude, "300,4", false), "300.4");
    assert.equal(acceptedText(altitude, "300，4", false), "300.4");
    assert.equal(acceptedText(CALLSIGN, "a,b", false), "AB");
    // A Turkish keyboard's dotless i, and the dotted capital a phone's capitals make of i.
    assert.equal(acceptedText(CALLSIGN, "ta1ıİz", false), "TA1IIZ");
    assert.equal(acceptedText({ ...CALLSIGN, upperCase: false, accepted: "Iiz" }, "ıİz", false), "z");
  });

  it("judges a pasted book only until the field is full, each character once", () => {
    let asked = 0;
    const counting = { ...CALLSIGN, accepted: { includes: (c) => (++asked, CALLSIGN.accepted.includes(c)) } };
    const book = " ".repeat(200000) + "qx9abc-12" + "b".repeat(200000);
    assert.equal(acceptedText(counting, book, false, 9), "QX9ABC-12");
    assert.ok(asked < 20, `${asked} judgments`);
    asked = 0;
    assert.deepEqual(ruledEdit(counting, "", book, book.length, false), { value: "QX9ABC-12", caret: 9 });
    assert.ok(asked < 20, `${asked} judgments`);
  });

  it("is a fixed point on what it kept", () => {
    const next = random(7);
    for (let i = 0; i < 200; ++i) {
      const text = Array.from({ length: next(12) }, () => POOL[next(POOL.length)]).join("");
      const once = acceptedText(CALLSIGN, text, i % 2 === 0);
      assert.ok(kept(once, i % 2 === 0), JSON.stringify(once));
      assert.equal(acceptedText(CALLSIGN, once, i % 2 === 0), once);
    }
  });
});

describe("ruledEdit", () => {
  it("keeps a paste's accepted characters up to the field's length, the caret after them", () => {
    assert.deepEqual(ruledEdit(CALLSIGN, "QX", "QX9a bc€", 8, false), { value: "QX9ABC", caret: 6 });
    assert.deepEqual(ruledEdit(CALLSIGN, "NOCALL-", "NOCALL-12345", 12, false), { value: "NOCALL-12", caret: 9 });
    assert.equal(ruledEdit(CALLSIGN, "QX", "QX9", 3, false), null);
  });

  it("leaves the text an edit replaced when it keeps none of what came in, as a refused key does", () => {
    // An input method's "é" composed over the selected callsign, or autofill's "€".
    assert.deepEqual(ruledEdit(CALLSIGN, "NOCALL-9", "\u00e9", 1, false), { value: "NOCALL-9", caret: 8 });
    assert.deepEqual(ruledEdit(CALLSIGN, "NOCALL-9", "NO\u20ac-9", 3, false), { value: "NOCALL-9", caret: 6 });
    // Taken away without anything in its place, it is gone as the user asked.
    assert.equal(ruledEdit(CALLSIGN, "NOCALL-9", "NO-9", 2, false), null);
  });

  it("overtypes where asked, with what it keeps: a composed digit or symbol in a masked field", () => {
    const digits = { ...CALLSIGN, maxLength: 3, masked: true, upperCase: false, accepted: "0123456789" };
    assert.deepEqual(ruledEdit(digits, "200", "\uff11200", 1, false, true), { value: "100", caret: 1 });
    assert.deepEqual(ruledEdit(digits, "200", "2\uff11\uff1200", 3, false, true), { value: "212", caret: 3 });
    assert.deepEqual(ruledEdit(digits, "200", "20\uff11\uff120", 4, false, true), { value: "201", caret: 3 });
    assert.deepEqual(ruledEdit(digits, "200", "\u00e9200", 1, false, true), { value: "200", caret: 0 });
    assert.deepEqual(ruledEdit(digits, "25", "2\uff115", 2, false, true), { value: "21", caret: 2 });
    assert.deepEqual(ruledEdit({ ...digits, maxLength: 1, accepted: "^a" }, "a", "^a", 1, false, true), {
      value: "^",
      caret: 1,
    });
    assert.equal(ruledEdit(digits, "20", "201", 3, false, true), null);
  });

  it("leaves what the edit did not touch, and keeps the rule, for any edit at any place", () => {
    const next = random(24);
    for (let i = 0; i < 500; ++i) {
      const before = "NOCALL-9Q".slice(next(10));
      const start = next(before.length + 1);
      const end = start + next(before.length - start + 1);
      const typed = Array.from({ length: next(6) }, () => POOL[next(POOL.length)]).join("");
      const after = before.slice(0, start) + typed + before.slice(end);
      const ruled = ruledEdit(CALLSIGN, before, after, start + typed.length, false);
      const value = ruled?.value ?? after;
      const what = JSON.stringify({ before, after, ruled });
      assert.ok(kept(value) && value.length <= CALLSIGN.maxLength, what);
      assert.ok(value.startsWith(before.slice(0, start)) && value.endsWith(before.slice(end)), what);
      if (ruled) assert.equal(value.slice(ruled.caret), before.slice(end), what);
      if (typed !== "" && acceptedText(CALLSIGN, typed, false) === "") assert.equal(value, before, what);
    }
  });
});
