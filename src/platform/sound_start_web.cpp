#include "platform/sound_start.h"

#include <emscripten.h>

SoundStart soundStart() {
    return SoundStart::AFTER_FIRST_PICTURE;
}

// Hands the browser control until its next frame is painted: the animation frame comes just
// before the paint, and a task queued from it runs after.
EM_JS(void, waitForPagePaint, (), {
    Asyncify.handleSleep(
        function(wakeUp) { requestAnimationFrame(function() { setTimeout(wakeUp, 0); }); });
});

void waitUntilShown() {
    waitForPagePaint();
}
