// The page's service worker: it keeps one build of the page whole, so that the page opens
// and runs with no network, and takes a new build only whole. tools/offline.py writes the
// build's name and files in. Its scope is the page's folder: another page of the host is
// never answered from here, and a copy of the page in another folder keeps its own.
"use strict";
// The build's name (of its files and of this worker's own text), and each file with the hash of its bytes.
const BUILD = "", FILES = {};
const scope = self.registration.scope, mine = "wavegrid " + scope + " ", cache = mine + BUILD;

// A file's bytes hashed as FILES has them.
const hash = async (bytes) =>
  "sha256-" + btoa(String.fromCharCode(...new Uint8Array(await crypto.subtle.digest("SHA-256", bytes))));

// All of a build's files or none: one that can't be fetched, or whose bytes are not
// the build's (an upload half done, a host that rewrites files), and nothing is kept.
// The bytes wait here until every file is checked, so a failure touches no copy in use,
// whatever this worker's build name. Fetched past the HTTP cache, so that no conditional
// answer hands back old bytes; kept as a fresh answer of those bytes, so that a host's
// redirect (index.html to its folder) is never kept and never served to a page load.
async function keepWhole() {
  if (!BUILD) throw new Error("sw.js has no build: tools/offline.py writes it in");
  const got = [];
  for (const [file, sum] of Object.entries(FILES)) {
    const answer = await fetch(file, { cache: "no-store" });
    const bytes = answer.ok && (await answer.arrayBuffer());
    if (!bytes || (await hash(bytes)) != sum) throw new Error(file + " is not this build's (" + (bytes ? "other bytes" : answer.status) + ")");
    got.push([file, new Response(bytes, { headers: answer.headers })]);
  }
  const kept = await caches.open(cache);
  for (const [file, answer] of got) await kept.put(file, answer);
}

// A failed install is said on the console of the folder's open pages (the origin's
// others are not this copy's), then dropped; the worker before serves the build it kept.
self.addEventListener("install", (e) => e.waitUntil(keepWhole().catch(async (error) => {
  for (const page of await self.clients.matchAll({ type: "window", includeUncontrolled: true }))
    if (ours(page)) page.postMessage("not kept for offline use: " + error.message);
  throw error;
})));

// In place, the worker drops the builds before it, in this folder only; none while a newer
// worker fills its own (its cache can't be told from one before: the next activation drops both).
self.addEventListener("activate", (e) => e.waitUntil((async () => {
  if (self.registration.installing) return;
  for (const name of await caches.keys())
    if (name.startsWith(mine) && name != cache) await caches.delete(name);
})()));

// Each page of the build before says so once it has all its own files (or has
// stopped): this build takes over when every open page has, so that no page
// still loading is given the files of two builds; after 10 s it takes over
// anyway (a page the browser keeps for its Back button never says so).
const done = new Set();
const ours = (page) => [scope, scope + "index.html"].includes(page.url.split(/[?#]/)[0]);
self.addEventListener("message", (e) => e.data == "take over" && e.waitUntil((async () => {
  done.add(e.source.id);
  for (let waited = 0; waited < 10000; waited += 250) {
    const pages = await self.clients.matchAll({ type: "window", includeUncontrolled: true });
    if (pages.filter(ours).every((page) => done.has(page.id))) break;
    await new Promise((then) => setTimeout(then, 250));
  }
  await self.skipWaiting();
})()));

// The page's own files, from this build's copy; anything else goes to the network as it
// would. A file the copy lacks (storage cleared or evicted, or not yet whole) comes from the
// network, and the build is kept whole again for the next visit; a storage error alike.
let keeping = null;
self.addEventListener("fetch", (e) => {
  const url = e.request.url.split(/[?#]/)[0];
  const file = url == scope ? "index.html" : url.slice(scope.length);
  const ours = Object.prototype.hasOwnProperty.call(FILES, file); // older Safari has no Object.hasOwn
  if (!url.startsWith(scope) || !ours || !["GET", "HEAD"].includes(e.request.method)) return;
  e.respondWith((async () => {
    const kept = await caches.match(file, { cacheName: cache }).catch(() => null); // never makes a cache
    if (kept) return e.request.method == "HEAD" ? new Response(null, kept) : kept; // a HEAD answer has no body
    keeping = keeping || keepWhole().catch(() => {}).then(() => (keeping = null));
    e.waitUntil(keeping);
    const answer = await fetch(url, { method: e.request.method, cache: "no-cache" }); // as the host has it now
    return answer.redirected ? new Response(answer.body, answer) : answer; // a page load takes no redirect
  })());
});
