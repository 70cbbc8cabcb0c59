// The page's runner of SEND with the core's own pacer, on a port and a clock of the test's: every
// write comes when the pacer says, after a drain that takes 50 ms and timers that fire a
// millisecond early, which only make the runner wait again.
import assert from "node:assert/strict";
import { describe, it } from "node:test";

import { runTransfer } from "../../src/transfer_runner.ts";
import { loadCore } from "../support/core_module.mjs";

const core = await loadCore();
const DRAIN_MS = 50;

// A Web Serial port whose writers record when each write came and take DRAIN_MS to drain one.
function recordingPort(clock, log) {
  const writer = () => {
    let wrote = false;
    return {
      closed: new Promise(() => {}),
      write: async (bytes) => {
        wrote = true;
        log.push(["write", clock.now, bytes.length]);
      },
      close: async () => void (clock.now += wrote ? DRAIN_MS : 0),
      abort: async () => {},
      releaseLock() {},
    };
  };
  return {
    open: async ({ baudRate }) => void log.push(["open", clock.now, baudRate]),
    close: async () => void log.push(["close", clock.now]),
    writable: { getWriter: writer },
  };
}

// Runs with the page's timers and clocks replaced: every other timer fires 1 ms before its time, and
// timer number `held.timer` `held.ms` after it, while the computer is suspended for `held.asleepMs`,
// which Date.now() sees and performance.now() does not. A port of the test never misses the time a
// write or drain must be done by (seconds away, where the pauses are less than one): those timers
// never fire.
async function runOnFakeClock(pacer, clock, log, held = { timer: -1, ms: 0, asleepMs: 0 }) {
  const saved = { setTimeout: globalThis.setTimeout, performance: globalThis.performance, dateNow: Date.now };
  let timers = 0;
  let asleepMs = 0;
  globalThis.window = new EventTarget();
  Object.defineProperty(globalThis, "performance", { value: { now: () => clock.now }, configurable: true });
  Date.now = () => 1_765_000_000_000 + clock.now + asleepMs;
  globalThis.setTimeout = (woken, ms) => {
    if (ms >= 1000) return;
    clock.now += timers === held.timer ? ms + held.ms : timers % 2 === 0 ? ms - 1 : ms;
    if (timers === held.timer) asleepMs += held.asleepMs;
    timers += 1;
    queueMicrotask(woken);
  };
  try {
    const shown = [];
    const progress = { show: (t) => shown.push(t), setText: (t) => shown.push(t), finish: (t) => shown.push(t) };
    await runTransfer(recordingPort(clock, log), 4800, pacer, progress, "late");
    return { timers, shown };
  } finally {
    globalThis.setTimeout = saved.setTimeout;
    Date.now = saved.dateNow;
    Object.defineProperty(globalThis, "performance", { value: saved.performance, configurable: true });
    delete globalThis.window;
  }
}

describe("runTransfer", () => {
  it("writes when the core's pacer says, whatever the drain and the timers do", async () => {
    const prepared = core.prepareSend(core.defaults());
    assert.ok(prepared.ok);
    const clock = { now: 1000 };
    const log = [];
    try {
      const { timers, shown } = await runOnFakeClock(prepared.pacer, clock, log);
      // Six pauses, each asked for again after its early timer.
      assert.equal(timers, 12);
      assert.equal(shown.at(-1), "Data sent !\r\n Be shure that 'Transfer OK' appears on LCD");
    } finally {
      prepared.pacer.delete();
    }
    // From the start: 300 ms; then each pause after the drain and the bytes' time on the line
    // (4.167 ms for a lead-in, 172.917 ms for a block at 4800 bit/s), as SendPacer's own tests pin.
    const times = log.map(([what, at, size]) => [what, Math.round((at - 1000) * 1000), size]);
    assert.deepEqual(times, [
      ["open", 0, 4800],
      ["write", 300000, 2],
      ["write", 364167, 83],
      ["write", 1187084, 2],
      ["write", 1251251, 83],
      ["close", 1774168, undefined],
    ]);
  });

  // Held up 3 s after block 1 (the page waited in the background, or the computer was suspended,
  // which performance.now() does not count), block 2 would reach the tracker too late: the send
  // fails in the core's words, nothing more written, the port closed, and no "Data sent !".
  for (const [how, ms, asleepMs] of [
    ["late", 3000, 0],
    ["suspended", 0, 3000],
  ])
    it(`fails a send held up so long that the rest would reach the tracker too late (${how})`, async () => {
      const prepared = core.prepareSend(core.defaults());
      const log = [];
      try {
        // Two timers for each pause: the one after block 1 is the fifth.
        await assert.rejects(runOnFakeClock(prepared.pacer, { now: 1000 }, log, { timer: 4, ms, asleepMs }), {
          stage: "heldUp",
          message: /^The send was held up .* too late\.$/,
        });
      } finally {
        prepared.pacer.delete();
      }
      assert.deepEqual(
        log.map(([what, , size]) => [what, size]),
        [
          ["open", 4800],
          ["write", 2],
          ["write", 83],
          ["close", undefined],
        ],
      );
    });

  // A device that never takes the bytes (a far end that never reads, a stalled adapter): the send
  // fails in the core's words once the bytes' time and the margin have passed, the port closed; a
  // port the browser cannot close then is said to be held.
  for (const closes of [true, false])
    it(`fails a write the port does not take in time, ${closes ? "and closes the port" : "the port held"}`, async () => {
      const prepared = core.prepareSend(core.defaults());
      const log = [];
      const stuck = {
        open: async () => void log.push("open"),
        close: () => (log.push("close"), closes ? Promise.resolve() : new Promise(() => {})),
        writable: {
          getWriter: () => ({
            closed: new Promise(() => {}),
            write: () => new Promise(() => {}),
            close: () => new Promise(() => {}),
            abort: async () => {},
            releaseLock() {},
          }),
        },
      };
      const progress = { show() {}, setText() {}, finish() {} };
      globalThis.window = new EventTarget();
      const started = performance.now();
      try {
        await assert.rejects(runTransfer(stuck, 4800, prepared.pacer, progress, "late"), {
          stage: "line",
          message: "late",
          portHeld: !closes,
        });
      } finally {
        delete globalThis.window;
        prepared.pacer.delete();
      }
      // The lead-in's 4 ms on the line and the 2 s margin, after the 300 ms before it.
      assert.ok(performance.now() - started >= 2300);
      assert.deepEqual(log, ["open", "close"]);
    });
});
