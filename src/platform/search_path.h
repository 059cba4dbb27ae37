#pragma once

#include <string>
#include <vector>

// The absolute directories of a search path such as PATH, in order. An empty or relative entry
// would mean the working directory, which is the game's data folder, and nothing there may be
// run.
std::vector<std::string> absoluteDirectories(const std::string& path);

// Drops the empty and relative entries from the process's own PATH, so that neither the game
// nor any library it loads (SDL2 starts dbus-launch by a PATH search) ever runs a program from
// the data folder. A PATH left with no entry is removed, and the C library's default applies.
void keepSearchPathAbsolute();
