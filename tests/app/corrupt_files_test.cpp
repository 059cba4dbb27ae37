// The game's files damaged in the ways files get damaged: cut short, emptied, replaced by
// something smaller or by junk. Anything but a picture that cannot be read (which ends the game
// with the error box: program/startup_test.cpp), the game plays on with.

#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <string>
#include <vector>

#include "board/board.h"
#include "state/app_state.h"
#include "support/fakes.h"
#include "support/loop_fixture.h"
#include "support/process.h"

namespace {

// Damage the game plays on with: what the file held is simply not drawn or not heard.
struct SurvivableCase {
    const char* name;
    const char* file;
    // A picture of this size in place of the file, or, when zero, the first bytes of the
    // real file (keptBytes) or the junk text below.
    int width;
    int height;
    size_t keptBytes;
    const char* junk;
    const char* silentSound;  // the sound that no longer plays, if any
    bool textsDrawn;
};

void PrintTo(const SurvivableCase& damage, std::ostream* out) {
    *out << damage.name;
}

class SurvivableDamageTest : public LoopTest, public ::testing::WithParamInterface<SurvivableCase> {
  protected:
    void damage(const ScratchGameDir& dir) {
        const SurvivableCase& damage = GetParam();
        if (damage.width > 0) {
            // A BMP under the PNG's name: the loader goes by the content, not the name.
            SDL_Surface* picture = SDL_CreateRGBSurface(SDL_SWSURFACE, damage.width, damage.height,
                                                        32, 0xFF0000, 0xFF00, 0xFF, 0);
            SDL_FillRect(picture, nullptr, 0x808080);
            ASSERT_EQ(SDL_SaveBMP(picture, (dir.path + "/" + damage.file).c_str()), 0);
            SDL_FreeSurface(picture);
        } else if (damage.junk) {
            dir.write(damage.file, damage.junk);
        } else {
            dir.cut(damage.file, damage.keptBytes);
        }
    }
};

TEST_P(SurvivableDamageTest, PlaysOnThroughAWholeGame) {
    ScratchGameDir dir;
    ASSERT_NO_FATAL_FAILURE(damage(dir));
    startGame(true, dir.path);

    // Mines in the top corners of a 3 x 3 board: the bottom row is empty and floods.
    const std::vector<bool> mines{true, false, true, false, false, false, false, false, false};
    std::vector<SDL_Event> events{motionEvent(5, 5), motionEvent(400, 190), motionEvent(400, 410)};
    // 3 rows and 3 columns.
    for (const SDL_Event& drag : setSliders(330, 334, 331)) events.push_back(drag);
    events.push_back(releaseEvent(SDL_BUTTON_LEFT, 400, 190));
    fakes::scriptRand(fakes::mineScript(mines));
    play(events);
    fakes::stopScriptingRand();
    ASSERT_FALSE(state->menuShown);
    ASSERT_EQ(AppState::board->getCellCount(), 9);

    const int left = AppState::board->getLeft() + 15;
    const int top = AppState::board->getTop() + 15;
    play({releaseEvent(SDL_BUTTON_RIGHT, left, top), releaseEvent(SDL_BUTTON_LEFT, left, top + 60),
          keyEvent(SDLK_ESCAPE), keyEvent(SDLK_ESCAPE),
          releaseEvent(SDL_BUTTON_LEFT, left + 60, top)});
    EXPECT_EQ(AppState::board->getRevealedCount(), 6);
    EXPECT_FALSE(state->boardActive);

    // Sorted: they overlap, so the order in which they end is up to their lengths.
    std::vector<std::string> expected{"explosion", "flag", "open"};
    if (GetParam().silentSound) {
        expected.erase(std::find(expected.begin(), expected.end(), GetParam().silentSound));
    }
    std::vector<std::string> played = soundsPlayed();
    std::sort(played.begin(), played.end());
    EXPECT_EQ(played, expected);
    EXPECT_EQ(AppState::textSurface != nullptr, GetParam().textsDrawn);

    // A right release deals the next game.
    play({releaseEvent(SDL_BUTTON_RIGHT, 5, 5)});
    EXPECT_TRUE(state->boardActive);
    EXPECT_EQ(AppState::board->getRevealedCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Damaged, SurvivableDamageTest,
    ::testing::Values(
        SurvivableCase{"SpriteSheetOfOneTile", "gfx/sprites.png", 30, 30, 0, nullptr, nullptr,
                       true},
        SurvivableCase{"MenuPictureOfAFewPixels", "gfx/menu.png", 20, 10, 0, nullptr, nullptr,
                       true},
        SurvivableCase{"PanelOfAFewPixels", "gfx/alphatest.png", 8, 8, 0, nullptr, nullptr, true},
        SurvivableCase{"WinPictureOfOnePixel", "gfx/win.png", 1, 1, 0, nullptr, nullptr, true},
        SurvivableCase{"BackgroundOfOnePixel", "gfx/back800.png", 1, 1, 0, nullptr, nullptr, true},
        SurvivableCase{"JunkOpenSound", "sfx/mvstn.wav", 0, 0, 0,
                       "RIFF0000WAVEfmt junk in place of a sound", "open", true},
        SurvivableCase{"ExplosionSoundCutInItsHeader", "sfx/explosion.wav", 0, 0, 30, nullptr,
                       "explosion", true},
        SurvivableCase{"EmptyFlagSound", "sfx/click.wav", 0, 0, 0, "", "flag", true},
        SurvivableCase{"EmptyFont", "fonts/vera.ttf", 0, 0, 0, "", nullptr, false},
        SurvivableCase{"FontCutShort", "fonts/vera.ttf", 0, 0, 2000, nullptr, nullptr, false},
        SurvivableCase{"JunkFont", "fonts/vera.ttf", 0, 0, 0, "not a font at all", nullptr, false}),
    [](const ::testing::TestParamInfo<SurvivableCase>& info) { return info.param.name; });

}  // namespace
