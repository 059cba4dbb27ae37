#include "platform/picture_format.h"

#include <emscripten.h>

// The page has the browser decode each picture as it arrives, away from the game (it leaves out
// one that is not whole), and hands it over by path. It is drawn onto a canvas of the browser's
// SDL's own, as the browser's SDL_image would draw it, less the copy of every pixel into the
// game's memory that SDL_image makes: the game only ever blits its pictures, and the browser's
// SDL reads a surface's pixels back whenever they are asked for.
EM_JS(SDL_Surface*, pageDecodedPicture, (const char* path), {
    var file = PATH_FS.resolve(UTF8ToString(path));
    var picture = Module.pictures[file];
    if (!picture) return 0;
    var surface = SDL.makeSurface(picture.width, picture.height, 0, false, 'load:' + file);
    var context = SDL.surfaces[surface].ctx;
    context.globalCompositeOperation = 'copy';
    context.drawImage(picture, 0, 0);
    context.globalCompositeOperation = 'source-over';
    return surface;
});

// Null where the page has no picture for the path (the browser's SDL keeps no error text).
SDL_Surface* openPicture(const char* path) {
    return pageDecodedPicture(path);
}

// In the browser every surface is already a canvas of the page's one pixel layout.
SDL_Surface* inScreenFormat(SDL_Surface*) {
    return nullptr;
}
