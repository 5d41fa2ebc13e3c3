// The page's service worker: the page, the game and every file of its
// media kept in one cache per build, so the game starts without the
// network after one visit. The build writes the version (a hash of the
// files) and the list below; a new build's worker fills a new cache and
// drops the old one.
'use strict';

const version = '@VERSION@';
const files = [@FILES@];
const cacheName = 'skycourse-' + version;

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(cacheName).then((cache) => cache.addAll(files)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys().then((names) => Promise.all(names.filter((name) =>
    name.startsWith('skycourse-') && name !== cacheName).map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

// The page's own files from the cache (the page whatever its query: ?watch,
// ?rows), anything else from the network.
self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET' || new URL(event.request.url).origin !== self.location.origin) return;
  event.respondWith(caches.open(cacheName).then((cache) =>
    cache.match(event.request, { ignoreSearch: event.request.mode === 'navigate' })).then((kept) =>
    kept || fetch(event.request)));
});
