// The page offline. Installing keeps every file of this version; from then on the page starts,
// and sends, from them without the network. A changed version installs beside the running one
// and takes over only once no window of the old one is left, at the next start: a page never
// changes under a running send.

// Set when the page is built: a digest of its files, and their names.
declare const VERSION: string;
declare const FILES: string[];

const worker = self as unknown as ServiceWorkerGlobalScope;
const PREFIX = "zelvar-config-";
const CACHE = PREFIX + VERSION;

worker.addEventListener("install", (event) => {
  // Past the browser's own cache, so that the new version's files are the new ones.
  const requests = FILES.map((file) => new Request(file, { cache: "reload" }));
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(requests)));
});

worker.addEventListener("activate", (event) => {
  const old = (name: string) => name.startsWith(PREFIX) && name !== CACHE;
  event.waitUntil(caches.keys().then((names) => Promise.all(names.filter(old).map((name) => caches.delete(name)))));
});

worker.addEventListener("fetch", (event) => {
  const request = event.request;
  if (request.method !== "GET" || new URL(request.url).origin !== worker.location.origin) return;
  event.respondWith(
    caches
      .open(CACHE)
      .then(async (cache) => (await cache.match(request, { ignoreSearch: true })) ?? fetch(request)),
  );
});
