// Once the game runs, the offline worker (service-worker.js) keeps this build for playing
// without the network, where the browser offers one: over https, or from this machine. It
// starts after the game, so as not to compete with its start.

export function keepForOffline() {
  if (!("serviceWorker" in navigator) || !window.isSecureContext) return;
  setTimeout(() => {
    navigator.serviceWorker.register("service-worker.js")
      .catch((error) => console.warn("The game is not kept for offline play: " + error));
  }, 1000);
}
