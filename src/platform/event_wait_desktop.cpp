#include "platform/event_wait.h"

int waitForEvent(SDL_Event* event) {
    return SDL_WaitEvent(event);
}
