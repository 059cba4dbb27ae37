// The query string as the command line: what reaches the game of each address.
import assert from "node:assert/strict";
import { test } from "node:test";
import { commandLine } from "../../../dist/web/page/command_line.js";

const QUERIES = [
  ["", []],
  ["?", []],
  ["?-nosound", ["-nosound"]],
  ["?-software&-nosound", ["-software", "-nosound"]],
  ["?fbclid=IwAR0x&utm_source=portal", []],
  ["?-nosound&utm_source=x", ["-nosound"]],
  ["?-nosound&&-software&", ["-nosound", "-software"]],
  ["?-bogus&utm_source=x", ["-bogus"]],
  ["?-nosound=1", ["-nosound=1"]],
  ["?-nosound%00x", ["-nosound\uFFFDx"]],
  ["?%2Dnosound", ["-nosound"]],
  ["?-no%sound", ["-no%sound"]],
  ["?plain", ["plain"]],
];

for (const [search, args] of QUERIES) {
  test(`${search || "no query"} gives ${JSON.stringify(args)}`, () =>
    assert.deepEqual(commandLine(search), args));
}
