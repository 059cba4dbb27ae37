#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/search_path.h"
#include "support/process.h"

namespace {

namespace fs = std::filesystem;

struct SearchPathCase {
    const char* given;
    const char* kept;  // nullptr: PATH is removed
};

class SearchPathTest : public ::testing::TestWithParam<SearchPathCase> {
  protected:
    void TearDown() override { setenv("PATH", previous.c_str(), 1); }
    const std::string previous = std::getenv("PATH");
};

// Whatever PATH the game inherits, no program it or its libraries start can come from the
// working directory.
TEST_P(SearchPathTest, OnlyAbsoluteDirectoriesAreKept) {
    setenv("PATH", GetParam().given, 1);
    keepSearchPathAbsolute();
    const char* kept = std::getenv("PATH");
    if (GetParam().kept) {
        ASSERT_NE(kept, nullptr);
        EXPECT_STREQ(kept, GetParam().kept);
    } else {
        EXPECT_EQ(kept, nullptr) << kept;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, SearchPathTest,
    ::testing::Values(SearchPathCase{"/usr/bin:/bin", "/usr/bin:/bin"},
                      SearchPathCase{".:/usr/bin:/bin", "/usr/bin:/bin"},
                      SearchPathCase{"/usr/local/bin::/usr/bin", "/usr/local/bin:/usr/bin"},
                      SearchPathCase{":/usr/bin:", "/usr/bin"},
                      SearchPathCase{"bin:../games:/usr/games", "/usr/games"},
                      SearchPathCase{"bin:.", nullptr}, SearchPathCase{"", nullptr}));

// The whole program clears its PATH before anything else, so no program it starts (the
// dialogs, and what they start in turn) finds a relative entry either.
TEST(SearchPathTest, TheGameClearsItsPathBeforeItStartsAnything) {
    char pattern[] = "/tmp/dunmarrow-path-XXXXXX";
    const fs::path scratch = mkdtemp(pattern);
    fs::create_directory(scratch / "bin");
    std::ofstream(scratch / "bin" / "zenity")
        << "#!/bin/sh\nprintf '%s' \"$PATH\" > '" << (scratch / "path-seen").string() << "'\n";
    fs::permissions(scratch / "bin" / "zenity", fs::perms::owner_all);
    const std::string bin = (scratch / "bin").string();
    const ProgramRun run =
        runProgram(DUNMARROW_BINARY, {"-bogus"}, scratch.string(),
                   {{"DISPLAY", ":dunmarrow-test"}, {"PATH", ".:" + bin + "::"}});
    EXPECT_EQ(run.exitStatus, 2);
    std::ifstream seen(scratch / "path-seen");
    std::stringstream path;
    path << seen.rdbuf();
    EXPECT_EQ(path.str(), bin);
    fs::remove_all(scratch);
}

}  // namespace
