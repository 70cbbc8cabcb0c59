// The timers of SEND's pauses, in a worker of their own: Chromium runs the timers of a hidden page
// (another tab in front, the window minimised) at most once a second, which stretched the 10 ms
// pause after each lead-in to a second and brought block 2 after the tracker had stopped waiting.
// A worker's timers keep their time. Each message { id, ms } is answered with its id after ms.

const pacing = self as unknown as DedicatedWorkerGlobalScope;

pacing.addEventListener("message", (event: MessageEvent<{ id: number; ms: number }>) => {
  const { id, ms } = event.data;
  setTimeout(() => pacing.postMessage(id), ms);
});
