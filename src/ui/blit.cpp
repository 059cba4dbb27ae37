#include "ui/blit.h"

#include "state/app_state.h"
#include "core/fatal_error.h"

namespace {

void checkedBlit(SDL_Surface* source, const SDL_Rect* part, int x, int y) {
    SDL_Rect sourceRect{0, 0, 0, 0};
    if (part) sourceRect = *part;
    const Uint16 width = part ? part->w : static_cast<Uint16>(source->w);
    const Uint16 height = part ? part->h : static_cast<Uint16>(source->h);
    SDL_Rect target{static_cast<Sint16>(x), static_cast<Sint16>(y), width, height};
    const int failed =
        SDL_UpperBlit(source, part ? &sourceRect : nullptr, AppState::screen, &target);
    g_errorNr = failed ? 1 : 0;
    if (g_errorNr == 1) fatalError(SDL_GetError(), g_errorNr);
}

}  // namespace

void blitPicture(SDL_Surface* picture, const SDL_Rect* source, int x, int y) {
    SDL_SetAlpha(picture, SDL_SRCALPHA, SDL_ALPHA_OPAQUE);
    checkedBlit(picture, source, x, y);
}

void blitText(SDL_Surface* text, int x, int y) {
    checkedBlit(text, nullptr, x, y);
}
