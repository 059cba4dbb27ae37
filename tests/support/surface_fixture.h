#pragma once

#include <gtest/gtest.h>

#include <SDL.h>

// Puts test surfaces into the game's resources: a 32-bit 800 x 600 software screen and a
// sprite sheet whose every pixel is different. Releases them afterwards.
class SurfaceTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    SDL_Surface* screen = nullptr;
    SDL_Surface* sheet = nullptr;
};

constexpr Uint32 SCREEN_FILL = 0x204060;
constexpr Uint32 SHEET_SALT = 11;
