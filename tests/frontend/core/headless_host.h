// A host core in the test's own process behind a headless view: named
// "Host", its loop ticking as fast as it is called, closed when the test ends.
#pragma once

#include <gtest/gtest.h>

#include "frontend/session/frontend_core.h"
#include "frontend/view/headless_view.h"

class HeadlessHostTest : public ::testing::Test {
protected:
    HeadlessHostTest() : core(view, [](int) {}) {
        core.Online().SetNickname("Host");
        core.Loop().SetMinimumTickMs(0);
        core.Start(false, 2);
    }
    ~HeadlessHostTest() override { core.Close({}); }

    HeadlessView view;
    FrontendCore core;
};

// Whether the view's chat shows a line of exactly this text.
inline bool ChatShows(const HeadlessView& view, const QString& text) {
    for (const ChatLine& line : view.chatLines)
        if (HeadlessView::PlainText(line) == text) return true;
    return false;
}
