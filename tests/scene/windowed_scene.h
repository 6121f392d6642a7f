// What the tests share that drive the whole library, through its exports,
// on a bare X window of the virtual display their command starts.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "platform/window/bare_window.h"
#include "vexlib/exports.h"

// The library reads dados.vpf from the folder it runs in.
inline void ProvidePackage() {
    if (!std::filesystem::exists("dados.vpf"))
        std::filesystem::create_symlink(RINGDISK_PACKAGE, "dados.vpf");
}

// The scene started on the window at the window's size, its texts in
// English; true when it started.
inline bool StartScene(const BareWindow& window) {
    constexpr int kEnglish = 2;
    return IniciarD3D(reinterpret_cast<void*>(window.id()), nullptr, window.width(),
                      window.height(), 0, kEnglish) == 0;
}

// One window and one scene for a whole suite, as the program has one for its
// life: the suite opens them in its SetUpTestSuite, and each test is skipped
// without a display. One such suite to a test program (they are static).
class WindowedSceneSuite : public testing::Test {
protected:
    // The suite's window, with the package beside the program; false
    // without a display.
    static bool OpenWindow(int width, int height) {
        window_ = std::make_unique<BareWindow>(width, height);
        if (!window_->ok()) return false;
        ProvidePackage();
        return true;
    }
    static void OpenScene() { started_ = StartScene(*window_); }
    static void Silence() {
        SetaMusica(0);
        SetaAudio(0);
    }
    void SetUp() override {
        if (!window_->ok()) GTEST_SKIP() << "no X display";
        ASSERT_TRUE(started_) << "see debug.log";
    }

    static inline std::unique_ptr<BareWindow> window_;
    static inline bool started_ = false;
};
