// The game's files, each downloaded and checked against the hash that the build wrote into
// index.html (#hashes), with the progress shown as they arrive. A file that did not download
// whole and unchanged is named to the player, and the game never starts.

const $ = (id) => document.getElementById(id);

export const hashes = JSON.parse($("hashes").textContent);
export const files = Object.keys(hashes);

let filesIn = 0;
export function showProgress() {
  const progress = $("progress");
  progress.max = files.length;
  progress.value = 0;
  progress.hidden = false;
  $("status").textContent = "Downloading\u2026";
}
export function arrived() {
  $("progress").value = ++filesIn;
  if (filesIn === files.length) $("status").textContent = "Starting\u2026";
}

// A file that did not arrive, named: offline on a first visit nothing has been kept yet, and
// the player is told so rather than of a damaged file.
export const notDownloaded = (file, answered) => (navigator.onLine === false
  ? "The file " + file + " did not download. Dunmarrow needs the network once, to " +
    "download the game; after that it plays offline."
  : "The file " + file + (answered ? " did not download." : " did not download intact."));

// Resolves to the response, or to null for a file missing from the site where that is for
// the game to judge.
export function download(file, missingIsFine) {
  return fetch(file, { integrity: hashes[file], credentials: "same-origin" }).then(
    (response) => {
      if (!response.ok && !missingIsFine) throw new Error(notDownloaded(file, true));
      arrived();
      return response.ok ? response : null;
    },
    () => { throw new Error(notDownloaded(file, false)); });
}

// The game's script, checked as the rest; it runs once the page has set up Module.
export function loadGameScript(failed) {
  const script = document.createElement("script");
  script.src = "dunmarrow.js";
  script.integrity = hashes["dunmarrow.js"];
  script.onload = arrived;
  script.onerror = () => failed(notDownloaded("dunmarrow.js", false));
  document.body.appendChild(script);
}
