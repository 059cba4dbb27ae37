#include "platform/search_path.h"

#include <cstdlib>

void keepSearchPathAbsolute() {
    const char* path = std::getenv("PATH");
    if (!path) return;
    std::string kept;
    for (const std::string& dir : absoluteDirectories(path))
        kept += (kept.empty() ? "" : ":") + dir;
    if (kept.empty()) {
        unsetenv("PATH");
    } else if (kept != path) {
        setenv("PATH", kept.c_str(), 1);
    }
}
