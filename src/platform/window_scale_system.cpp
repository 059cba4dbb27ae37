#include "platform/window_scale.h"

// Windows scales a window that does not ask otherwise by itself, and the browser's page fits
// the game to the window: nothing to choose here.
void chooseWindowScale(int, int) {}
