#include "platform/message_box.h"

#include <windows.h>

void showMessageBox(const char* title, const std::string& text) {
    MessageBoxA(nullptr, text.c_str(), title, MB_OK);
}
