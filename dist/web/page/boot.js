"use strict";
// The one classic script of the page, run before its modules. A browser loads no module into a
// page opened from a file, so here the page says how to serve it instead; and should the
// page's own modules not arrive or not run, it says so once the page has loaded, rather than
// leave the player a page that never starts.
(function () {
  const $ = (id) => document.getElementById(id);
  function showProblem(title, parts, retry) {
    $("no-page").remove();
    $("loading").hidden = true;
    $("problem-title").textContent = title;
    const text = $("problem-text");
    text.textContent = "";
    for (const part of parts) {
      const node = document.createElement(part.code ? "code" : "span");
      node.textContent = part.code || part;
      text.appendChild(node);
    }
    $("retry").hidden = !retry;
    $("retry").onclick = () => location.reload();
    $("problem").hidden = false;
    document.body.dataset.exitStatus = "failed";
  }

  if (location.protocol === "file:") {
    showProblem("Dunmarrow needs a web server", [
      "Browsers do not let a page opened from a file load a game. Serve this folder, for " +
      "example with ", { code: "python3 -m http.server" }, " run in it, then open ",
      { code: "http://localhost:8000/" }, "."]);
    window.dunmarrowCannotStart = true;
    return;
  }
  window.addEventListener("load", () => {
    if (window.dunmarrowPageRuns) return;
    // A portal's sandboxed frame (sandbox="allow-scripts" without allow-same-origin) gives the
    // page an origin of its own, and the browser then loads its modules only from a server that
    // lets any origin have them. Trying again there changes nothing; the game's own address does.
    if (window.origin === "null" && location.protocol !== "file:") {
      showProblem("Dunmarrow cannot start in this frame", [
        "The page that shows the game keeps it in a sandboxed frame, and the game's server " +
        "does not let such a frame load the game's files. Play it at its own address: ",
        { code: location.href }, "."]);
      return;
    }
    showProblem("Dunmarrow could not start", [
      "The page's own script (", { code: "page/main.js" }, " and the modules it loads) did " +
      "not download, or this browser cannot run it. Try again; a current Chrome, Edge, " +
      "Firefox or Safari plays the game."], true);
  });
})();