#include "ui/win_banner.h"

#include "state/app_state.h"
#include "ui/blit.h"

void drawWinBanner() {
    SDL_Surface* picture = AppState::winImage;
    blitPicture(picture, nullptr, SCREEN_WIDTH / 2 - picture->w / 2,
                SCREEN_HEIGHT / 2 - picture->h / 2);
}
