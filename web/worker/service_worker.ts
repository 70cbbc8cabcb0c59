// The page offline. Installing keeps every file of this version; from then on the page starts,
// and sends, from them without the network. A changed version installs beside the running one
// and takes over only once no window of the old one is left, at the next start: a page never
// changes under a running send. Versions in other folders of the same site have caches of their
// own, named by their scope, and each worker deletes only its own older ones.

// Set when the page is built: a digest of its files, and their names.
declare const VERSION: string;
declare const FILES: string[];

const worker = self as unknown as ServiceWorkerGlobalScope;
const PREFIX = `zelvar-config ${new URL(worker.registration.scope).pathname} `;
const CACHE = PREFIX + VERSION;

worker.addEventListener("install", (event) => {
  // The first visit has just loaded the page's files, and the browser's own cache gives them
  // again. A new version is fetched past it, so that its files are the new ones.
  const cache = worker.registration.active ? "reload" : "default";
  const requests = FILES.map((file) => new Request(file, { cache }));
  event.waitUntil(caches.open(CACHE).then((kept) => kept.addAll(requests)));
});

worker.addEventListener("activate", (event) => {
  const old = (name: string) => name.startsWith(PREFIX) && name !== CACHE;
  event.waitUntil(caches.keys().then((names) => Promise.all(names.filter(old).map((name) => caches.delete(name)))));
});

// The page is kept once, under the folder's own address: its other name, index.html, gets that copy.
const SCOPE = worker.registration.scope;
function keptAs(request: Request): Request | string {
  const url = new URL(request.url);
  return url.origin + url.pathname === `${SCOPE}index.html` ? SCOPE : request;
}

worker.addEventListener("fetch", (event) => {
  const request = event.request;
  if (request.method !== "GET" || new URL(request.url).origin !== worker.location.origin) return;
  event.respondWith(
    caches
      .open(CACHE)
      .then(async (cache) => (await cache.match(keptAs(request), { ignoreSearch: true })) ?? fetch(request)),
  );
});
