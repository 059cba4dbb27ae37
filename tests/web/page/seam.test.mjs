// The seam between the game and the page: every name either side uses on Module is declared in
// seam.js, and the page gives the game exactly the names declared, so that a name misspelt on
// either side fails here, not in a browser.
import assert from "node:assert/strict";
import { readFileSync, readdirSync } from "node:fs";
import { test } from "node:test";
import { SEAM, gameModule } from "../../../dist/web/page/seam.js";

const ROOT = new URL("../../../", import.meta.url);
const sources = (folder, pattern) => readdirSync(new URL(folder, ROOT))
  .filter((name) => pattern.test(name))
  .map((name) => [folder + name, readFileSync(new URL(folder + name, ROOT), "utf8")]);
// Module.name and Module["name"], in code and comments alike.
const namesOnModule = (text) => [...text.matchAll(/\bModule(?:\.(\w+)|\[["'](\w+)["']\])/g)]
  .map((match) => match[1] || match[2]);
const declared = new Set([...SEAM.pageGives, ...SEAM.gameGives]);

const SIDES = [
  ["the game's web bodies", sources("src/platform/", /_web\.cpp$/)],
  ["the page's modules", sources("dist/web/page/", /\.js$/)],
];
for (const [side, files] of SIDES) {
  test(`${side} use only names declared in the seam`, () => {
    assert.ok(files.length > 0);
    for (const [file, text] of files) {
      for (const name of namesOnModule(text)) {
        assert.ok(declared.has(name), `${file}: Module.${name} is not declared in seam.js`);
      }
    }
  });
}

test("the game's web bodies read what the page gives, and give what the page reads", () => {
  const game = sources("src/platform/", /_web\.cpp$/).map(([, text]) => text).join("\n");
  const used = new Set(namesOnModule(game));
  for (const name of ["showMessageBox", "gameShows", "onExit", "gameWaiting"]) {
    assert.ok(used.has(name), `no game body uses Module.${name}`);
  }
});

test("the page gives the game exactly the names declared", () => {
  const page = { canvas: {}, args: [], compiled: Promise.resolve(),
    picturesReady: Promise.resolve(), fetchSounds: () => Promise.resolve() };
  assert.deepEqual(Object.keys(gameModule(page)).sort(), [...SEAM.pageGives].sort());
});

// What the game tells of its screen, field by field, as the page reads it.
test("the game tells the page its screen in the fields declared", () => {
  const [[, body]] = sources("src/platform/", /^shown_part_web\.cpp$/);
  const fields = [...body.matchAll(/(\w+)\s*:/g)].map((match) => match[1]);
  assert.deepEqual(fields, SEAM.shown);
});
