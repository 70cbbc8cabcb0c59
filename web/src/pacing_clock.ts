// Waits for SEND's pauses on the timers of a worker (web/worker/pacing_timer.ts), which a hidden
// page's throttling does not stretch. Should the worker fail to start, the page's own timers wait
// instead: the waits it had been given end at once, and the core's pacer, asked again after every
// wait, gives them the rest.

export class PacingClock {
  private readonly worker = new Worker("timer.js");
  private readonly waiting = new Map<number, () => void>();
  private nextId = 0;
  private failed = false;

  constructor() {
    this.worker.addEventListener("message", (event: MessageEvent<number>) => this.wake(event.data));
    this.worker.addEventListener("error", () => {
      this.failed = true;
      for (const id of [...this.waiting.keys()]) this.wake(id);
    });
  }

  /** Resolves once `ms` have passed, or sooner where the worker failed. */
  sleep(ms: number): Promise<void> {
    if (this.failed) return new Promise((woken) => setTimeout(woken, ms));
    const id = this.nextId++;
    return new Promise((woken) => {
      this.waiting.set(id, woken);
      this.worker.postMessage({ id, ms });
    });
  }

  /** Ends the worker once the send is over. */
  close(): void {
    this.worker.terminate();
  }

  private wake(id: number): void {
    this.waiting.get(id)?.();
    this.waiting.delete(id);
  }
}
