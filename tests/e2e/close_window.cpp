// Asks the window with the given title to close, as a window manager's close button does:
// it sends WM_DELETE_WINDOW, which the game must answer by ending normally.

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstring>

namespace {

Window findByName(Display* display, Window window, const char* name) {
    char* windowName = nullptr;
    if (XFetchName(display, window, &windowName) && windowName) {
        const bool found = std::strcmp(windowName, name) == 0;
        XFree(windowName);
        if (found) return window;
    }
    Window root;
    Window parent;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, window, &root, &parent, &children, &count)) return 0;
    Window found = 0;
    for (unsigned i = 0; i < count && !found; ++i) found = findByName(display, children[i], name);
    if (children) XFree(children);
    return found;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s WINDOW-TITLE\n", argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) return 1;
    const Window window = findByName(display, DefaultRootWindow(display), argv[1]);
    if (!window) {
        std::fprintf(stderr, "no window titled %s\n", argv[1]);
        return 1;
    }
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
    XCloseDisplay(display);
    return 0;
}
