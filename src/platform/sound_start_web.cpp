#include "platform/sound_start.h"

#include <emscripten.h>

SoundStart soundStart() {
    return SoundStart::AFTER_FIRST_PICTURE;
}

// Hands the browser control until its next frame is painted (the animation frame comes just
// before the paint, and a task queued from it runs after) and the page has the sounds in place:
// the game starts without them, and they may still be arriving. Should one not arrive, the page
// tells the player, and the game waits on under the page's note.
EM_JS(void, waitForPagePaint, (), {
    Asyncify.handleSleep(function(wakeUp) {
        requestAnimationFrame(function() {
            setTimeout(
                function() { Module.placeSounds().then(wakeUp, function(){}); }, 0);
        });
    });
});

void waitUntilShown() {
    waitForPagePaint();
}
