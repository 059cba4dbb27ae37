// The PNG check, over the game's own pictures and the ways a download damages one.
import assert from "node:assert/strict";
import { readFileSync } from "node:fs";
import { test } from "node:test";
import { crc32, isWholePng } from "../../../dist/web/page/png.js";

const sprites = new Uint8Array(readFileSync(new URL("../../../gfx/sprites.png", import.meta.url)));
const changed = (at) => sprites.map((byte, i) => (i === at ? byte ^ 0xff : byte));
// A PNG of its signature and the given chunks, each with its right checksum.
function png(...chunks) {
  const parts = [[137, 80, 78, 71, 13, 10, 26, 10]];
  for (const [type, data = []] of chunks) {
    const body = [...type].map((c) => c.charCodeAt(0)).concat(data);
    const crc = crc32(Uint8Array.from(body));
    parts.push([0, 0, 0, data.length], body, [crc >>> 24, (crc >>> 16) & 255, (crc >>> 8) & 255, crc & 255]);
  }
  return Uint8Array.from(parts.flat());
}

const PICTURES = [
  ["the game's sprite sheet", sprites, true],
  ["a picture of its chunks, IHDR first and IEND last", png(["IHDR", [1, 2, 3]], ["IEND"]), true],
  ["an empty file", new Uint8Array(0), false],
  ["the signature alone", sprites.subarray(0, 8), false],
  ["half of it", sprites.subarray(0, sprites.length >> 1), false],
  ["all but its last byte", sprites.subarray(0, sprites.length - 1), false],
  ["a byte changed inside a chunk", changed(sprites.length - 100), false],
  ["a byte changed in the signature", changed(1), false],
  ["no IEND", png(["IHDR", [1, 2, 3]]), false],
  ["a chunk before IHDR", png(["tEXt", [65]], ["IHDR", [1]], ["IEND"]), false],
  ["text", new TextEncoder().encode("not a picture"), false],
];

for (const [name, bytes, whole] of PICTURES) {
  test(`${name}: ${whole ? "whole" : "refused"}`, () => assert.equal(isWholePng(bytes), whole));
}

test("the checksum is PNG's CRC-32", () =>
  assert.equal(crc32(new TextEncoder().encode("IEND")), 0xae426082));
