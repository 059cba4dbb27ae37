// Once the game runs, the offline worker (service-worker.js) keeps this build for playing
// without the network, where the browser offers one: over https, or from this machine. It
// starts after the game, so as not to compete with its start. Where the build cannot be kept
// whole (a storage quota too small for it), the page says so, rather than leave the player to
// find out offline.

// Nothing here may end a game that plays: in a sandboxed frame even reading
// navigator.serviceWorker throws.
export function keepForOffline(showKept) {
  setTimeout(() => {
    try {
      if (!("serviceWorker" in navigator) || !window.isSecureContext) return;
      const workers = navigator.serviceWorker;
      // The worker's answer to "kept?", once it has fetched again whatever its cache lacked.
      workers.addEventListener("message", (event) => {
        if (event.data && typeof event.data.kept === "boolean") showKept(event.data.kept);
      });
      workers.register("service-worker.js").then((registration) => {
        // A worker that could not keep its build whole is never installed.
        const installing = registration.installing;
        installing?.addEventListener("statechange", () => {
          if (installing.state === "redundant" && !registration.active) showKept(false);
        });
        return workers.ready;
      }).then((registration) => registration.active.postMessage("kept?"))
        .catch((error) => {
          console.warn("The game is not kept for offline play: " + error);
          showKept(false);
        });
    } catch (refused) {
      console.warn("The game is not kept for offline play here: " + refused);
    }
  }, 1000);
}
