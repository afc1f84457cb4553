// Keeps every file of the site, so that after the first visit the page, the
// core and the catalogues load with the network off. The build writes the
// list and names the cache after the files' contents: a new build takes the
// place of the old one whole, never a mix of the two.
const kCache = "quorvane-__VERSION__";
const kFiles = __FILES__;

self.addEventListener("install", (event) => {
    event.waitUntil(caches.open(kCache).then((cache) => cache.addAll(kFiles)).then(() => self.skipWaiting()));
});

self.addEventListener("activate", (event) => {
    event.waitUntil(
        caches.keys()
            .then((names) => Promise.all(names.filter((n) => n.startsWith("quorvane-") && n !== kCache)
                                              .map((n) => caches.delete(n))))
            .then(() => self.clients.claim()));
});

// The kept copy first: the site only changes with a new build, which brings
// a new worker.
self.addEventListener("fetch", (event) => {
    if (event.request.method !== "GET") return;
    event.respondWith(
        caches.open(kCache)
            .then((cache) => cache.match(event.request, { ignoreSearch: true }))
            .then((kept) => kept ?? fetch(event.request)));
});
