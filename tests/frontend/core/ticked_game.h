// An online game over the recording library with a frame loop that the test
// ticks by hand, as fast as it likes.
#pragma once

#include <gtest/gtest.h>

#include "frontend/session/frame_loop.h"
#include "frontend/session/online_game.h"
#include "frontend/view/headless_view.h"
#include "recording_library.h"

class TickedGame : public ::testing::Test {
protected:
    TickedGame()
        : chat(view, [](int) {}), game(view, chat, queue, library), loop(queue, game, library) {
        loop.SetMinimumTickMs(0);
        loop.SetEngineRunning(true);
    }

    void Ticks(int n) {
        for (int i = 0; i < n; ++i) loop.Tick();
    }

    HeadlessView view;
    EventQueue queue;
    ChatDisplay chat;
    RecordingLibrary library;
    OnlineGame game;
    FrameLoop loop;
};
