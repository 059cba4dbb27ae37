#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/command_line.h"
#include "support/process.h"

namespace {

struct CommandLineCase {
    std::vector<std::string> args;
    bool accepted;
    bool soundOn;
    bool softwareVideo;
};

const CommandLineCase COMMAND_LINES[] = {
    {{}, true, true, false},
    {{"-nosound"}, true, false, false},
    {{"-software"}, true, true, true},
    {{"-nosound", "-software"}, true, false, true},
    {{"-software", "-nosound"}, true, false, true},
    {{"-nosound", "-nosound"}, false, false, false},
    {{"-software", "-software"}, false, false, false},
    {{"-NOSOUND"}, false, false, false},
    {{"-Software"}, false, false, false},
    {{"nosound"}, false, false, false},
    {{"-nosound "}, false, false, false},
    {{""}, false, false, false},
    {{"-fullscreen"}, false, false, false},
    {{"-nosound", "-fullscreen"}, false, false, false},
    {{"-software", "x"}, false, false, false},
    {{"-nosound", "-software", "-nosound"}, false, false, false},
    {{"a", "b", "c"}, false, false, false},
};

std::vector<const char*> argvOf(const std::vector<std::string>& args) {
    std::vector<const char*> argv{"dunmarrow"};
    for (const std::string& arg : args) argv.push_back(arg.c_str());
    return argv;
}

class CommandLineTest : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLineTest, ReadsTheTwoOptionsAndNothingElse) {
    const CommandLineCase& c = GetParam();
    const std::vector<const char*> argv = argvOf(c.args);
    LoopState state;
    ASSERT_EQ(readCommandLine(static_cast<int>(argv.size()), argv.data(), state), c.accepted);
    if (c.accepted) {
        EXPECT_EQ(state.soundOn, c.soundOn);
        EXPECT_EQ(state.softwareVideo, c.softwareVideo);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, CommandLineTest, ::testing::ValuesIn(COMMAND_LINES));

class RefusedCommandLineTest : public ::testing::TestWithParam<CommandLineCase> {};

// On the real program. The video driver named here does not exist, so had SDL been started
// the window could not open and the output would carry the "Error!" box instead.
TEST_P(RefusedCommandLineTest, TheProgramRefusesBeforeStartingAnything) {
    const ProgramRun run =
        runProgram(DUNMARROW_BINARY, GetParam().args, DUNMARROW_SOURCE_DIR,
                   {{"SDL_VIDEODRIVER", "no-such-driver"}, {"DISPLAY", std::nullopt}});
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_EQ(run.output,
              "What are you doing?\n"
              "There is only two options. And that's -nosound and -software.\n");
}

// The table above holds every refusal; two prove that the program acts on it: a word it does
// not know, and more words than it takes.
INSTANTIATE_TEST_SUITE_P(Wiring, RefusedCommandLineTest,
                         ::testing::Values(CommandLineCase{{"-fullscreen"}, false, false, false},
                                           CommandLineCase{{"a", "b", "c"}, false, false, false}));

}  // namespace
