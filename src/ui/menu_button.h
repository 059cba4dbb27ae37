#pragma once

// Names a menu button for drawMenuButton.
namespace MenuButton {
constexpr int Start = 1;
constexpr int Quit = 2;
}  // namespace MenuButton

// Draws Start (button 1) or Quit (any other number) in its normal or highlighted look; both
// looks cover exactly the same rectangle.
void drawMenuButton(int button, bool highlighted);
