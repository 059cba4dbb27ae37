// The PNG check: the page has the browser decode only a picture that is whole, since the
// browser would draw what it could of a damaged one, where the desktop refuses it. Whole is
// as a reader that checks it takes it: the signature, then chunks each whole with its
// checksum, IHDR first and IEND last.

const SIGNATURE = [137, 80, 78, 71, 13, 10, 26, 10];
// In 32-bit integers throughout, which the engine keeps as such: the five pictures are checked
// on the page's thread before the game's first frame, and in plain numbers the check took
// tens of milliseconds.
const CRC_TABLE = Int32Array.from({ length: 256 }, (_, n) => {
  let c = n;
  for (let k = 0; k < 8; k++) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
  return c;
});

// The CRC-32 of bytes[from, to), as PNG computes it.
export function crc32(bytes, from = 0, to = bytes.length) {
  let crc = -1;
  for (let i = from; i < to; i++) crc = CRC_TABLE[(crc ^ bytes[i]) & 0xff] ^ (crc >>> 8);
  return ~crc >>> 0;
}

// bytes: a Uint8Array of the whole file.
export function isWholePng(bytes) {
  if (bytes.length < 8 || SIGNATURE.some((byte, i) => bytes[i] !== byte)) return false;
  const view = new DataView(bytes.buffer, bytes.byteOffset, bytes.byteLength);
  for (let at = 8, first = true; at + 12 <= bytes.length; first = false) {
    const length = view.getUint32(at);
    const chunkEnd = at + 8 + length;
    if (chunkEnd + 4 > bytes.length) return false;
    const type = String.fromCharCode(...bytes.subarray(at + 4, at + 8));
    if (first !== (type === "IHDR")) return false;
    if (crc32(bytes, at + 4, chunkEnd) !== view.getUint32(chunkEnd)) return false;
    if (type === "IEND") return true;
    at = chunkEnd + 4;
  }
  return false;
}
