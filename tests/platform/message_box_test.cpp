#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/message_box.h"
#include "support/fakes.h"
#include "support/process.h"

namespace {

namespace fs = std::filesystem;

// A dialog program planted for the box: where it lies (relative to a scratch folder, which is
// also the working directory) and how it ends. Planted with a shell that does not exist, it
// cannot be started at all; a directory of its name is no program.
enum class Planted { Script, Unstartable, Directory };

struct FakeDialog {
    std::string path;
    int exitStatus = 0;
    Planted kind = Planted::Script;
};

struct DialogCase {
    const char* name;
    std::vector<FakeDialog> planted;
    // PATH, with @ standing for the scratch folder; "unset" leaves PATH out.
    std::string path;
    // What the fakes recorded, each run as its name, then one line per argument, then what
    // it read on standard input.
    std::vector<std::string> expectedRuns;
    // The error the first wait for a dialog fails with, if any.
    int waitFailure = 0;
    // Whether the game inherited SIGCHLD as ignored.
    bool childSignalIgnored = false;
};

void PrintTo(const DialogCase& c, std::ostream* out) {
    *out << c.name;
}

const char TITLE[] = "What are you doing?";
const char TEXT[] = "There is only two options. And that's -nosound and -software.";
const std::string ZENITY_RUN = std::string("zenity\n--info\n--no-markup\n--title\n") + TITLE +
                               "\n--text\n" + TEXT + "\nstdin:";
const std::string KDIALOG_RUN =
    std::string("kdialog\n--title\n") + TITLE + "\n--msgbox\n" + TEXT + "\nstdin:";
const std::string XMESSAGE_RUN = std::string("xmessage\n-title\n") + TITLE +
                                 "\n-center\n-buttons\nOK\n-default\nOK\n-file\n-\nstdin:" + TEXT;
const std::string SEVERAL_DIRS = "@/first:@/second:@/third";

const DialogCase DIALOG_CASES[] = {
    {"ZenityAlone", {{"second/zenity"}}, SEVERAL_DIRS, {ZENITY_RUN}},
    {"KdialogAlone", {{"second/kdialog"}}, SEVERAL_DIRS, {KDIALOG_RUN}},
    {"XmessageAlone", {{"second/xmessage", 101}}, SEVERAL_DIRS, {XMESSAGE_RUN}},
    {"ZenityFirst",
     {{"third/xmessage", 101}, {"second/kdialog"}, {"second/zenity"}},
     SEVERAL_DIRS,
     {ZENITY_RUN}},
    {"ClosedIsNoFailure",
     {{"second/zenity", 1}, {"third/xmessage", 0}},
     SEVERAL_DIRS,
     {ZENITY_RUN}},
    {"FailedZenityFallsBack",
     {{"second/zenity", 255}, {"third/kdialog"}},
     SEVERAL_DIRS,
     {ZENITY_RUN, KDIALOG_RUN}},
    {"UnstartableZenityFallsBack",
     {{"second/zenity", 0, Planted::Unstartable}, {"third/xmessage", 101}},
     SEVERAL_DIRS,
     {XMESSAGE_RUN}},
    {"DownToXmessage",
     {{"first/zenity", 5}, {"second/kdialog", 254}, {"third/xmessage", 101}},
     SEVERAL_DIRS,
     {ZENITY_RUN, KDIALOG_RUN, XMESSAGE_RUN}},
    {"ADirectoryIsNoProgram",
     {{"first/zenity", 0, Planted::Directory}, {"second/zenity"}},
     SEVERAL_DIRS,
     {ZENITY_RUN}},
    {"AnInterruptedWaitGoesOn",
     {{"second/zenity"}, {"third/kdialog"}},
     SEVERAL_DIRS,
     {ZENITY_RUN},
     EINTR},
    {"AFailedWaitFallsBack",
     {{"second/zenity"}, {"third/kdialog"}},
     SEVERAL_DIRS,
     {ZENITY_RUN, KDIALOG_RUN},
     ECHILD},
    {"AnIgnoredChildSignalDoesNotFailTheWait",
     {{"second/zenity"}, {"third/kdialog"}},
     SEVERAL_DIRS,
     {ZENITY_RUN},
     0,
     true},
    // The working directory is the game's data folder: never a place to run programs from.
    {"NotFromAnEmptyEntry", {{"zenity"}}, "@/first::@/third", {}},
    {"NotFromATrailingColon", {{"zenity"}}, "@/first:", {}},
    {"NotFromARelativeEntry", {{"second/zenity"}}, "second:@/third", {}},
    {"NotFromAnEmptyPath", {{"zenity"}, {"second/zenity"}}, "", {}},
    {"NotFromAnUnsetPath", {{"zenity"}}, "unset", {}},
};

class DialogProgramTest : public ::testing::TestWithParam<DialogCase> {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/dunmarrow-dialog-XXXXXX";
        scratch = mkdtemp(pattern);
        for (const char* dir : {"first", "second", "third"}) fs::create_directory(scratch / dir);
        previousDirectory = fs::current_path();
        fs::current_path(scratch);
        savedStdin = dup(STDIN_FILENO);
        const int devNull = open("/dev/null", O_RDONLY);
        dup2(devNull, STDIN_FILENO);
        close(devNull);
        const char* path = std::getenv("PATH");
        previousPath = path ? path : "";
        setenv("DISPLAY", ":dunmarrow-test", 1);
    }

    void TearDown() override {
        std::signal(SIGCHLD, SIG_DFL);
        unsetenv("DISPLAY");
        setenv("PATH", previousPath.c_str(), 1);
        dup2(savedStdin, STDIN_FILENO);
        close(savedStdin);
        fs::current_path(previousDirectory);
        fs::remove_all(scratch);
    }

    // Each fake appends its run to the log, then lingers before it writes "ended", so a box
    // that was not waited for shows in the log. Its standard input must end: one that never
    // does (the pipe's writing end leaked into the dialog, which then waits on itself) is cut
    // off after 20 s and named in the log, rather than left to hang the test.
    void plant(const FakeDialog& fake) {
        const fs::path file = scratch / fake.path;
        if (fake.kind == Planted::Directory) {
            fs::create_directory(file);
            return;
        }
        std::ofstream(file) << (fake.kind == Planted::Script ? "#!/bin/sh\n" : "#!/no/such/shell\n")
                            << "PATH=/usr/bin:/bin\n"
                            << "log='" << (scratch / "runs").string() << "'\n"
                            << "{ basename \"$0\"; printf '%s\\n' \"$@\"; printf 'stdin:';"
                               " timeout 20 cat || printf ' [standard input never ended]';"
                               " printf '\\n'; } >> \"$log\"\n"
                            << "sleep 0.2\n"
                            << "echo ended >> \"$log\"\n"
                            << "exit " << fake.exitStatus << "\n";
        fs::permissions(file, fs::perms::owner_all);
    }

    std::string log() const {
        std::ifstream in(scratch / "runs");
        std::stringstream content;
        content << in.rdbuf();
        return content.str();
    }

    fs::path scratch;
    fs::path previousDirectory;
    std::string previousPath;
    int savedStdin = -1;
};

// Each program gets the exact title and text, the game waits for it to end, and a program
// that fails hands the box on to the next one.
TEST_P(DialogProgramTest, ShowsTheBoxWithTheFirstDialogProgramThatWorks) {
    const DialogCase& c = GetParam();
    for (const FakeDialog& fake : c.planted) plant(fake);
    if (c.path == "unset") {
        unsetenv("PATH");
    } else {
        std::string path = c.path;
        for (size_t at = path.find('@'); at != std::string::npos; at = path.find('@'))
            path.replace(at, 1, scratch.string());
        setenv("PATH", path.c_str(), 1);
    }

    if (c.childSignalIgnored) std::signal(SIGCHLD, SIG_IGN);
    fakes::failNextWait(c.waitFailure);
    ::testing::internal::CaptureStderr();
    showMessageBox(TITLE, TEXT);
    fakes::failNextWait(0);
    // The text always goes to standard error too (a real xmessage, found on the fallback
    // path, may add that it has no display).
    EXPECT_THAT(::testing::internal::GetCapturedStderr(),
                ::testing::StartsWith(std::string(TITLE) + "\n" + TEXT + "\n"));

    std::string expected;
    for (const std::string& run : c.expectedRuns) expected += run + "\nended\n";
    EXPECT_EQ(log(), expected);
}

INSTANTIATE_TEST_SUITE_P(Table, DialogProgramTest, ::testing::ValuesIn(DIALOG_CASES),
                         [](const ::testing::TestParamInfo<DialogCase>& info) {
                             return info.param.name;
                         });

}  // namespace
