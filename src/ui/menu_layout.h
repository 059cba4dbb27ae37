#pragma once

#include <SDL.h>

// The parts of the menu picture, laid side by side along its top edge.
constexpr SDL_Rect START_NORMAL_PART{0, 0, 134, 29};
constexpr SDL_Rect QUIT_NORMAL_PART{134, 0, 71, 32};
constexpr SDL_Rect SLIDER_TRACK_PART{205, 0, 111, 18};
constexpr SDL_Rect SLIDER_KNOB_PART{316, 0, 10, 10};
constexpr SDL_Rect START_HIGHLIGHTED_PART{326, 0, 134, 29};
constexpr SDL_Rect QUIT_HIGHLIGHTED_PART{462, 0, 71, 32};

// The part of the panel picture that is drawn, and where it lands on the screen.
constexpr SDL_Rect PANEL_PART{0, 0, 221, 290};
constexpr int PANEL_X = 290;
constexpr int PANEL_Y = 155;
