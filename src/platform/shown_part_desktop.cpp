#include "platform/shown_part.h"

// A window shows the whole screen.
bool isToldShownPart() {
    return false;
}
void tellShownPart(const ShownPart&) {}
