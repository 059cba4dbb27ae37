#include "platform/sound_start.h"

SoundStart soundStart() {
    return SoundStart::BEFORE_FIRST_PICTURE;
}

void waitUntilShown() {}
