#include "core/fatal_error.h"

#include <string>

#include "platform/message_box.h"
#include "platform/program_end.h"

void fatalError(const char* message, int number) {
    // Built as a string so that SDL's error text fits whatever its length.
    std::string text = message ? message : "";
    text += ", ErrorNr = " + std::to_string(number);
    showMessageBox("Error!", text);
    endProgram(1);
}
