#include <gtest/gtest.h>

#include <string>

#include "platform/window_scale.h"

namespace {

struct WantedCase {
    ScaleSettings settings;
    int scale;
};

class WantedScaleTest : public ::testing::TestWithParam<WantedCase> {};

// The player's choice first, then GTK's, Qt's and X's; a setting that gives no whole scale
// of 1 or more is passed over, never an error.
TEST_P(WantedScaleTest, TheFirstSettingThatGivesAScaleWins) {
    EXPECT_EQ(wantedScale(GetParam().settings), GetParam().scale);
}

ScaleSettings player(const char* text, const char* dpi = nullptr) {
    ScaleSettings settings;
    settings.player = text;
    settings.xftDpi = dpi;
    return settings;
}
ScaleSettings desktop(const char* gdk, const char* qt, const char* screens, const char* dpi) {
    ScaleSettings settings;
    settings.gdkScale = gdk;
    settings.qtScaleFactor = qt;
    settings.qtScreenFactors = screens;
    settings.xftDpi = dpi;
    return settings;
}

INSTANTIATE_TEST_SUITE_P(
    Settings, WantedScaleTest,
    ::testing::Values(WantedCase{ScaleSettings{}, 1}, WantedCase{player("2"), 2},
                      WantedCase{player("3"), 3}, WantedCase{player("1", "192"), 1},
                      WantedCase{player("2.9"), 2}, WantedCase{player("", "192"), 2},
                      WantedCase{player("0", "192"), 2}, WantedCase{player("-2"), 1},
                      WantedCase{player("0.5"), 1}, WantedCase{player("two"), 1},
                      WantedCase{player("2x"), 1}, WantedCase{player(" "), 1},
                      WantedCase{player("nan"), 1}, WantedCase{player("inf"), 1},
                      WantedCase{player("1e9"), 1}, WantedCase{desktop("2", "3", "4", "480"), 2},
                      WantedCase{desktop("x", "3", "4", "480"), 3},
                      WantedCase{desktop(nullptr, "1.5", "4", nullptr), 1},
                      WantedCase{desktop(nullptr, nullptr, "eDP-1=2;HDMI-1=1", nullptr), 2},
                      WantedCase{desktop(nullptr, nullptr, "3;1", nullptr), 3},
                      WantedCase{desktop(nullptr, nullptr, "eDP-1=;HDMI-1=2", "192"), 2},
                      WantedCase{desktop(nullptr, nullptr, nullptr, "96"), 1},
                      WantedCase{desktop(nullptr, nullptr, nullptr, "191"), 1},
                      WantedCase{desktop(nullptr, nullptr, nullptr, "192"), 2},
                      WantedCase{desktop(nullptr, nullptr, nullptr, "288"), 3},
                      WantedCase{desktop(nullptr, nullptr, nullptr, "-192"), 1},
                      WantedCase{desktop(nullptr, nullptr, nullptr, "dpi"), 1}));

struct FitCase {
    int wanted;
    int screenWidth;
    int screenHeight;
    int scale;
};

class FittingScaleTest : public ::testing::TestWithParam<FitCase> {};

// An 800 x 600 window at the largest scale up to the one wanted that the screen holds whole.
TEST_P(FittingScaleTest, NeverLargerThanTheScreen) {
    const FitCase& c = GetParam();
    EXPECT_EQ(fittingScale(c.wanted, 800, 600, c.screenWidth, c.screenHeight), c.scale);
}

INSTANTIATE_TEST_SUITE_P(Screens, FittingScaleTest,
                         ::testing::Values(FitCase{2, 3840, 2160, 2}, FitCase{3, 3840, 2160, 3},
                                           FitCase{4, 3840, 2160, 3}, FitCase{2, 1600, 1200, 2},
                                           FitCase{2, 1599, 1200, 1}, FitCase{2, 1600, 1199, 1},
                                           FitCase{3, 800, 600, 1}, FitCase{1, 640, 480, 1},
                                           FitCase{2, 0, 0, 2}));

struct ResourcesCase {
    const char* resources;
    const char* dpi;
};

class XftDpiTest : public ::testing::TestWithParam<ResourcesCase> {};

// As xrdb keeps the desktop's resources: one "name:\tvalue" a line.
TEST_P(XftDpiTest, IsReadFromItsOwnLine) {
    EXPECT_EQ(xftDpiOf(GetParam().resources), GetParam().dpi);
}

INSTANTIATE_TEST_SUITE_P(
    Resources, XftDpiTest,
    ::testing::Values(ResourcesCase{"", ""}, ResourcesCase{"Xft.dpi:\t192\n", "192"},
                      ResourcesCase{"Xft.antialias:\t1\nXft.dpi:  288 \r\nXft.hinting:\t1\n",
                                    "288"},
                      ResourcesCase{"Xcursor.size:\t48\n", ""}, ResourcesCase{"Xft.dpi:\n", ""},
                      ResourcesCase{"MyXft.dpi:\t192\n", ""}));

}  // namespace
