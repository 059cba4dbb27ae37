#include "app/command_line.h"
#include "app/event_loop.h"
#include "app/lifecycle.h"
#include "app/loop_state.h"
#include "app/search_path.h"

int main(int argc, char* argv[]) {
    keepSearchPathAbsolute();
    LoopState state;
    if (!readCommandLine(argc, argv, state)) refuseCommandLine();
    startUp(state);
    runEventLoop(state);
    shutDown(state);
    return 0;
}
