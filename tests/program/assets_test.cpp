#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

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

// A board may cover any part of the background, so the background carries no title or mark
// that it could cut in half: nowhere does a colour step between neighbours go beyond the
// texture's own grain.
TEST(PictureFileTest, TheBackgroundHoldsNothingABoardCouldCut) {
    SDL_Surface* background = IMG_Load((ROOT + "/gfx/back800.png").c_str());
    ASSERT_NE(background, nullptr);
    const SDL_PixelFormat* format = background->format;
    auto channels = [&](int x, int y) {
        Uint8 rgb[3];
        SDL_GetRGB(pixelAt(background, x, y), format, &rgb[0], &rgb[1], &rgb[2]);
        return std::array<int, 3>{rgb[0], rgb[1], rgb[2]};
    };
    int steepest = 0;
    for (int y = 0; y + 1 < background->h; ++y) {
        for (int x = 0; x + 1 < background->w; ++x) {
            const std::array<int, 3> here = channels(x, y);
            for (const std::array<int, 3>& next : {channels(x + 1, y), channels(x, y + 1)}) {
                for (int c = 0; c < 3; ++c)
                    steepest = std::max(steepest, std::abs(here[c] - next[c]));
            }
        }
    }
    EXPECT_LE(steepest, 8);
    SDL_FreeSurface(background);
}

// The win picture lies over the solved board: inside its edge it is one even, translucent
// glass, with no seam that lets more of the board through than the rest, and its words and
// edge are opaque.
TEST(PictureFileTest, TheWinPictureIsEvenGlassOverTheBoard) {
    SDL_Surface* win = IMG_Load((ROOT + "/gfx/win.png").c_str());
    ASSERT_NE(win, nullptr);
    ASSERT_NE(win->format->Amask, 0u);
    // Inside the edge and clear of the rounded corners.
    constexpr int EDGE = 4;
    constexpr int CORNER = 16;
    int thinnest = 255;
    int thinnestCount = 0;
    int opaque = 0;
    int inside = 0;
    for (int y = EDGE; y < win->h - EDGE; ++y) {
        for (int x = EDGE; x < win->w - EDGE; ++x) {
            const bool inCorner =
                (x < CORNER || x >= win->w - CORNER) && (y < CORNER || y >= win->h - CORNER);
            if (inCorner) continue;
            const int alpha = alphaAt(win, x, y);
            ++inside;
            if (alpha == 255) ++opaque;
            if (alpha < thinnest) {
                thinnest = alpha;
                thinnestCount = 0;
            }
            if (alpha == thinnest) ++thinnestCount;
        }
    }
    EXPECT_GE(thinnest, 120);
    EXPECT_LE(thinnest, 200);
    EXPECT_GT(thinnestCount, inside / 2) << "the glass is not even";
    EXPECT_GT(opaque, inside / 20) << "no opaque words";
    SDL_FreeSurface(win);
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

// The left channel's samples of a sound file (the sounds are the same on both channels).
std::vector<double> loadMono(const std::string& file) {
    SDL_AudioSpec format;
    Uint8* data = nullptr;
    Uint32 length = 0;
    std::vector<double> mono;
    if (!SDL_LoadWAV((ROOT + "/sfx/" + file).c_str(), &format, &data, &length)) return mono;
    const Sint16* values = reinterpret_cast<const Sint16*>(data);
    for (Uint32 i = 0; i + 1 < length / 2; i += 2) mono.push_back(values[i] / 32768.0);
    SDL_FreeWAV(data);
    return mono;
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
    // Starting and ending at zero, so neither end clicks.
    ASSERT_GE(length, 4u);
    for (Uint32 i : {0u, 1u, length / 2 - 2, length / 2 - 1}) EXPECT_EQ(values[i], 0) << i;
    SDL_FreeWAV(samples);
}

INSTANTIATE_TEST_SUITE_P(Sounds, SoundFileTest,
                         ::testing::Values("mvstn.wav", "explosion.wav", "click.wav"));

// A second-order Butterworth section (the audio cookbook's biquad) at 44.1 kHz.
struct Biquad {
    double b0, b1, b2, a1, a2;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;

    static Biquad make(bool highPass, double cutoff) {
        const double w = 2 * M_PI * cutoff / 44100.0;
        const double alpha = std::sin(w) / std::sqrt(2.0);
        const double c = std::cos(w);
        const double a0 = 1 + alpha;
        const double edge = highPass ? (1 + c) / 2 : (1 - c) / 2;
        const double middle = highPass ? -(1 + c) : 1 - c;
        return {edge / a0, middle / a0, edge / a0, -2 * c / a0, (1 - alpha) / a0};
    }

    double step(double x) {
        const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return y;
    }
};

// The RMS level in dB of full scale, between 200 Hz and 5 kHz (where laptop speakers play),
// over the first moments of a sound. Each edge is fourth order: two sections each.
double bandLevel(const std::vector<double>& samples, double seconds) {
    Biquad filters[] = {Biquad::make(true, 200), Biquad::make(true, 200), Biquad::make(false, 5000),
                        Biquad::make(false, 5000)};
    const size_t count = std::min(samples.size(), static_cast<size_t>(seconds * 44100));
    double sum = 0;
    for (size_t i = 0; i < count; ++i) {
        double value = samples[i];
        for (Biquad& filter : filters) value = filter.step(value);
        sum += value * value;
    }
    return 10 * std::log10(sum / std::max<size_t>(count, 1));
}

// The explosion must carry on small speakers, and the opening sound, heard far more often,
// must sit well below it.
TEST(SoundLevelTest, TheExplosionCarriesAndTheOpeningSoundStaysSoft) {
    const std::vector<double> explosion = loadMono("explosion.wav");
    const std::vector<double> opening = loadMono("mvstn.wav");
    ASSERT_FALSE(explosion.empty());
    ASSERT_FALSE(opening.empty());
    const double explosionLevel = bandLevel(explosion, 0.3);
    EXPECT_GE(explosionLevel, -18.0);
    EXPECT_LE(bandLevel(opening, 0.1), explosionLevel - 6.0);
}

}  // namespace
