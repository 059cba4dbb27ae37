#include "platform/window_scale.h"

#include <cmath>
#include <cstdlib>
#include <sstream>

namespace {

// The dots an inch of a desktop at scale 1.
constexpr double DPI_AT_SCALE_ONE = 96.0;

// The first screen's factor of Qt's list, "name=factor;..." or "factor;...".
std::string firstScreenFactor(const char* factors) {
    std::string first = factors;
    first = first.substr(0, first.find(';'));
    const size_t named = first.find('=');
    return named == std::string::npos ? first : first.substr(named + 1);
}

// A number as written, or NaN for any other text.
double numberIn(const char* text) {
    if (!text || !*text) return NAN;
    char* end = nullptr;
    const double value = std::strtod(text, &end);
    return *end == '\0' && std::isfinite(value) ? value : NAN;
}

}  // namespace

int wholeScale(const char* text) {
    const double value = numberIn(text);
    // Beyond any screen: also keeps the conversion to int defined.
    if (!(value >= 1.0) || value > 100.0) return 0;
    return static_cast<int>(value);
}

int wantedScale(const ScaleSettings& settings) {
    for (const char* given : {settings.player, settings.gdkScale, settings.qtScaleFactor}) {
        if (const int scale = wholeScale(given)) return scale;
    }
    if (settings.qtScreenFactors) {
        if (const int scale = wholeScale(firstScreenFactor(settings.qtScreenFactors).c_str())) {
            return scale;
        }
    }
    const double dpi = numberIn(settings.xftDpi);
    if (dpi >= DPI_AT_SCALE_ONE && dpi <= 100 * DPI_AT_SCALE_ONE) {
        return static_cast<int>(dpi / DPI_AT_SCALE_ONE);
    }
    return 1;
}

int fittingScale(int wanted, int width, int height, int screenWidth, int screenHeight) {
    if (screenWidth <= 0 || screenHeight <= 0) return wanted;
    int scale = wanted;
    while (scale > 1 && (width * scale > screenWidth || height * scale > screenHeight)) --scale;
    return scale < 1 ? 1 : scale;
}

std::string xftDpiOf(const std::string& resources) {
    std::istringstream lines(resources);
    std::string line;
    const std::string name = "Xft.dpi:";
    while (std::getline(lines, line)) {
        if (line.compare(0, name.size(), name) != 0) continue;
        const size_t start = line.find_first_not_of(" \t", name.size());
        if (start == std::string::npos) return "";
        const size_t end = line.find_last_not_of(" \t\r");
        return line.substr(start, end - start + 1);
    }
    return "";
}
