// The game's pictures, sounds and font, fetched by the page and handed to the game as the
// desktop finds them: a file missing from the site is missing for the game too, which judges
// that as it does there. The pictures and the font come in one download, the pack (seal.py
// fills it); each picture is decoded by the browser as soon as the pack is in, away from the
// page's thread, and handed to the game decoded (platform/picture_format_web.cpp), where the
// game would decode them one after another before its first picture. Only a PNG that is whole
// is decoded: the seal checked each one, and the pack's hash makes sure of the bytes. The game
// refuses any other as the desktop refuses a damaged picture.

import { download, files, hashes } from "./downloads.js";

const inFolder = (folder) => files.filter((file) => file.startsWith(folder + "/"));

// Resolves to the packed files, { file: bytes }, without those missing from the site.
export function downloadPack() {
  return download("assets.pack").then((response) => response.arrayBuffer()).then((pack) =>
    Object.fromEntries(files.filter((file) => hashes[file].size !== undefined)
      .map((file) => [file, new Uint8Array(pack, hashes[file].from, hashes[file].size)])));
}

// Resolves to the picture, or to null where the site lacks it or it is not whole. As the
// file holds it: the desktop applies no colour profile either. ImageDecoder decodes the bytes
// as they are; a Blob, where a browser lacks it, is read through the browser's own process,
// which held the decoding back by tens of milliseconds on a first visit.
function decodedPicture(bytes, whole) {
  if (!bytes || !whole) return Promise.resolve(null);
  const decoded = typeof ImageDecoder === "function"
    ? Promise.resolve().then(() => {
      const decoder = new ImageDecoder({ data: bytes, type: "image/png",
        colorSpaceConversion: "none" });
      return decoder.decode().then(({ image }) => createImageBitmap(image).finally(() => {
        image.close();
        decoder.close();
      }));
    })
    : createImageBitmap(new Blob([bytes]), { colorSpaceConversion: "none" });
  return decoded.catch(() => null);
}

// The pictures, which the game's first frame needs: resolves to [{ file, picture }], the
// picture missing where the game cannot have it.
export function decodePictures(packed) {
  return Promise.all(inFolder("gfx").map((file) =>
    decodedPicture(packed[file], hashes[file].whole).then((picture) => ({ file, picture }))));
}

// The sounds, which the game opens once its first frame is shown, and asks for only then, so
// that they do not compete with that frame: resolves to [{ file, content }], the content
// missing for a file the site lacks.
export function downloadSounds() {
  return Promise.all(inFolder("sfx").map((file) =>
    download(file, true).then((response) => response && response.arrayBuffer())
      .then((bytes) => ({ file, content: bytes && new Uint8Array(bytes) }))));
}

// The browser's SDL_ttf draws with the page's font of the name the game opens. Without it the
// game plays on in the browser's own font, as the desktop plays on without its texts.
export function loadFont(packed) {
  const bytes = packed["fonts/vera.ttf"];
  if (!bytes) {
    console.warn("fonts/vera.ttf is not on the site; the menu uses another font");
    return Promise.resolve();
  }
  return new FontFace("fonts/vera.ttf", bytes).load().then((face) => document.fonts.add(face));
}

// The WebAssembly, compiled as it streams in where the server names its type.
export function compileGame() {
  return download("dunmarrow.wasm").then((response) =>
    WebAssembly.compileStreaming && response.headers.get("content-type") === "application/wasm"
      ? WebAssembly.compileStreaming(response)
      : response.arrayBuffer().then((bytes) => WebAssembly.compile(bytes)));
}

// Where the game opens them: the pictures by their path (Module.pictures), the sounds into its
// file system.
export function placeGameFiles(Module, placed) {
  const FS = Module.FS;
  for (const { file, content, picture } of placed) {
    if (picture) Module.pictures["/" + file] = picture;
    if (!content) continue;
    const [folder] = file.split("/");
    if (!FS.analyzePath("/" + folder).exists) FS.mkdir("/" + folder);
    FS.writeFile("/" + file, content);
  }
}
