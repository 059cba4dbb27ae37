#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "core/fatal_error.h"

namespace {

struct MessageCase {
    std::string message;
    int number;
};

class FatalErrorTest : public ::testing::TestWithParam<MessageCase> {};

// Whatever SDL's error text holds, it is shown whole, followed by the number.
TEST_P(FatalErrorTest, ShowsTheWholeTextAndExitsWithStatusOne) {
    const MessageCase& c = GetParam();
    EXPECT_EXIT(
        fatalError(c.message.c_str(), c.number), ::testing::ExitedWithCode(1),
        ::testing::Eq("Error!\n" + c.message + ", ErrorNr = " + std::to_string(c.number) + "\n"));
}

INSTANTIATE_TEST_SUITE_P(Texts, FatalErrorTest,
                         ::testing::Values(MessageCase{"Couldn't open ./gfx/win.png", -5},
                                           MessageCase{"", 1}, MessageCase{"100% %s %n %i", 1},
                                           MessageCase{std::string(20000, 'x'), -2147483647 - 1}));

}  // namespace
