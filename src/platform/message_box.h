#pragma once

#include <string>

// A modal box with a title, a text and one OK button; returns once it is dismissed.
// Away from Windows the title and text always go to standard error as well, and a real box
// is shown only when a display and a dialog program (zenity, kdialog or xmessage) are there.
void showMessageBox(const char* title, const std::string& text);
