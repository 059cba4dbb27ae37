#pragma once

#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_mixer.h>

#include <memory>
#include <string>
#include <vector>

#include "support/running_game.h"

SDL_Event motionEvent(int x, int y, Uint8 buttonsHeld = 0);
SDL_Event releaseEvent(Uint8 button, int x, int y);
SDL_Event keyEvent(SDLKey key);

// The real game, started headless, with events pushed into SDL's queue and the real loop
// run over them. Sounds are caught as the mixer starts them, once for every time each sounds.
class LoopTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    // Starts the game; tests that need other start-up conditions call it themselves.
    void startGame(bool soundOn = true, const std::string& directory = DUNMARROW_SOURCE_DIR);

    // Queues the events, then a quit, and runs the loop until it reads the quit. The first
    // play enters the loop; later ones carry on with it, as if the quit had not come.
    void play(const std::vector<SDL_Event>& events);
    // The sounds played so far, by name ("open", "explosion", "flag"), in the order they started.
    std::vector<std::string> soundsPlayed();

    // Drags the sliders so that the next game has these settings.
    std::vector<SDL_Event> setSliders(int percentX, int rowsX, int colsX);

    // Which tile of the sprite sheet shows at (x, y), or -1 if none does exactly.
    int tileAt(int x, int y);
    // Whether a button shows "normal", "highlighted", or neither.
    std::string buttonLook(int button);
    bool showsBackgroundAt(int x, int y);
    bool showsWinBanner();

    // What the last play drew, back to front, one name for each run of blits of one
    // picture: "background", "cells", "win", "panel" (with its sliders and texts), and
    // "start", "quit", "start*" and "quit*" for the buttons, the last two highlighted.
    std::vector<std::string> drawn;

    std::unique_ptr<RunningGame> game;
    LoopState* state = nullptr;
    bool loopEntered = false;
};
