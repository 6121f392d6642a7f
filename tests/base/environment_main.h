// The entry point of a test program whose tests all run inside one
// environment, set up before the first test and torn down after the last.
#pragma once

#include <gtest/gtest.h>

template <typename Environment>
int RunTestsInside(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    testing::AddGlobalTestEnvironment(new Environment);
    return RUN_ALL_TESTS();
}
