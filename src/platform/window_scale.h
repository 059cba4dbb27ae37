#pragma once

#include <string>

// The game draws an 800 x 600 screen; on a high-density desktop its window is shown at a whole
// multiple of that, so every game pixel stays whole. SDL 1.2 itself cannot scale a window, but
// sdl12-compat (the SDL 1.2 of newer distributions) can, and reads the scale from its
// SDL12COMPAT_WINDOW_SCALING variable when the window opens; the classic library ignores it.

// Where a scale may come from, in the order they are asked: the player's own choice, then the
// desktop's (GTK's, Qt's, and the X resource Xft.dpi). A null text is a setting not made.
struct ScaleSettings {
    const char* player = nullptr;           // DUNMARROW_SCALE
    const char* gdkScale = nullptr;         // GDK_SCALE
    const char* qtScaleFactor = nullptr;    // QT_SCALE_FACTOR
    const char* qtScreenFactors = nullptr;  // QT_SCREEN_SCALE_FACTORS: "name=2;other=1" or "2;1"
    const char* xftDpi = nullptr;           // the X resource Xft.dpi
};

// A scale as written: a number, rounded down to a whole one. Anything else (empty, not a number,
// zero, negative, under 1) is no scale: 0.
int wholeScale(const char* text);

// The scale the first setting that gives one asks for (Xft.dpi at 96 dots an inch a time),
// else 1.
int wantedScale(const ScaleSettings& settings);

// The largest scale up to `wanted` at which a window of the given size fits a screen of the
// given size; at least 1, and `wanted` itself where the screen's size is not known (0).
int fittingScale(int wanted, int width, int height, int screenWidth, int screenHeight);

// The value of Xft.dpi in the text of X's resource database, or "" when it has none.
std::string xftDpiOf(const std::string& resources);

// Once SDL's display has started and before a window of the given size opens: asks
// sdl12-compat for the scale the player and the desktop want, as far as the screen allows. A
// scale the player gave sdl12-compat directly is left as it is. Does nothing where windows
// are not scaled this way (Windows scales them itself, the browser fits the page).
void chooseWindowScale(int width, int height);
