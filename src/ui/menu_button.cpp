#include "ui/menu_button.h"

#include "state/app_state.h"
#include "ui/blit.h"
#include "ui/menu_layout.h"

namespace {

struct ButtonLook {
    SDL_Rect normal;
    SDL_Rect highlighted;
    int x;
    int y;
};

constexpr ButtonLook START_LOOK{START_NORMAL_PART, START_HIGHLIGHTED_PART, START_X, START_Y};
constexpr ButtonLook QUIT_LOOK{QUIT_NORMAL_PART, QUIT_HIGHLIGHTED_PART, QUIT_X, QUIT_Y};

}  // namespace

void drawMenuButton(int button, bool highlighted) {
    const ButtonLook& look = button == MenuButton::Start ? START_LOOK : QUIT_LOOK;
    blitPicture(AppState::menuImage, highlighted ? &look.highlighted : &look.normal, look.x,
                look.y);
}
