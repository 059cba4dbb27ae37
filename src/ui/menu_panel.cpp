#include "ui/menu_panel.h"

#include <SDL_ttf.h>

#include <sstream>
#include <string>

#include "board/board.h"
#include "state/app_state.h"
#include "ui/blit.h"
#include "ui/menu_layout.h"

namespace {

struct Slider {
    const char* label;
    int (Board::*read)() const;
    int (*knobOffset)(int);
    const char* unit;
};

// Top to bottom. "Size X" is the number of rows and "Size Y" the number of columns.
const Slider SLIDERS[] = {
    {"Number of mines", &Board::getMinePercent, minePercentKnobOffset, "%"},
    {"Size X", &Board::getRows, rowsKnobOffset, ""},
    {"Size Y", &Board::getCols, colsKnobOffset, ""},
};

// Renders the text into the one text slot and draws it centred on (centreX, centreY). The
// slot never keeps a stale surface: a text the font engine cannot render, or any text while
// the font is missing, leaves it empty and is simply not drawn.
void drawCentredText(const std::string& text, int centreX, int centreY) {
    SDL_FreeSurface(AppState::textSurface);
    AppState::textSurface = nullptr;
    if (!AppState::font) return;
    const SDL_Color white{255, 255, 255, 255};
    AppState::textSurface = TTF_RenderText_Blended(AppState::font, text.c_str(), white);
    SDL_Surface* rendered = AppState::textSurface;
    if (!rendered) return;
    blitText(rendered, centreX - rendered->w / 2, centreY - rendered->h / 2);
}

}  // namespace

void drawMenuPanel() {
    blitPicture(AppState::panelImage, &PANEL_PART, PANEL_X, PANEL_Y);
    const Board& board = *AppState::board;
    std::ostringstream number;
    int middle = FIRST_SLIDER_MIDDLE;
    for (const Slider& slider : SLIDERS) {
        blitPicture(AppState::menuImage, &SLIDER_TRACK_PART, TRACK_X, middle - TRACK_ABOVE_MIDDLE);
        const int knobX = SLIDER_LEFT + slider.knobOffset((board.*slider.read)());
        blitPicture(AppState::menuImage, &SLIDER_KNOB_PART, knobX, middle - KNOB_ABOVE_MIDDLE);

        number.str("");
        number << (board.*slider.read)() << slider.unit;
        drawCentredText(number.str(), NUMBER_CENTRE_X, middle);
        drawCentredText(slider.label, LABEL_CENTRE_X, middle - LABEL_ABOVE_MIDDLE);
        middle += SLIDER_SPACING;
    }
}
