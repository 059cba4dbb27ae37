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
    showProblem("Dunmarrow could not start", [
      "The page's own script (", { code: "page/main.js" }, " and the modules it loads) did " +
      "not download, or this browser cannot run it. Try again; a current Chrome, Edge, " +
      "Firefox or Safari plays the game."], true);
  });
})();