#include "platform/message_box.h"

#include <emscripten.h>

#include <cstdio>

// The page's own dialog where the page has one, else the browser's.
EM_JS(void, showPageMessageBox, (const char* title, const char* text), {
    title = UTF8ToString(title);
    text = UTF8ToString(text);
    if (Module.showMessageBox) {
        Module.showMessageBox(title, text);
    } else {
        alert(title + "\n\n" + text);
    }
});

// The text goes to the console too, as it goes to standard error on the desktop.
void showMessageBox(const char* title, const std::string& text) {
    std::fprintf(stderr, "%s\n%s\n", title, text.c_str());
    showPageMessageBox(title, text.c_str());
}
