// Keeps the site's files, so that the page starts with no network from the
// version kept at the last visit online. scripts/web-page writes the
// SHA-256 of every file into this script, so that each new version of the
// site comes with a new copy of it, which the browser installs at the next
// visit online. The copy it keeps is the version it says it is:
// - each file is fetched from the server past the browser's HTTP cache,
//   which may still hold an older one (a server that sends Last-Modified
//   alone lets it guess the file fresh for hours), and kept only if its
//   SHA-256 is the one written here;
// - the version kept so far keeps answering until the new one is whole: a
//   file missing, cut short or changed fails the install, and the browser
//   tries again at a later visit;
// - its caches carry the program's name, and only its own older ones are
//   let go: another program served from the same site keeps its own.
"use strict";
const PROGRAM = "@TRIMWELL_APP_ID@ ";
const VERSION = "";
const FILES = {};
const KEPT = PROGRAM + VERSION;

function hex(bytes) {
  return Array.from(new Uint8Array(bytes), function (byte) {
    return byte.toString(16).padStart(2, "0");
  }).join("");
}

// The file as the server has it now, once checked.
async function checked(name) {
  const response = await fetch(name, { cache: "no-store" });
  const body = await response.arrayBuffer();
  const sum = hex(await crypto.subtle.digest("SHA-256", body));
  if (!response.ok || sum !== FILES[name]) {
    throw new Error(`${name}: HTTP ${response.status}, SHA-256 ${sum}, ` +
                    `where this version has ${FILES[name]}`);
  }
  // A response of its own, whatever way the server found it (a redirect
  // could not answer the page's own address).
  return new Response(body, { headers: response.headers });
}

self.addEventListener("install", function (event) {
  event.waitUntil((async function () {
    const names = Object.keys(FILES);
    const files = await Promise.all(names.map(checked));
    const kept = await caches.open(KEPT);
    try {
      await Promise.all(names.map(function (name, i) {
        return kept.put(name, files[i]);
      }));
    } catch (error) {
      await caches.delete(KEPT); // a version half kept is none
      throw error;
    }
    await self.skipWaiting();
  })());
});

self.addEventListener("activate", function (event) {
  event.waitUntil((async function () {
    for (const name of await caches.keys()) {
      if (name.startsWith(PROGRAM) && name !== KEPT) {
        await caches.delete(name);
      }
    }
    await self.clients.claim();
  })());
});

self.addEventListener("fetch", function (event) {
  if (event.request.method !== "GET") {
    return;
  }
  event.respondWith((async function () {
    const kept = await (await caches.open(KEPT)).match(event.request,
                                                        { ignoreSearch: true });
    return kept || fetch(event.request);
  })());
});
