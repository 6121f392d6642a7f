// Tests against a lobby server of their own, started before each test as the
// fixture's choices below describe it, and skipped where prosody or openssl
// is not installed. Skipping in SetUp keeps the test body from running
// against a server that never started.
#pragma once

#include <gtest/gtest.h>

#include "tests/frontend/lobby/prosody_server.h"

class ProsodyTest : public ::testing::Test {
protected:
    // The configuration's own limit is above what the tests need at once,
    // except where a fixture lowers it.
    virtual int ConnectionsPerAddress() const { return 0; }
    virtual bool WithRelay() const { return true; }

    void SetUp() override {
        if (!ProsodyServer::Installed()) GTEST_SKIP() << "prosody or openssl is not installed";
        ASSERT_TRUE(server_.Start(ConnectionsPerAddress(), WithRelay()))
            << server_.Problem().toStdString();
    }

    ProsodyServer server_;
};
