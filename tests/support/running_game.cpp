#include "support/running_game.h"

#include <SDL.h>

#include <filesystem>

#include "app/lifecycle.h"
#include "state/app_state.h"

RunningGame::RunningGame(bool soundOn, const std::string& directory, bool softwareVideo)
    : previousDirectory(std::filesystem::current_path()) {
    std::filesystem::current_path(directory);
    state.soundOn = soundOn;
    state.softwareVideo = softwareVideo;
    startUp(state);
}

void RunningGame::stop() {
    if (!stopped) shutDown(state);
    stopped = true;
}

RunningGame::~RunningGame() {
    stop();
    // The game itself leaves the screen to SDL's shutdown at the end of the process.
    AppState::screen = nullptr;
    SDL_Quit();
    std::filesystem::current_path(previousDirectory);
}
