#include "platform/event_wait.h"

#include <emscripten.h>

// The page must keep running while the game waits, so the wait hands control back to the
// browser (the build's asyncify) and resumes on the next input the page receives: nothing
// wakes an idle game. Resumed just after that input's own handlers, SDL has queued it by then.
// Module.gameWaiting tells the page (and its tests) that every input so far has been handled.
EM_JS(void, waitForPageInput, (), {
    Asyncify.handleSleep(function(wakeUp) {
        Module.gameWaiting = true;
        var kinds = [
            "mousedown", "mouseup", "mousemove", "wheel", "keydown", "keyup", "keypress",
            "touchstart", "touchmove", "touchend", "mouseout", "blur", "focus"
        ];
        function resume() {
            Module.gameWaiting = false;
            kinds.forEach(function(kind) { window.removeEventListener(kind, resume, true); });
            setTimeout(wakeUp, 0);
        }
        kinds.forEach(function(kind) { window.addEventListener(kind, resume, true); });
    });
});

int waitForEvent(SDL_Event* event) {
    while (!SDL_PollEvent(event)) waitForPageInput();
    return 1;
}
