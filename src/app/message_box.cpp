#include "app/message_box.h"

#ifdef _WIN32

#include <windows.h>

void showMessageBox(const char* title, const std::string& text) {
    MessageBoxA(nullptr, text.c_str(), title, MB_OK);
}

#else

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

extern char** environ;

namespace {

std::string findOnPath(const char* program) {
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "";
    size_t start = 0;
    while (start <= dirs.size()) {
        size_t end = dirs.find(':', start);
        if (end == std::string::npos) end = dirs.size();
        std::string dir = dirs.substr(start, end - start);
        std::string candidate = (dir.empty() ? std::string(".") : dir) + "/" + program;
        if (access(candidate.c_str(), X_OK) == 0) return candidate;
        start = end + 1;
    }
    return "";
}

// Starts the dialog directly, never through a shell, optionally feeding it text on its
// standard input, and waits until the player has dismissed it.
void runDialog(const std::string& program, std::vector<std::string> args,
               const std::string* input) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);

    int pipeEnds[2] = {-1, -1};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (input) {
        if (pipe2(pipeEnds, O_CLOEXEC) != 0) {
            posix_spawn_file_actions_destroy(&actions);
            return;
        }
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[0], STDIN_FILENO);
    }
    pid_t child = 0;
    int failed = posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (input) {
        close(pipeEnds[0]);
        if (failed == 0) {
            // The texts are short; a dialog that quits early just closes the pipe on us.
            ssize_t ignored = write(pipeEnds[1], input->data(), input->size());
            (void)ignored;
        }
        close(pipeEnds[1]);
    }
    if (failed != 0) return;
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
}

}  // namespace

void showMessageBox(const char* title, const std::string& text) {
    std::fprintf(stderr, "%s\n%s\n", title, text.c_str());
    std::fflush(stderr);

    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) return;

    if (std::string zenity = findOnPath("zenity"); !zenity.empty()) {
        runDialog(zenity, {"--info", "--no-markup", "--title", title, "--text", text}, nullptr);
    } else if (std::string kdialog = findOnPath("kdialog"); !kdialog.empty()) {
        runDialog(kdialog, {"--title", title, "--msgbox", text}, nullptr);
    } else if (std::string xmessage = findOnPath("xmessage"); !xmessage.empty()) {
        // The text goes through standard input so that no word of it can pass for an option.
        runDialog(xmessage,
                  {"-title", title, "-center", "-buttons", "OK", "-default", "OK", "-file", "-"},
                  &text);
    }
}

#endif
