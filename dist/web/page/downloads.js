// The game's files, each downloaded and checked against the hash that the build wrote into
// index.html (#hashes), with the progress shown as they arrive. A file that did not download
// whole and unchanged is named to the player, and the game never starts.
//
// Each file has a name that changes with its content (#hashes gives it by the file's plain
// name), so a cache can never answer this page with a file of another build. Should a check
// fail all the same (a cache that kept a damaged copy), the file is asked for once more past
// every cache before the player is told; that also refreshes the cache, so Try again
// (a reload) fetches the file afresh.

const $ = (id) => document.getElementById(id);

// { "dunmarrow.wasm": { at: "dunmarrow.0123456789ab.wasm", integrity: "sha384-..." }, ...,
//   "gfx/win.png": { in: "assets.pack", from: 70123, size: 12404, whole: true }, ... }: a
// packed file is where its pack holds it, and missing where it has no size.
export const hashes = JSON.parse($("hashes").textContent);
export const files = Object.keys(hashes);

// The progress counts the downloads of the game's first frame: the sounds come after it.
const shownFirst = files.filter((file) => hashes[file].at && !file.startsWith("sfx/"));
let filesIn = 0;
export function showProgress() {
  const progress = $("progress");
  progress.max = shownFirst.length;
  progress.value = 0;
  progress.hidden = false;
  $("status").textContent = "Downloading\u2026";
}
export function arrived(file) {
  if (!shownFirst.includes(file)) return;
  $("progress").value = ++filesIn;
  if (filesIn === shownFirst.length) $("status").textContent = "Starting\u2026";
}

// A file that did not arrive, named as the host has it (its sealed name), so that the host can
// find it: "did not download intact" where the host has it but it failed its check, "did not
// download" where the host does not have it or did not answer. Offline on a first visit
// nothing has been kept yet, and the player is told so.
export const notDownloaded = (at, present) => (navigator.onLine === false
  ? "The file " + at + " did not download. Dunmarrow needs the network once, to " +
    "download the game; after that it plays offline."
  : "The file " + at + (present ? " did not download intact." : " did not download."));

// Why a file failed its check: asked for once more, unchecked and past every cache, the host's
// answer tells a file it has (damaged) from one it lacks (a 404 page fails the check too).
const whyNot = (at) => fetch(at, { credentials: "same-origin", cache: "no-store" })
  .then((response) => response.ok, () => false)
  .then((present) => new Error(notDownloaded(at, present)));

// Resolves to the response, or to null for a file missing from the site where that is for
// the game to judge.
export function download(file, missingIsFine) {
  const { at, integrity } = hashes[file];
  const get = (cache) => fetch(at, { integrity, credentials: "same-origin", cache });
  return get("default").catch(() => get("reload")).then(
    (response) => {
      if (!response.ok && !missingIsFine) throw new Error(notDownloaded(at, false));
      arrived(file);
      return response.ok ? response : null;
    },
    () => whyNot(at).then((error) => { throw error; }));
}

// The game's script, checked as the rest; it runs once the page has set up Module. (The
// page asked for it already, in index.html's preload hint, which this request matches.) A
// script element cannot ask past the cache, so a fetch that does refreshes the cache first.
export function loadGameScript(failed) {
  const { at, integrity } = hashes["dunmarrow.js"];
  const load = (again) => {
    const script = document.createElement("script");
    script.src = at;
    script.integrity = integrity;
    // As the page's modules are: a page in a portal's sandboxed frame has an origin of its own.
    script.crossOrigin = "anonymous";
    script.onload = () => arrived("dunmarrow.js");
    script.onerror = () => {
      script.remove();
      if (!again) return whyNot(at).then((error) => failed(error.message));
      fetch(at, { cache: "reload", credentials: "same-origin" }).catch(() => {})
        .then(() => load(false));
    };
    document.body.appendChild(script);
  };
  load(true);
}
