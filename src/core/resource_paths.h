#pragma once

// Every run-time file is found relative to the working directory.
constexpr const char* SPRITE_SHEET_PATH = "./gfx/sprites.png";
constexpr const char* MENU_IMAGE_PATH = "./gfx/menu.png";
constexpr const char* PANEL_IMAGE_PATH = "./gfx/alphatest.png";
constexpr const char* WIN_IMAGE_PATH = "./gfx/win.png";
constexpr const char* BACKGROUND_PATH = "./gfx/back800.png";
constexpr const char* OPEN_SOUND_PATH = "./sfx/mvstn.wav";
constexpr const char* EXPLOSION_SOUND_PATH = "./sfx/explosion.wav";
constexpr const char* FLAG_SOUND_PATH = "./sfx/click.wav";
constexpr const char* FONT_PATH = "./fonts/vera.ttf";
constexpr int FONT_POINTS = 12;
