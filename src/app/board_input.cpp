#include "app/board_input.h"

#include "app/hit_areas.h"
#include "app/screen_redraw.h"
#include "board/board.h"
#include "state/app_state.h"
#include "ui/win_banner.h"

namespace {

void playSound(const LoopState& state, Mix_Chunk* sound) {
    if (state.soundOn) Mix_PlayChannelTimed(-1, sound, 0, -1);
}

void openCell(LoopState& state, int index) {
    Board& board = *AppState::board;
    const int result = board.open(index, false);
    if (result == OpenResult::MineHit) {
        state.boardActive = false;
        playSound(state, AppState::explosionSound);
    } else if (result == OpenResult::Opened) {
        if (board.isCleared()) {
            state.boardActive = false;
            drawWinBanner();
        }
        playSound(state, AppState::openSound);
    }
}

void toggleFlag(const LoopState& state, int index) {
    if (AppState::board->open(index, true) == OpenResult::Opened) {
        playSound(state, AppState::flagSound);
    }
}

}  // namespace

void handleBoardEvent(LoopState& state, const SDL_Event& event) {
    if (event.type != SDL_MOUSEBUTTONUP) return;
    const Board& board = *AppState::board;
    // By the layout in play, not the sliders, which may have moved since it was laid out.
    const int index = cellIndexAt(event.button.x, event.button.y, board.getTop(), board.getLeft(),
                                  board.getLayoutRows(), board.getLayoutCols());
    const Uint8 button = event.button.button;
    if (state.boardActive) {
        if (index < 0) return;
        if (button == SDL_BUTTON_LEFT) openCell(state, index);
        if (button == SDL_BUTTON_RIGHT) toggleFlag(state, index);
    } else if (button == SDL_BUTTON_RIGHT) {
        // Once a game is over, a right release anywhere starts the next one.
        startNewGame();
        state.boardActive = true;
        ++state.deals;
    }
}
