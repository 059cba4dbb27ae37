#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_mixer.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "board/board.h"
#include "state/app_state.h"
#include "support/fakes.h"
#include "support/process.h"
#include "support/running_game.h"
#include "support/surfaces.h"
#include "ui/menu_panel.h"

namespace {

const EnvironmentChanges HEADLESS{{"SDL_VIDEODRIVER", "dummy"},
                                  {"SDL_AUDIODRIVER", "disk"},
                                  {"SDL_DISKAUDIOFILE", "/dev/null"},
                                  {"DISPLAY", std::nullopt}};

// A picture file as it is damaged: gone, cut to its first bytes (none: empty), or replaced by
// a text.
struct PictureDamage {
    const char* file;
    int keptBytes;  // REMOVED: the file is gone
    const char* text = nullptr;
};
constexpr int REMOVED = -1;

struct UnreadablePictureCase {
    const char* name;
    std::vector<PictureDamage> damage;
    std::string error;  // SDL's, for the picture that ends the game
};

class UnreadablePictureTest : public ::testing::TestWithParam<UnreadablePictureCase> {};

// A picture that cannot be read ends the game with the error box. The pictures load in a fixed
// order and the first one that fails ends the game, so with two gone the earlier one is named
// and the later one never attempted.
TEST_P(UnreadablePictureTest, EndsWithTheErrorBoxNamingWhatWentWrong) {
    ScratchGameDir dir;
    for (const PictureDamage& damage : GetParam().damage) {
        if (damage.keptBytes == REMOVED) {
            dir.remove(damage.file);
        } else {
            if (damage.text)
                dir.write(damage.file, damage.text);
            else
                dir.cut(damage.file, damage.keptBytes);
        }
    }
    const ProgramRun run = runProgram(DUNMARROW_BINARY, {"-nosound"}, dir.path, HEADLESS);
    EXPECT_EQ(run.signal, 0);
    EXPECT_EQ(run.exitStatus, 1);
    // libpng may say what it found before the game's own message.
    EXPECT_THAT(run.output,
                ::testing::EndsWith("Error!\n" + GetParam().error + ", ErrorNr = -5\n"));
}

INSTANTIATE_TEST_SUITE_P(
    Damaged, UnreadablePictureTest,
    ::testing::Values(
        UnreadablePictureCase{
            "SpritesGone", {{"gfx/sprites.png", REMOVED}}, "Couldn't open ./gfx/sprites.png"},
        UnreadablePictureCase{
            "MenuGone", {{"gfx/menu.png", REMOVED}}, "Couldn't open ./gfx/menu.png"},
        UnreadablePictureCase{
            "PanelGone", {{"gfx/alphatest.png", REMOVED}}, "Couldn't open ./gfx/alphatest.png"},
        UnreadablePictureCase{"WinGone", {{"gfx/win.png", REMOVED}}, "Couldn't open ./gfx/win.png"},
        UnreadablePictureCase{
            "BackgroundGone", {{"gfx/back800.png", REMOVED}}, "Couldn't open ./gfx/back800.png"},
        UnreadablePictureCase{"WinAndBackgroundGone",
                              {{"gfx/win.png", REMOVED}, {"gfx/back800.png", REMOVED}},
                              "Couldn't open ./gfx/win.png"},
        UnreadablePictureCase{
            "ThreeGone",
            {{"gfx/sprites.png", REMOVED}, {"gfx/menu.png", REMOVED}, {"gfx/win.png", REMOVED}},
            "Couldn't open ./gfx/sprites.png"},
        UnreadablePictureCase{"MenuIsText",
                              {{"gfx/menu.png", 0, "this is not a picture"}},
                              "Unsupported image format"},
        UnreadablePictureCase{"BackgroundCutInItsPixels",
                              {{"gfx/back800.png", 20000}},
                              "Error reading the PNG file."},
        UnreadablePictureCase{
            "SpritesCutInTheHeader", {{"gfx/sprites.png", 30}}, "Error reading the PNG file."},
        UnreadablePictureCase{
            "MenuCutAfterTheSignature", {{"gfx/menu.png", 8}}, "Error reading the PNG file."},
        UnreadablePictureCase{"EmptyPanel", {{"gfx/alphatest.png", 0}}, "Unsupported image format"},
        UnreadablePictureCase{"EmptyWinPicture", {{"gfx/win.png", 0}}, "Unsupported image format"}),
    [](const ::testing::TestParamInfo<UnreadablePictureCase>& info) { return info.param.name; });

struct NoDisplayCase {
    const char* name;
    std::vector<std::string> args;
    EnvironmentChanges environment;
};

class NoDisplayTest : public ::testing::TestWithParam<NoDisplayCase> {};

// Without a display the game never settles for a text terminal or an invisible window, with
// sound or without, whatever the terminal: it says so and nothing else, and ends.
TEST_P(NoDisplayTest, EndsWithTheErrorBoxAndNothingElse) {
    EnvironmentChanges environment{{"SDL_VIDEODRIVER", std::nullopt},
                                   {"SDL_AUDIODRIVER", std::nullopt},
                                   {"DISPLAY", std::nullopt},
                                   {"WAYLAND_DISPLAY", std::nullopt},
                                   {"TERM", std::nullopt}};
    for (const auto& change : GetParam().environment) environment.push_back(change);
    const ProgramRun run =
        runProgram(DUNMARROW_BINARY, GetParam().args, DUNMARROW_SOURCE_DIR, environment);
    EXPECT_EQ(run.signal, 0);
    EXPECT_EQ(run.exitStatus, 1);
    // A real dialog program may go on to say that it found no display either.
    EXPECT_THAT(run.output,
                ::testing::StartsWith("Error!\nNo available video device, ErrorNr = -5\n"));
}

INSTANTIATE_TEST_SUITE_P(
    Table, NoDisplayTest,
    ::testing::Values(NoDisplayCase{"NoSound", {"-nosound"}, {}}, NoDisplayCase{"Sound", {}, {}},
                      NoDisplayCase{"UnknownTerminal", {}, {{"TERM", "bogus"}}},
                      NoDisplayCase{"Xterm", {"-nosound"}, {{"TERM", "xterm"}}},
                      NoDisplayCase{"NoServerOnTheDisplay", {}, {{"DISPLAY", ":987"}}},
                      NoDisplayCase{"EmptyDriverName", {"-nosound"}, {{"SDL_VIDEODRIVER", ""}}}),
    [](const ::testing::TestParamInfo<NoDisplayCase>& info) { return info.param.name; });

// tools/test.sh runs the suite on the classic SDL 1.2 and again on sdl12-compat, and names the
// one it means to load; sdl12-compat numbers its releases from 1.2.50 on.
TEST(SdlLibraryTest, TheSuiteRunsOnTheLibraryItWasGiven) {
    const char* expected = std::getenv("DUNMARROW_EXPECTED_SDL");
    if (!expected) GTEST_SKIP() << "DUNMARROW_EXPECTED_SDL names no library";
    const SDL_version* linked = SDL_Linked_Version();
    EXPECT_EQ(expected, std::string(linked->patch >= 50 ? "sdl12-compat" : "classic"))
        << "SDL " << int(linked->major) << "." << int(linked->minor) << "." << int(linked->patch);
}

TEST(StartUpTest, OpensTheWindowLoadsEverythingAndLaysOutTheFirstBoard) {
    RunningGame game;
    ASSERT_NE(AppState::screen, nullptr);
    const fakes::VideoModeRequest request = fakes::lastVideoModeRequest();
    EXPECT_EQ(request.width, 800);
    EXPECT_EQ(request.height, 600);
    EXPECT_EQ(request.depth, 0);
    EXPECT_EQ(request.flags, static_cast<Uint32>(SDL_HWSURFACE | SDL_ANYFORMAT));
    EXPECT_EQ(AppState::screen->w, 800);
    EXPECT_EQ(AppState::screen->h, 600);
    for (SDL_Surface* picture : {AppState::spriteSheet, AppState::menuImage, AppState::panelImage,
                                 AppState::winImage, AppState::background}) {
        EXPECT_NE(picture, nullptr);
    }
    EXPECT_EQ(AppState::textSurface, nullptr);
    EXPECT_NE(AppState::font, nullptr);
    EXPECT_NE(AppState::openSound, nullptr);
    EXPECT_NE(AppState::explosionSound, nullptr);
    EXPECT_NE(AppState::flagSound, nullptr);

    int frequency = 0;
    Uint16 format = 0;
    int channels = 0;
    ASSERT_EQ(Mix_QuerySpec(&frequency, &format, &channels), 1);
    EXPECT_EQ(frequency, 44100);
    EXPECT_EQ(format, AUDIO_S16LSB);
    EXPECT_EQ(channels, 2);

    char* title = nullptr;
    char* icon = nullptr;
    SDL_WM_GetCaption(&title, &icon);
    EXPECT_STREQ(title, "Dunmarrow");
    EXPECT_EQ(icon, nullptr);

    const Board& board = *AppState::board;
    EXPECT_EQ(board.getRows(), 10);
    EXPECT_EQ(board.getCols(), 10);
    EXPECT_EQ(board.getMinePercent(), 20);
    EXPECT_EQ(board.getTop(), 150);
    EXPECT_EQ(board.getLeft(), 250);
    EXPECT_EQ(board.getCellCount(), 100);
    EXPECT_EQ(board.cellAt(0).getSpriteSheet(), AppState::spriteSheet);
}

// Each picture is kept in the screen's own pixel layout, its alpha channel kept where it has
// one, and holds exactly what its file holds.
TEST(StartUpTest, PicturesAreKeptInTheScreensFormatUnchanged) {
    RunningGame game(false);
    const SDL_PixelFormat& screen = *AppState::screen->format;
    const std::pair<SDL_Surface*, const char*> pictures[] = {
        {AppState::spriteSheet, "gfx/sprites.png"},
        {AppState::menuImage, "gfx/menu.png"},
        {AppState::panelImage, "gfx/alphatest.png"},
        {AppState::winImage, "gfx/win.png"},
        {AppState::background, "gfx/back800.png"}};
    for (const auto& [picture, file] : pictures) {
        SCOPED_TRACE(file);
        SDL_Surface* loaded = IMG_Load(file);
        ASSERT_NE(loaded, nullptr);
        EXPECT_EQ(picture->format->BitsPerPixel, screen.BitsPerPixel);
        EXPECT_EQ(picture->format->Rmask, screen.Rmask);
        EXPECT_EQ(picture->format->Gmask, screen.Gmask);
        EXPECT_EQ(picture->format->Bmask, screen.Bmask);
        EXPECT_EQ(picture->format->Amask != 0, loaded->format->Amask != 0);
        ASSERT_EQ(picture->w, loaded->w);
        ASSERT_EQ(picture->h, loaded->h);
        EXPECT_EQ(countDifferences(picture, 0, 0, loaded, 0, 0, loaded->w, loaded->h), 0);
        for (int y = 0; y < loaded->h; y += 7) {
            for (int x = 0; x < loaded->w; x += 3) {
                ASSERT_EQ(alphaAt(picture, x, y), alphaAt(loaded, x, y)) << x << ", " << y;
            }
        }
        SDL_FreeSurface(loaded);
    }
}

TEST(StartUpTest, WithoutSoundNoAudioStartsAndMissingSoundsDoNoHarm) {
    ScratchGameDir dir;
    dir.remove("sfx/mvstn.wav");
    dir.remove("sfx/explosion.wav");
    dir.remove("sfx/click.wav");
    RunningGame game(false, dir.path);
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
    EXPECT_NE(SDL_WasInit(SDL_INIT_VIDEO), 0u);
    EXPECT_EQ(Mix_QuerySpec(nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(AppState::openSound, nullptr);
    EXPECT_EQ(AppState::explosionSound, nullptr);
    EXPECT_EQ(AppState::flagSound, nullptr);
    EXPECT_NE(AppState::background, nullptr);
}

TEST(StartUpTest, SoftwareVideoAsksForASoftwareSurface) {
    RunningGame game(false, DUNMARROW_SOURCE_DIR, true);
    EXPECT_EQ(fakes::lastVideoModeRequest().flags,
              static_cast<Uint32>(SDL_SWSURFACE | SDL_ANYFORMAT));
    EXPECT_EQ(fakes::lastVideoModeRequest().depth, 0);
}

// Shutdown frees every picture, the last text and every sound exactly once, and leaves no
// pointer to freed memory behind.
TEST(ShutDownTest, FreesEverythingStartUpLoadedOnceAndForgetsIt) {
    RunningGame game;
    drawMenuPanel();
    const std::vector<const void*> loaded = {
        AppState::spriteSheet, AppState::menuImage,      AppState::panelImage,
        AppState::winImage,    AppState::background,     AppState::textSurface,
        AppState::openSound,   AppState::explosionSound, AppState::flagSound};
    for (const void* resource : loaded) ASSERT_NE(resource, nullptr);
    fakes::countFrees(true);
    game.stop();
    fakes::countFrees(false);
    for (size_t i = 0; i < loaded.size(); ++i) EXPECT_EQ(fakes::freesOf(loaded[i]), 1) << i;
    for (SDL_Surface* picture : {AppState::spriteSheet, AppState::menuImage, AppState::panelImage,
                                 AppState::winImage, AppState::background, AppState::textSurface}) {
        EXPECT_EQ(picture, nullptr);
    }
    EXPECT_EQ(AppState::font, nullptr);
    EXPECT_EQ(AppState::openSound, nullptr);
    EXPECT_EQ(AppState::explosionSound, nullptr);
    EXPECT_EQ(AppState::flagSound, nullptr);
}

TEST(StartUpTest, AMissingFontIsNoFailure) {
    ScratchGameDir dir;
    dir.remove("fonts/vera.ttf");
    RunningGame game(false, dir.path);
    EXPECT_EQ(AppState::font, nullptr);
    EXPECT_NE(AppState::board, nullptr);
}

}  // namespace
