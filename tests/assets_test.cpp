#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "support/surfaces.h"

namespace {

const std::string ROOT = DUNMARROW_SOURCE_DIR;

struct PictureCase {
    const char* file;
    int minWidth;
    int minHeight;
    bool translucent;
};

class PictureFileTest : public ::testing::TestWithParam<PictureCase> {};

TEST_P(PictureFileTest, LoadsAndIsLargeEnoughForItsLayout) {
    const PictureCase& c = GetParam();
    SDL_Surface* picture = IMG_Load((ROOT + "/gfx/" + c.file).c_str());
    ASSERT_NE(picture, nullptr) << SDL_GetError();
    EXPECT_GE(picture->w, c.minWidth);
    EXPECT_GE(picture->h, c.minHeight);
    if (c.translucent) {
        // Neither clear nor opaque in the middle, so what lies beneath shows through.
        ASSERT_NE(picture->format->Amask, 0u);
        const Uint8 alpha = alphaAt(picture, picture->w / 2, picture->h / 2);
        EXPECT_GT(alpha, 64);
        EXPECT_LT(alpha, 255);
    }
    SDL_FreeSurface(picture);
}

INSTANTIATE_TEST_SUITE_P(Pictures, PictureFileTest,
                         ::testing::Values(PictureCase{"sprites.png", 360, 30, false},
                                           PictureCase{"menu.png", 533, 32, false},
                                           PictureCase{"alphatest.png", 221, 290, true},
                                           PictureCase{"win.png", 1, 1, false},
                                           PictureCase{"back800.png", 800, 600, false}));

TEST(PictureFileTest, TheBackgroundCoversTheScreenExactly) {
    SDL_Surface* background = IMG_Load((ROOT + "/gfx/back800.png").c_str());
    ASSERT_NE(background, nullptr);
    EXPECT_EQ(background->w, 800);
    EXPECT_EQ(background->h, 600);
    SDL_FreeSurface(background);
}

// The tiles must tell apart at a glance: no two of the twelve are alike.
TEST(PictureFileTest, EveryTileOfTheSpriteSheetDiffers) {
    SDL_Surface* sheet = IMG_Load((ROOT + "/gfx/sprites.png").c_str());
    ASSERT_NE(sheet, nullptr);
    for (int a = 0; a < 12; ++a) {
        for (int b = a + 1; b < 12; ++b) {
            EXPECT_GT(countDifferences(sheet, a * 30, 0, sheet, b * 30, 0, 30, 30), 30)
                << "tiles " << a << " and " << b;
        }
    }
    SDL_FreeSurface(sheet);
}

class SoundFileTest : public ::testing::TestWithParam<const char*> {};

TEST_P(SoundFileTest, IsShortStereoSixteenBitAndNotClipped) {
    SDL_AudioSpec format;
    Uint8* samples = nullptr;
    Uint32 length = 0;
    ASSERT_NE(SDL_LoadWAV((ROOT + "/sfx/" + GetParam()).c_str(), &format, &samples, &length),
              nullptr)
        << SDL_GetError();
    EXPECT_EQ(format.freq, 44100);
    EXPECT_EQ(format.format, AUDIO_S16LSB);
    EXPECT_EQ(format.channels, 2);
    const Uint32 frames = length / 4;
    EXPECT_GT(frames, 0u);
    EXPECT_LT(frames, 44100u);
    const Sint16* values = reinterpret_cast<const Sint16*>(samples);
    int peak = 0;
    for (Uint32 i = 0; i < length / 2; ++i) peak = std::max(peak, std::abs(int{values[i]}));
    EXPECT_LT(peak, 32767);
    EXPECT_GT(peak, 3000);
    SDL_FreeWAV(samples);
}

INSTANTIATE_TEST_SUITE_P(Sounds, SoundFileTest,
                         ::testing::Values("mvstn.wav", "explosion.wav", "click.wav"));

TEST(FontFileTest, OpensAtTwelvePoints) {
    TTF_Init();
    TTF_Font* font = TTF_OpenFont((ROOT + "/fonts/vera.ttf").c_str(), 12);
    ASSERT_NE(font, nullptr);
    EXPECT_GT(TTF_FontHeight(font), 10);
    TTF_CloseFont(font);
    TTF_Quit();
}

}  // namespace
