#pragma once

#include <string>

#include "app/loop_state.h"

// Starts the real game in-process (under SDL's dummy video and disk audio drivers, which the
// test environment selects) with the given working directory, and stops it again, leaving
// nothing behind for the next test.
class RunningGame {
  public:
    explicit RunningGame(bool soundOn = true, const std::string& directory = DUNMARROW_SOURCE_DIR,
                         bool softwareVideo = false);
    ~RunningGame();
    // Shuts the game down now, as the main function does when its loop ends; the destructor
    // then only tidies up what the game itself leaves to the end of the process.
    void stop();
    RunningGame(const RunningGame&) = delete;
    RunningGame& operator=(const RunningGame&) = delete;

    LoopState state;

  private:
    std::string previousDirectory;
    bool stopped = false;
};
