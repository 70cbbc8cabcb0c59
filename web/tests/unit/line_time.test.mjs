// A write's own time on the line, which SEND's pauses come after: ten bits a byte (start, eight
// data bits, stop).
import assert from "node:assert/strict";
import { describe, it } from "node:test";

import { lineTimeMs } from "../../src/transfer_runner.ts";

describe("lineTimeMs", () => {
  it("counts ten bits a byte at the line's speed", () => {
    for (const baud of [300, 1200, 4800, 9600, 19200]) assert.equal(lineTimeMs(baud / 10, baud), 1000);
    assert.equal(lineTimeMs(0, 9600), 0);
    // A block of 83 bytes at 1200 baud is on the line for 692 ms.
    assert.equal(Math.round(lineTimeMs(83, 1200)), 692);
  });
});
