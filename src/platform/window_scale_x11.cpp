#include <X11/Xlib.h>

#include <SDL.h>

#include <cstdlib>
#include <string>

#include "platform/window_scale.h"

namespace {

// The desktop's resources as X keeps them for every program (xrdb's database), or "".
std::string xResources() {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return "";
    const char* resources = XResourceManagerString(display);
    std::string text = resources ? resources : "";
    XCloseDisplay(display);
    return text;
}

}  // namespace

void chooseWindowScale(int width, int height) {
    // Only a window on X is scaled by its desktop; and a scale given to sdl12-compat directly
    // is the player's own.
    char driver[32] = "";
    if (!SDL_VideoDriverName(driver, sizeof driver) || std::string(driver) != "x11") return;
    if (std::getenv("SDL12COMPAT_WINDOW_SCALING")) return;

    ScaleSettings settings;
    settings.player = std::getenv("DUNMARROW_SCALE");
    settings.gdkScale = std::getenv("GDK_SCALE");
    settings.qtScaleFactor = std::getenv("QT_SCALE_FACTOR");
    settings.qtScreenFactors = std::getenv("QT_SCREEN_SCALE_FACTORS");
    const std::string dpi = xftDpiOf(xResources());
    settings.xftDpi = dpi.c_str();
    const SDL_VideoInfo* screen = SDL_GetVideoInfo();
    const int scale = fittingScale(wantedScale(settings), width, height,
                                   screen ? screen->current_w : 0, screen ? screen->current_h : 0);
    if (scale > 1) setenv("SDL12COMPAT_WINDOW_SCALING", std::to_string(scale).c_str(), 1);
}
