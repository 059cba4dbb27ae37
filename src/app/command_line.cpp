#include "app/command_line.h"

#include <string>

#include "platform/message_box.h"
#include "platform/program_end.h"

bool readCommandLine(int argc, const char* const argv[], LoopState& state) {
    if (argc > 3) return false;
    bool noSound = false;
    bool software = false;
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        if (word == "-nosound" && !noSound) {
            noSound = true;
        } else if (word == "-software" && !software) {
            software = true;
        } else {
            return false;
        }
    }
    state.soundOn = !noSound;
    state.softwareVideo = software;
    return true;
}

void refuseCommandLine() {
    showMessageBox("What are you doing?",
                   "There is only two options. And that's -nosound and -software.");
    endProgram(2);
}
