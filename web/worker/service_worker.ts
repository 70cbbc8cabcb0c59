// The page offline. Installing keeps every file of this version; from then on the page starts,
// and sends, from them without the network. A changed version installs beside the running one
// and takes over only once no window of the old one is left, at the next start: a page never
// changes under a running send. Versions in other folders of the same site have caches of their
// own, named by their scope, and each worker deletes only its own older ones.

// Set when the page is built: a digest of its files, and each file's name with the digest of its
// bytes ("sha256-…", as a script tag's integrity has it).
declare const VERSION: string;
declare const FILES: [string, string][];

const worker = self as unknown as ServiceWorkerGlobalScope;
const PREFIX = `zelvar-config ${new URL(worker.registration.scope).pathname} `;
const CACHE = PREFIX + VERSION;

worker.addEventListener("install", (event) => {
  // Only this version's own bytes are kept: a file the server gives otherwise (an upload half
  // done, an error page in its place) fails the install, the version in use stays, and the
  // browser tries again at a later start. Kept, a wrong file would stay until the next version.
  const keep = (cache: RequestCache) =>
    caches
      .open(CACHE)
      .then((kept) => kept.addAll(FILES.map(([file, integrity]) => new Request(file, { cache, integrity }))));
  // The first visit has just loaded the page's files, and the browser's own cache gives them
  // again, unless it still holds an older version's. A new version is fetched past it.
  event.waitUntil(worker.registration.active ? keep("reload") : keep("default").catch(() => keep("reload")));
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
