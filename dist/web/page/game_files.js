// The game's pictures, sounds and font, fetched by the page and handed to the game as the
// desktop finds them: a file missing from the site is missing for the game too, which judges
// that as it does there. Each picture is decoded by the browser as soon as it arrives, away
// from the page's thread, where the game would decode them one after another before its first
// picture; only a PNG that is whole is decoded, and the game refuses any other as the desktop
// refuses a damaged picture.

import { download, files } from "./downloads.js";
import { isWholePng } from "./png.js";

function decodedPicture(file, content) {
  if (!file.endsWith(".png") || !isWholePng(content)) return Promise.resolve(null);
  // As the file holds it: the desktop applies no colour profile either.
  return createImageBitmap(new Blob([content], { type: "image/png" }),
    { colorSpaceConversion: "none" }).catch(() => null);
}

// Resolves to [{ file, content, picture }], content missing for a file the site lacks.
export function downloadGameFiles() {
  return Promise.all(files.filter((file) => /^(gfx|sfx)\//.test(file)).map((file) =>
    download(file, true).then((response) => response && response.arrayBuffer()).then((bytes) => {
      if (!bytes) return { file };
      const content = new Uint8Array(bytes);
      return decodedPicture(file, content).then((picture) => ({ file, content, picture }));
    })));
}

// The browser's SDL_ttf draws with the page's font of the name the game opens. Without it the
// game plays on in the browser's own font, as the desktop plays on without its texts.
export function loadFont() {
  return download("fonts/vera.ttf", true).then((response) => {
    if (!response) {
      console.warn("fonts/vera.ttf did not download; the menu uses another font");
      return;
    }
    return response.arrayBuffer()
      .then((bytes) => new FontFace("fonts/vera.ttf", bytes).load())
      .then((face) => document.fonts.add(face));
  });
}

// The WebAssembly, compiled as it streams in where the server names its type.
export function compileGame() {
  return download("dunmarrow.wasm").then((response) =>
    WebAssembly.compileStreaming && response.headers.get("content-type") === "application/wasm"
      ? WebAssembly.compileStreaming(response)
      : response.arrayBuffer().then((bytes) => WebAssembly.compile(bytes)));
}

// Into the game's file system, where it opens them, with the pictures already decoded.
export function placeGameFiles(Module, placed) {
  const FS = Module.FS;
  for (const { file, content, picture } of placed) {
    if (!content) continue;
    const [folder] = file.split("/");
    if (!FS.analyzePath("/" + folder).exists) FS.mkdir("/" + folder);
    FS.writeFile("/" + file, content);
    if (picture) Module.preloadedImages["/" + file] = picture;
  }
}
