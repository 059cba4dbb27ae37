#include "app/search_path.h"

#include <cstdlib>

std::vector<std::string> absoluteDirectories(const std::string& path) {
    std::vector<std::string> dirs;
    size_t start = 0;
    while (start < path.size()) {
        size_t end = path.find(':', start);
        if (end == std::string::npos) end = path.size();
        if (path[start] == '/') dirs.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return dirs;
}

#ifndef _WIN32

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

#else

// Windows looks programs up by its own rules, and the game starts none.
void keepSearchPathAbsolute() {}

#endif
