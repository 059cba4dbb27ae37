#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

struct ProgramRun {
    int exitStatus = -1;  // -1 when the program did not exit normally
    int signal = 0;       // the signal that ended it, if one did
    std::string output;   // standard output and standard error together
};

// The environment's changes for a run: each variable set to its value, or removed for none.
using EnvironmentChanges = std::vector<std::pair<std::string, std::optional<std::string>>>;

// Runs the program with the arguments in the given working directory, with the environment
// changed as listed, and waits for it to end.
ProgramRun runProgram(const std::string& program, const std::vector<std::string>& args,
                      const std::string& workingDirectory, const EnvironmentChanges& environment);

// A fresh directory that holds copies of the game's gfx, sfx and fonts folders, removed
// again when the object goes.
struct ScratchGameDir {
    ScratchGameDir();
    ~ScratchGameDir();
    ScratchGameDir(const ScratchGameDir&) = delete;
    ScratchGameDir& operator=(const ScratchGameDir&) = delete;

    void remove(const std::string& relativePath) const;
    void write(const std::string& relativePath, const std::string& content) const;
    // Cuts the copy of the file to the first bytes of the game's own (none: empty).
    void cut(const std::string& relativePath, size_t keptBytes) const;
    std::string path;
};
