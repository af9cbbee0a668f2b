// SPDX-License-Identifier: MIT
// The installable page's service worker: keeps the page and its files, and answers
// every request of the page from them, so that it opens and works offline. It asks
// the network only for what it does not hold; the page itself makes no request.
'use strict';
var CACHE = 'pemdra-@VERSION@';
var FILES = @FILES@;

self.addEventListener('install', function (event) {
  event.waitUntil(caches.open(CACHE).then(function (cache) {
    return cache.addAll(FILES);
  }).then(function () {
    return self.skipWaiting();
  }));
});

self.addEventListener('activate', function (event) {
  event.waitUntil(caches.keys().then(function (names) {
    return Promise.all(names.filter(function (name) {
      return name !== CACHE;
    }).map(function (name) {
      return caches.delete(name);
    }));
  }).then(function () {
    return self.clients.claim();
  }));
});

self.addEventListener('fetch', function (event) {
  if (event.request.method !== 'GET') return;
  event.respondWith(caches.open(CACHE).then(function (cache) {
    return cache.match(event.request, {ignoreSearch: true}).then(function (hit) {
      return hit || fetch(event.request);
    });
  }));
});
