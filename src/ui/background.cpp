#include "ui/background.h"

#include "state/app_state.h"
#include "ui/blit.h"

void drawBackground() {
    blitPicture(AppState::background, nullptr, 0, 0);
}
