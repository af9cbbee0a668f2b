// SPDX-License-Identifier: MIT
// The installable page's service worker: keeps the page and its files, and answers
// every request of the page from them, so that it opens and works offline. It asks
// the network only for what it does not hold; the page itself makes no request.
//
// A new release (a new worker, with its own cache) takes every file from the network,
// never from the browser's HTTP cache, which a host's old dates or missing
// Cache-Control can keep fresh for days; the old release stays whole until the new one
// is, and a failed file leaves the old one in place. Once whole, the new release takes
// over at once: the page open now says so, and the next load is the new one.
'use strict';
var CACHE = 'pemdra-@VERSION@';
var FILES = @FILES@;

self.addEventListener('install', function (event) {
  event.waitUntil(caches.open(CACHE).then(function (cache) {
    return cache.addAll(FILES.map(function (file) {
      return new Request(file, {cache: 'reload'});
    }));
  }).then(function () {
    return self.skipWaiting();
  }, function (error) {
    // Half a release is none: the old one stays.
    return caches.delete(CACHE).then(function () {
      throw error;
    });
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
