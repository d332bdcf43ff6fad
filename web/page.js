// The page's behaviour: starting the demo, saying why it stopped, the on-screen controls.
"use strict";
const canvas = document.getElementById("canvas"), status = document.getElementById("status");
const again = document.getElementById("again"), full = document.getElementById("full");
const pads = document.querySelectorAll("#pad button");
const files = ["wavegrid.js", "wavegrid.wasm", "wavegrid.data"];
let lastError = "", stopped = false, awake = null;

function say(text) {
  if (stopped) return; // the first reason to stop stays
  status.firstChild.textContent = text;
  status.hidden = !text;
}

// The demo is over, by its own doing or not: say why, offer a new start.
function stop(text) {
  say(text);
  again.hidden = false;
  canvas.style.cursor = ""; // hidden while the demo ran
  stopped = true;
  pads.forEach(release);
  awake && awake.release().catch(() => {});
  keep(); // a newer build waiting may take over now
}

function broken(what) {
  if (!stopped) console.error(what);
  stop(what);
}

// With the on-screen controls, the whole page goes full screen, so they come along.
// Where the browser offers none (an iPhone), or the frame it is in refuses it, nothing happens.
function fullscreen() {
  const page = document.documentElement;
  const what = page.classList.contains("pad") ? page : document.getElementById("demo");
  const go = what.requestFullscreen || what.webkitRequestFullscreen;
  new Promise((done) => done(go && go.call(what))).catch(() => {});
  canvas.focus();
}
again.onclick = () => location.reload();
full.onclick = canvas.ondblclick = fullscreen;
full.hidden = !(document.fullscreenEnabled || document.webkitFullscreenEnabled); // not on an iPhone, nor in a frame that forbids it

// The on-screen controls give the program the keys, as SDL reads them: a
// keydown by keyCode on the canvas, again while held (first after 100 ms,
// then every 30 ms, as the desktop's key repeat), a keyup when let go.
const key = (type, code, repeat) =>
  canvas.dispatchEvent(new KeyboardEvent(type, { keyCode: code, which: code, repeat, bubbles: true }));

function press(button, pointer) {
  if (button.timer || stopped) return;
  const code = +button.dataset.key;
  button.pointer = pointer;
  button.classList.add("held");
  key("keydown", code, false);
  button.timer = setTimeout(function repeat() {
    key("keydown", code, true);
    button.timer = setTimeout(repeat, 30);
  }, 100);
}

function release(button) {
  if (!button.timer) return;
  clearTimeout(button.timer);
  button.timer = 0;
  button.classList.remove("held");
  key("keyup", +button.dataset.key, false);
}

// A control stops the moment its finger lifts, slides off or is cancelled,
// and all stop when the page loses the screen or turns: none stays held.
for (const button of pads) {
  button.onpointerdown = (e) => {
    e.preventDefault(); // no focus taken from the canvas, no mouse events after
    button.releasePointerCapture(e.pointerId); // so that sliding off is seen
    press(button, e.pointerId);
  };
  for (const end of ["pointerup", "pointercancel", "pointerleave"])
    button.addEventListener(end, (e) => e.pointerId === button.pointer && release(button));
  button.onclick = (e) => e.detail || (press(button, -1), release(button)); // Enter, or a screen reader
  button.oncontextmenu = (e) => e.preventDefault(); // a long press is a held key
}
for (const what of ["blur", "pagehide", "resize", "orientationchange"])
  window.addEventListener(what, () => pads.forEach(release));
document.addEventListener("visibilitychange", () => pads.forEach(release));
document.addEventListener("gesturestart", (e) => e.preventDefault()); // Safari's pinch

const buttons = document.documentElement.classList;
matchMedia("(pointer: coarse)").matches && buttons.add("pad");
document.getElementById("buttons").onclick = () => (buttons.toggle("pad"), canvas.focus()); // keys to the demo

window.Module = {
  canvas: canvas,
  keyboardListeningElement: canvas,
  print: (line) => console.log(line),
  printErr: (line) => { console.error(line); lastError = line; },
  setStatus: (text) => say(text.replace(/\s*\(\d+\/\d+\)/, "")), // "" once it runs
  onRuntimeInitialized: () => (canvas.focus(), stayAwake(), keep()),
  onExit: (code) => code == 0 ? stop("The demo has ended.")
                              : stop(lastError || "The demo stopped (status " + code + ")."),
  onAbort: (what) => broken("The demo could not go on: " + what),
};
window.addEventListener("error", (e) => broken("The demo could not go on: " + e.message));
window.addEventListener("unhandledrejection", (e) => broken("The demo could not go on: " + (e.reason && e.reason.message || e.reason)));
canvas.addEventListener("webglcontextlost", () => broken("The browser took the demo's WebGL away."));

// While the demo runs the screen stays on, where the browser lets a page ask
// (Screen Wake Lock); the browser lets go whenever the page is hidden, so it is
// asked again when the page shows. Nothing is said where it can't be had.
function stayAwake() {
  stayAwake.wanted = true;
  if (stopped || !navigator.wakeLock || document.visibilityState != "visible") return;
  navigator.wakeLock.request("screen").then((lock) => (awake = lock, stopped && lock.release()), () => {});
}
document.addEventListener("visibilitychange", () => stayAwake.wanted && stayAwake());

// Kept for a visit with no network by the worker (sw.js) where the browser
// lets it; where it does not (a private window, a privacy setting: reading
// navigator.serviceWorker may throw), the page runs online as ever. A newer
// build, once fetched whole by its own worker, takes over when every page of
// this build has all of its own files, or has stopped: it runs from the next
// load. A copy it could not keep is said on the console: which file, and why.
function keep() {
  if (keep.asked) return;
  keep.asked = true;
  try {
    const workers = navigator.serviceWorker;
    if (!workers) return;
    workers.onmessage = (e) => console.warn("wavegrid: " + e.data);
    workers.register("sw.js").then((kept) => {
      const over = () => kept.waiting && kept.waiting.postMessage("take over");
      const watch = () => kept.installing && kept.installing.addEventListener("statechange", over);
      kept.addEventListener("updatefound", watch);
      watch();
      over();
      kept.update().catch(() => {}); // a new build published? (offline: no)
      // Installed, the copy is asked to be kept for as long as the browser allows.
      const persist = () => navigator.storage && navigator.storage.persist && navigator.storage.persist().catch(() => {});
      matchMedia("(display-mode: fullscreen), (display-mode: standalone)").matches ? persist() : addEventListener("appinstalled", persist);
    }, () => {});
  } catch (refused) {} // the page runs online
}

// Whether this page, page.js or page.css, as the browser gave them, are not what the host has
// now: a host may let the browser reuse files unasked (max-age, or no word at all), and a file of
// the build before would run beside this build's. A page its worker answers has one build's.
async function stale() {
  try {
    if (navigator.serviceWorker.controller) return false;
  } catch (none) {} // no worker, or none allowed
  const read = (file, cache) => fetch(file, { cache }).then((answer) => answer.text());
  const differs = async (file) => (await read(file, "force-cache")) != (await read(file, "no-cache"));
  const files = [location.href.split("#")[0], "page.js", "page.css"];
  return (await Promise.all(files.map((file) => differs(file).catch(() => false)))).some(Boolean);
}

// A file of the page that can't be had, named in the page's one line.
const missing = (file, why) => broken(file + " could not be loaded (" + why + "): keep " +
                                      files.join(", ") + " and this page together in one folder.");

// A file's bytes, or null once its reason is said: no answer, an error answer,
// or a connection dropped on the way.
// Each asked of the host again ("no-cache": unchanged, a short answer), never reused unasked.
async function bytes(file) {
  const answer = await fetch(file, { cache: "no-cache" }).catch(() => ({ status: "no answer" }));
  if (!answer.ok && self.origin == "null") // a frame sandboxed without allow-same-origin: its own files are another origin's
    return broken("This page is in a frame that keeps it from its own files (sandboxed): open the page on its own, or give the frame allow-same-origin."), null;
  if (!answer.ok) return missing(file, answer.status), null;
  return answer.arrayBuffer().then((got) => new Uint8Array(got), () => (missing(file, "cut short"), null));
}

// The program and its sprite are fetched once, here, by GET (a host may refuse
// anything else); wavegrid.js then loads as a script, which says only that it failed.
// A page given stale files loads again, once, from the host's (now in the HTTP cache).
async function start() {
  const [wasm, sprite, old] = await Promise.all([bytes(files[1]), bytes(files[2]), stale()]);
  if (old && !history.state) return history.replaceState("loaded again", ""), location.reload();
  if (!wasm || !sprite) return;
  await fetch(files[0], { cache: "no-cache" }).catch(() => {}); // for the script below, as the host has it
  Module.wasmBinary = wasm;
  // The sprite is the program's data/sprite01.bmp, put in its files before it starts.
  Module.preRun = [() => { FS.mkdir("data"); FS.writeFile("data/sprite01.bmp", sprite); }];
  const script = document.createElement("script");
  script.src = files[0];
  script.onerror = () => fetch(files[0]).then((a) => a.ok ? "cut short" : a.status, () => "no answer")
    .then((why) => missing(files[0], why));
  document.body.appendChild(script);
}

// WebGL is asked for on the demo's canvas, as SDL will ask, and SDL gets
// this context back: asked on a canvas of its own, a second context would
// live until collected, and while it lives Chromium shows half the frames.
if (location.protocol == "file:") {
  stop("This page must come from a web server, not from a file: in its folder run " +
       "\"python3 -m http.server --bind 127.0.0.1\" and open http://127.0.0.1:8000/");
} else if (!canvas.getContext("webgl", { alpha: false, antialias: false })) {
  broken("This browser offers no WebGL, which the demo draws with.");
} else {
  start();
}
