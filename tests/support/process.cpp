#include "support/process.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

ProgramRun runProgram(const std::string& program, const std::vector<std::string>& args,
                      const std::string& workingDirectory, const EnvironmentChanges& environment) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return {};
    const pid_t child = fork();
    if (child == 0) {
        dup2(pipeEnds[1], STDOUT_FILENO);
        dup2(pipeEnds[1], STDERR_FILENO);
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        const int devNull = open("/dev/null", O_RDONLY);
        dup2(devNull, STDIN_FILENO);
        if (chdir(workingDirectory.c_str()) != 0) _exit(126);
        for (const auto& [name, value] : environment) {
            if (value) {
                setenv(name.c_str(), value->c_str(), 1);
            } else {
                unsetenv(name.c_str());
            }
        }
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(pipeEnds[1]);
    ProgramRun run;
    char buffer[4096];
    ssize_t got;
    while ((got = read(pipeEnds[0], buffer, sizeof buffer)) > 0) run.output.append(buffer, got);
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (WIFEXITED(status)) run.exitStatus = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) run.signal = WTERMSIG(status);
    return run;
}

ScratchGameDir::ScratchGameDir() {
    char pattern[] = "/tmp/dunmarrow-test-XXXXXX";
    path = mkdtemp(pattern);
    for (const char* folder : {"gfx", "sfx", "fonts"}) {
        fs::copy(fs::path(DUNMARROW_SOURCE_DIR) / folder, fs::path(path) / folder,
                 fs::copy_options::recursive);
    }
}

ScratchGameDir::~ScratchGameDir() {
    std::error_code ignored;
    fs::remove_all(path, ignored);
}

void ScratchGameDir::remove(const std::string& relativePath) const {
    fs::remove(fs::path(path) / relativePath);
}

void ScratchGameDir::write(const std::string& relativePath, const std::string& content) const {
    std::ofstream(fs::path(path) / relativePath, std::ios::binary) << content;
}

void ScratchGameDir::cut(const std::string& relativePath, size_t keptBytes) const {
    std::ifstream original(std::string(DUNMARROW_SOURCE_DIR) + "/" + relativePath,
                           std::ios::binary);
    std::string content((std::istreambuf_iterator<char>(original)),
                        std::istreambuf_iterator<char>());
    write(relativePath, content.substr(0, keptBytes));
}
