#include "platform/search_path.h"

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
