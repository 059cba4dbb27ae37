#include "app/command_line.h"
#include "app/event_loop.h"
#include "app/lifecycle.h"
#include "app/loop_state.h"
#include "platform/program_end.h"
#include "platform/search_path.h"

int main(int argc, char* argv[]) {
    keepSearchPathAbsolute();
    LoopState state;
    if (!readCommandLine(argc, argv, state)) refuseCommandLine();
    startUp(state);
    runEventLoop(state);
    shutDown(state);
    // Said rather than returned: in the browser a return from main, once the game has waited
    // for input, reaches nobody.
    endProgram(0);
}
