"use strict";
// Keeps this build of the game for playing offline: every file of the site, checked against
// the hash it was built with, in a cache of this build's own. The first visit fills it; from
// then on the page and its files come from it, so a reload plays without the network. A new
// build is a new worker (its list below differs), which fills a cache of its own beside the
// old one and takes over once it is whole; the next reload is the new build throughout, and
// the old cache goes. Files that go missing from the cache later are fetched again. The old
// worker only ever serves its own build's page with its own files;
// and should a page ever be handed a file of another build, the page's own check of each
// file's hash refuses it.

// This build's version and its files with their hashes, written in by seal.py.
const BUILD = {};
const CACHE = "dunmarrow-" + BUILD.version;

// Every file of the build that the cache lacks, fetched and checked against its hash. Resolves
// to whether the build is now kept whole; what is missing is served from the network meanwhile.
function keepWhole(cache) {
  return Promise.all(Object.entries(BUILD.files).map(([file, hash]) =>
    cache.match(file).then((kept) => kept || fetch(file, { integrity: hash, cache: "no-cache" })
      .then((response) => {
        if (!response.ok) throw new Error(file + " did not download");
        return cache.put(file, response);
      }))))
    .then(() => true, (error) => {
      console.warn("This build is not kept whole for offline play: " + error);
      return false;
    });
}
// One refill at a time, however many files were found missing together.
let refilling = null;
function refill() {
  refilling ??= caches.open(CACHE).then(keepWhole).finally(() => { refilling = null; });
  return refilling;
}

// A build that cannot be kept whole (a quota too small, a file that did not download) is not
// installed, and what of it was kept goes: nothing claims to keep it.
self.addEventListener("install", (event) => {
  event.waitUntil(caches.open(CACHE).then(keepWhole).then((whole) => {
    if (whole) return self.skipWaiting();
    return caches.delete(CACHE).then(() => { throw new Error("not kept for offline play"); });
  }));
});

self.addEventListener("activate", (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names
      .filter((name) => name.startsWith("dunmarrow-") && name !== CACHE)
      .map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

// The page asks, once the game runs, whether its build is kept whole; files missing since (the
// player cleared the site's cache) are fetched again first.
self.addEventListener("message", (event) => {
  if (event.data !== "kept?") return;
  event.waitUntil(refill().then((whole) => event.source.postMessage({ kept: whole })));
});

self.addEventListener("fetch", (event) => {
  const url = new URL(event.request.url);
  const scope = new URL(self.registration.scope);
  if (event.request.method !== "GET" || url.origin !== scope.origin ||
      !url.pathname.startsWith(scope.pathname)) return;
  // The page whatever its query string, which is the game's command line.
  const file = url.pathname.slice(scope.pathname.length) || "index.html";
  if (!(file in BUILD.files)) return;
  event.respondWith(caches.open(CACHE)
    .then((cache) => cache.match(file))
    .then((kept) => {
      if (kept) return kept;
      // Gone from the cache since it was filled: from the network now, and kept again.
      event.waitUntil(refill());
      return fetch(event.request);
    }));
});
