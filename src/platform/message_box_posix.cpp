#include "platform/message_box.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/search_path.h"

extern char** environ;

namespace {

// Where dialog programs are looked for when PATH names no absolute directory.
constexpr const char* FALLBACK_PATH = "/usr/local/bin:/usr/bin:/bin";

std::string findOnPath(const char* program) {
    const char* path = std::getenv("PATH");
    std::vector<std::string> dirs = absoluteDirectories(path ? path : "");
    if (dirs.empty()) dirs = absoluteDirectories(FALLBACK_PATH);
    for (const std::string& dir : dirs) {
        // A directory of that name would pass for a program and hide the real one.
        const std::string candidate = dir + "/" + program;
        struct stat info {};
        if (stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
    }
    return "";
}

// Starts the dialog directly, never through a shell, optionally feeding it text on its
// standard input, and waits until it ends. Returns its exit status, or -1 when it could not
// be started or did not end by itself.
int runDialog(const std::string& program, std::vector<std::string> args, const std::string* input) {
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
            return -1;
        }
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[0], STDIN_FILENO);
    }
    // Inherited as ignored, SIGCHLD would have the system reap the dialog itself, and the
    // wait below would fail on a box the player has seen.
    struct sigaction inherited {};
    struct sigaction byDefault {};
    byDefault.sa_handler = SIG_DFL;
    sigaction(SIGCHLD, &byDefault, &inherited);
    pid_t child = 0;
    int failed = posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (input) {
        close(pipeEnds[0]);
        if (failed == 0) {
            // A dialog that quits before reading closes the pipe on us; that must not end the
            // game by SIGPIPE before it has reported its own status.
            void (*previous)(int) = std::signal(SIGPIPE, SIG_IGN);
            ssize_t ignored = write(pipeEnds[1], input->data(), input->size());
            (void)ignored;
            std::signal(SIGPIPE, previous);
        }
        close(pipeEnds[1]);
    }
    int status = 0;
    pid_t waited = -1;
    if (failed == 0) {
        // Interrupted, the wait goes on; any other failure counts as a box that failed.
        do {
            waited = waitpid(child, &status, 0);
        } while (waited < 0 && errno == EINTR);
    }
    sigaction(SIGCHLD, &inherited, nullptr);
    if (waited != child) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// One way of showing the box: the program, its arguments, and the exit statuses of a box the
// player has seen and dismissed (OK, or closing it). Any other status is the program's own
// failure, and the next program is tried.
struct DialogProgram {
    const char* name;
    std::vector<std::string> args;
    bool textOnStandardInput;
    std::vector<int> dismissed;
};

}  // namespace

void showMessageBox(const char* title, const std::string& text) {
    std::fprintf(stderr, "%s\n%s\n", title, text.c_str());
    std::fflush(stderr);

    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) return;

    // In the order of preference; xmessage, from the X11 utilities, is the last resort.
    const DialogProgram programs[] = {
        {"zenity", {"--info", "--no-markup", "--title", title, "--text", text}, false, {0, 1}},
        {"kdialog", {"--title", title, "--msgbox", text}, false, {0, 1}},
        // The text goes through standard input so that no word of it can pass for an option.
        {"xmessage",
         {"-title", title, "-center", "-buttons", "OK", "-default", "OK", "-file", "-"},
         true,
         {0, 101}},
    };
    for (const DialogProgram& dialog : programs) {
        const std::string program = findOnPath(dialog.name);
        if (program.empty()) continue;
        const int status =
            runDialog(program, dialog.args, dialog.textOnStandardInput ? &text : nullptr);
        for (int dismissed : dialog.dismissed) {
            if (status == dismissed) return;
        }
    }
}
