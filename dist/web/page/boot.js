"use strict";
// The one classic script of the page, run before its modules: a browser loads no module into a
// page opened from a file, so here the page says how to serve it instead.
(function () {
  if (location.protocol !== "file:") return;
  const $ = (id) => document.getElementById(id);
  $("loading").hidden = true;
  $("problem-title").textContent = "Dunmarrow needs a web server";
  const text = $("problem-text");
  const parts = ["Browsers do not let a page opened from a file load a game. Serve this " +
    "folder, for example with ", { code: "python3 -m http.server" }, " run in it, then open ",
    { code: "http://localhost:8000/" }, "."];
  for (const part of parts) {
    const node = document.createElement(part.code ? "code" : "span");
    node.textContent = part.code || part;
    text.appendChild(node);
  }
  $("problem").hidden = false;
  document.body.dataset.exitStatus = "failed";
  window.dunmarrowCannotStart = true;
})();
