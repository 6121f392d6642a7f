// The debug log opened around a whole test program and closed at its end,
// as loading and unloading the library do.
#pragma once

#include <gtest/gtest.h>

#include "base/debug_log.h"

class LogEnvironment : public testing::Environment {
public:
    void SetUp() override { Log().Create(); }
    void TearDown() override { Log().CloseAtUnload(); }
};
