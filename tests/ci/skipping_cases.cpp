// Stands in for a test program on a Windows runner, for the runner script's test:
// the registration case skips there as it does outside Wine, and a case that could
// not run skips too, which the runner must not let pass.
#include <gtest/gtest.h>

TEST(Registration, OpenWithAndSendToThenUndo) { GTEST_SKIP() << "runs under Wine only"; }
TEST(Registration, OpenWithAndSendToThenUndoTwice) { GTEST_SKIP() << "no foreground"; }
