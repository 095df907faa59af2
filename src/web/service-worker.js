// Keeps the site's files, so that the page starts with no network, from
// what was kept at the last visit. A new version of the files comes with a
// new copy of this script (scripts/web-page writes the version in), which
// the browser takes up on the next visit online: it keeps the new files
// and lets the old ones go.
"use strict";
const VERSION = "@VERSION@";
const FILES = @FILES@;

self.addEventListener("install", function (event) {
  event.waitUntil(caches.open(VERSION).then(function (kept) {
    return kept.addAll(FILES);
  }).then(function () {
    return self.skipWaiting();
  }));
});

self.addEventListener("activate", function (event) {
  event.waitUntil(caches.keys().then(function (versions) {
    return Promise.all(versions.filter(function (version) {
      return version !== VERSION;
    }).map(function (old) {
      return caches.delete(old);
    }));
  }).then(function () {
    return self.clients.claim();
  }));
});

self.addEventListener("fetch", function (event) {
  event.respondWith(caches.match(event.request, { ignoreSearch: true })
    .then(function (kept) {
      return kept || fetch(event.request);
    }));
});
