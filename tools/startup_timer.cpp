// Times programs' start-up: from the exec to the moment a first top-level window is mapped
// on the X display. Each program runs RUNS times, taking turns with the others so that a
// machine that speeds up or slows down meanwhile weighs on all of them alike, and each run
// ends once the window shows. Prints, for each program, the median, the fastest and the
// slowest run in milliseconds, and the median over the first program's.
//
//   startup_timer RUNS DIRECTORY PROGRAM [ARGUMENTS...] [-- PROGRAM [ARGUMENTS...]]...

#include <X11/Xlib.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Starts the program and waits for a window of it to be mapped; returns the milliseconds
// that took, or a negative number if the program ended first or ten seconds went by.
double timeOneStart(Display* display, const char* directory, char** command) {
    XSync(display, True);  // drop events of earlier runs
    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        if (chdir(directory) != 0) _exit(127);
        execvp(command[0], command);
        _exit(127);
    }
    double elapsed = -1;
    const int connection = ConnectionNumber(display);
    while (std::chrono::duration<double>(Clock::now() - start).count() < 10) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && elapsed < 0) {
                elapsed = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            }
        }
        if (elapsed >= 0 || waitpid(child, nullptr, WNOHANG) == child) break;
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(connection, &readable);
        timeval wait{0, 1000};
        select(connection + 1, &readable, nullptr, nullptr, &wait);
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    return elapsed;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s RUNS DIRECTORY PROGRAM [ARGUMENTS...] [-- PROGRAM...]\n",
                     argv[0]);
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    // Split the commands at "--", each ending with the null that execvp needs.
    std::vector<char**> commands{argv + 3};
    for (int i = 3; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0) {
            argv[i] = nullptr;
            commands.push_back(argv + i + 1);
        }
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display || runs < 1) {
        std::fprintf(stderr, "%s\n", display ? "RUNS must be at least 1" : "no X display");
        return 2;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    std::vector<std::vector<double>> times(commands.size());
    for (int run = 0; run < runs; ++run) {
        for (size_t c = 0; c < commands.size(); ++c) {
            const double milliseconds = timeOneStart(display, argv[2], commands[c]);
            if (milliseconds < 0) {
                std::fprintf(stderr, "%s showed no window\n", commands[c][0]);
                return 1;
            }
            times[c].push_back(milliseconds);
        }
    }
    XCloseDisplay(display);
    double firstMedian = 0;
    for (size_t c = 0; c < commands.size(); ++c) {
        std::vector<double>& sorted = times[c];
        std::sort(sorted.begin(), sorted.end());
        const double median = sorted[sorted.size() / 2];
        if (c == 0) firstMedian = median;
        std::string name = commands[c][0];
        for (char** word = commands[c] + 1; *word; ++word) name += std::string(" ") + *word;
        std::printf("%-50s median %6.1f ms  fastest %6.1f  slowest %6.1f  x_first %.2f\n",
                    name.c_str(), median, sorted.front(), sorted.back(), median / firstMedian);
    }
    return 0;
}
