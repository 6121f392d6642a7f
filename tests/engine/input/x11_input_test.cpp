// The input module on a real X server: keys, buttons and pointer motion are
// injected with XTest into a window of the test's own, the way a player's
// would arrive, and read back through VEX_Input over the system devices.
// Without a display the tests say they were skipped.
#include <gtest/gtest.h>

#include <memory>

#include "engine/services/vex_input.h"

// Xlib's macros (None, Bool, Status) break GoogleTest's headers: Xlib last.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace {

constexpr int kGameLeft = 100, kGameTop = 100;
constexpr int kCenterX = kGameLeft + 150, kCenterY = kGameTop + 100;

class X11InputTest : public testing::Test {
protected:
    void SetUp() override {
        x_ = XOpenDisplay(nullptr);
        if (!x_) GTEST_SKIP() << "no X display";
        int event = 0, error = 0, major = 0, minor = 0;
        if (!XTestQueryExtension(x_, &event, &error, &major, &minor))
            GTEST_SKIP() << "the X server has no XTest";
        game_ = MapTopLevel(kGameLeft, kGameTop, 300, 200);
        other_ = MapTopLevel(600, 100, 200, 200);
        XSetInputFocus(x_, PointerRoot, RevertToPointerRoot, CurrentTime);
        MovePointerTo(kCenterX, kCenterY);
        input_ = std::make_unique<VEX_Input>();
        ASSERT_TRUE(input_->StartInput(game_));
    }

    void TearDown() override {
        if (!x_) return;
        input_.reset();
        for (int button = 1; button <= 3; ++button) XTestFakeButtonEvent(x_, button, False, 0);
        XTestFakeKeyEvent(x_, ShiftKeycode(), False, 0);
        XSetInputFocus(x_, PointerRoot, RevertToPointerRoot, CurrentTime);
        if (game_) XDestroyWindow(x_, game_);
        XDestroyWindow(x_, other_);
        XCloseDisplay(x_);
    }

    Window MapTopLevel(int x, int y, unsigned width, unsigned height) {
        const int screen = DefaultScreen(x_);
        const Window window = XCreateSimpleWindow(x_, RootWindow(x_, screen), x, y, width, height,
                                                  0, 0, WhitePixel(x_, screen));
        XSelectInput(x_, window, StructureNotifyMask);
        XMapWindow(x_, window);
        XEvent e;
        do XWindowEvent(x_, window, StructureNotifyMask, &e);
        while (e.type != MapNotify);
        return window;
    }

    unsigned ShiftKeycode() const { return XKeysymToKeycode(x_, XK_Shift_L); }

    void MovePointerTo(int x, int y) {
        XTestFakeMotionEvent(x_, DefaultScreen(x_), x, y, 0);
        XSync(x_, False);
    }
    void Key(unsigned keycode, bool down) {
        XTestFakeKeyEvent(x_, keycode, down, 0);
        XSync(x_, False);
    }
    void Button(unsigned button, bool down) {
        XTestFakeButtonEvent(x_, button, down, 0);
        XSync(x_, False);
    }
    void PointerAt(int& x, int& y) {
        Window root, child;
        int wx, wy;
        unsigned mask;
        XQueryPointer(x_, DefaultRootWindow(x_), &root, &child, &x, &y, &wx, &wy, &mask);
    }
    void Update() { input_->UpdateInput(1.0f, 1.0f); }

    Display* x_ = nullptr;
    Window game_ = 0, other_ = 0;
    std::unique_ptr<VEX_Input> input_;
};

TEST_F(X11InputTest, KeyCodesAreTheXKeycodesLessEight) {
    EXPECT_EQ(ShiftKeycode() - 8, 42u);
    EXPECT_EQ(XKeysymToKeycode(x_, XK_Shift_R) - 8, 54);
    EXPECT_EQ(XKeysymToKeycode(x_, XK_p) - 8, 25);
    EXPECT_EQ(XKeysymToKeycode(x_, XK_F1) - 8, 59);
}

TEST_F(X11InputTest, ArrowsAndTheAimingKeysReadUnderTheEngineCodes) {
    struct Expected {
        KeySym sym;
        uint8_t code;
    };
    for (const Expected& key : {Expected{XK_Up, 200}, Expected{XK_Left, 203},
                                Expected{XK_Right, 205}, Expected{XK_Down, 208},
                                Expected{XK_a, 30}, Expected{XK_d, 32}, Expected{XK_space, 57}}) {
        const unsigned keycode = XKeysymToKeycode(x_, key.sym);
        Key(keycode, true);
        Update();
        EXPECT_TRUE(input_->KeyDown(key.code)) << XKeysymToString(key.sym);
        // Not also under the kernel's number, which is another key's code.
        EXPECT_EQ(input_->KeyDown(uint8_t(keycode - 8)), keycode - 8 == key.code);
        Key(keycode, false);
        Update();
        EXPECT_FALSE(input_->KeyDown(key.code)) << XKeysymToString(key.sym);
    }
}

TEST_F(X11InputTest, APressIsSeenOncePerPress) {
    Key(ShiftKeycode(), true);
    Update();
    EXPECT_TRUE(input_->KeyDown(42));
    EXPECT_TRUE(input_->KeyPressed(42));
    EXPECT_FALSE(input_->KeyDown(54));
    Update();
    EXPECT_TRUE(input_->KeyDown(42));
    EXPECT_FALSE(input_->KeyPressed(42));
    Key(ShiftKeycode(), false);
    Update();
    EXPECT_FALSE(input_->KeyDown(42));
    Update();
    Key(ShiftKeycode(), true);
    Update();
    EXPECT_TRUE(input_->KeyPressed(42));
}

// The keyboard's events, not the keymap at the read: a tap that goes down
// and up between two reads still counts, once, and two count twice.
TEST_F(X11InputTest, TapsBetweenTwoReadsAreEachCountedOnce) {
    const unsigned left = XKeysymToKeycode(x_, XK_Left);
    const unsigned space = XKeysymToKeycode(x_, XK_space);
    Update();
    Key(left, true);
    Key(left, false);
    Update();
    EXPECT_EQ(input_->KeyPresses(203), 1);
    EXPECT_TRUE(input_->KeyDown(203)) << "a tap reads down for the read after it";
    EXPECT_TRUE(input_->KeyPressed(203));
    EXPECT_EQ(input_->KeyPresses(uint8_t(left - 8)), 0) << "arrows count under the engine's code";
    Update();
    EXPECT_EQ(input_->KeyPresses(203), 0);
    EXPECT_FALSE(input_->KeyDown(203));

    for (int tap = 0; tap < 3; ++tap) {
        Key(space, true);
        Key(space, false);
    }
    Key(space, true);  // and a fourth, still held at the read
    Update();
    EXPECT_EQ(input_->KeyPresses(57), 4);
    Update();
    EXPECT_EQ(input_->KeyPresses(57), 0) << "a key held through a read is not pressed again";
    EXPECT_TRUE(input_->KeyDown(57));
    Key(space, false);

    // Taps while another window has the focus were that window's.
    XSetInputFocus(x_, other_, RevertToPointerRoot, CurrentTime);
    Key(space, true);
    Key(space, false);
    Update();
    XSetInputFocus(x_, game_, RevertToPointerRoot, CurrentTime);
    XSync(x_, False);
    Update();
    EXPECT_EQ(input_->KeyPresses(57), 0);
}

TEST_F(X11InputTest, XButtonsMapToLeftRightMiddle) {
    const struct {
        unsigned xButton;
        int engineButton;
    } kButtons[] = {{1, 0}, {3, 1}, {2, 2}};
    for (const auto& b : kButtons) {
        Button(b.xButton, true);
        Update();
        for (int engine = 0; engine < 4; ++engine)
            EXPECT_EQ(input_->MouseDown(engine), engine == b.engineButton)
                << "X button " << b.xButton << ", engine button " << engine;
        EXPECT_TRUE(input_->MousePressed(b.engineButton));
        Button(b.xButton, false);
        Update();
        EXPECT_FALSE(input_->MouseDown(b.engineButton));
    }
}

TEST_F(X11InputTest, MovementIsExactAcrossTheCursorPin) {
    Update();
    EXPECT_EQ(input_->CursorX(), kCenterX - kGameLeft);
    EXPECT_EQ(input_->CursorY(), kCenterY - kGameTop);
    int32_t pinX = 0, pinY = 0;
    ASSERT_TRUE(input_->ScreenCursor(pinX, pinY));
    EXPECT_EQ(pinX, kCenterX);
    EXPECT_EQ(pinY, kCenterY);

    for (int frame = 0; frame < 3; ++frame) {
        MovePointerTo(kCenterX + 7, kCenterY - 3);
        input_->PinCursor(pinX, pinY);
        Update();
        EXPECT_EQ(input_->MouseMoveX(), 7) << "frame " << frame;
        EXPECT_EQ(input_->MouseMoveY(), -3) << "frame " << frame;
        EXPECT_EQ(input_->CursorX(), kCenterX - kGameLeft) << "the frame sees the pinned cursor";
        EXPECT_EQ(input_->CursorY(), kCenterY - kGameTop);
        int x = 0, y = 0;
        PointerAt(x, y);
        EXPECT_EQ(x, kCenterX);
        EXPECT_EQ(y, kCenterY);
        input_->PinCursor(pinX, pinY);
        Update();
        EXPECT_EQ(input_->MouseMoveX(), 0) << "the pin itself is no movement of the player's";
        EXPECT_EQ(input_->MouseMoveY(), 0);
    }
}

TEST_F(X11InputTest, NothingIsReadWhileAnotherTopLevelHasTheFocus) {
    Update();
    XSetInputFocus(x_, other_, RevertToPointerRoot, CurrentTime);
    Key(ShiftKeycode(), true);
    Button(1, true);
    MovePointerTo(kCenterX + 20, kCenterY);
    Update();
    EXPECT_FALSE(input_->KeyDown(42));
    EXPECT_FALSE(input_->MouseDown(0));
    EXPECT_EQ(input_->MouseMoveX(), 0);
    input_->PinCursor(kCenterX, kCenterY);
    Update();
    int x = 0, y = 0;
    PointerAt(x, y);
    EXPECT_EQ(x, kCenterX + 20) << "the pointer is the other window's while it has the focus";

    XSetInputFocus(x_, game_, RevertToPointerRoot, CurrentTime);
    XSync(x_, False);
    Update();
    EXPECT_TRUE(input_->KeyDown(42));
    EXPECT_TRUE(input_->MouseDown(0));
}

TEST_F(X11InputTest, WithoutAWindowManagerTheTopLevelUnderThePointerHasTheKeys) {
    Key(ShiftKeycode(), true);
    MovePointerTo(700, 200);  // over the other window
    Update();
    EXPECT_FALSE(input_->KeyDown(42));
    MovePointerTo(kCenterX, kCenterY);
    Update();
    EXPECT_TRUE(input_->KeyDown(42));
}

TEST_F(X11InputTest, AWindowThatVanishedReadsAsNothingAndEndsNothing) {
    Key(ShiftKeycode(), true);
    Update();
    ASSERT_TRUE(input_->KeyDown(42));
    XDestroyWindow(x_, game_);
    XSync(x_, False);
    game_ = 0;
    input_->PinCursor(10, 10);
    Update();
    EXPECT_FALSE(input_->KeyDown(42));
    EXPECT_EQ(input_->MouseMoveX(), 0);

    VEX_Input fresh;
    EXPECT_FALSE(fresh.StartInput(0x7FFFFFF)) << "no such window";
}

}  // namespace
