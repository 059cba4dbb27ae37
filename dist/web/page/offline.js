// Once the game runs, the offline worker (service-worker.js) keeps this build for playing
// without the network, where the browser offers one: over https, or from this machine. It
// starts after the game, so as not to compete with its start.

// Nothing here may end a game that plays: in a sandboxed frame even reading
// navigator.serviceWorker throws.
export function keepForOffline() {
  setTimeout(() => {
    try {
      if (!("serviceWorker" in navigator) || !window.isSecureContext) return;
      navigator.serviceWorker.register("service-worker.js")
        .catch((error) => console.warn("The game is not kept for offline play: " + error));
    } catch (refused) {
      console.warn("The game is not kept for offline play here: " + refused);
    }
  }, 1000);
}
