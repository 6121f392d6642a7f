// Every key press, read as the keyboard's events rather than by asking for
// the keymap once a frame: a tap that goes down and up between two frames
// is still counted, once, however short it was.
//
// The presses arrive as XInput 2 raw key events on the root window, over a
// display connection of this reader's own (the pointer's raw motion reader
// drains its own connection of everything it does not want). Raw events
// come from every keyboard whichever window has the focus, so the reader
// that owns them asks whether the game has the focus and drops what came
// while it had not. A key already down does not count again until it was
// let go: the server's own repeat is not a press.
#pragma once

#include <cstdint>

typedef struct _XDisplay Display;

namespace input {

class KeyPressEvents {
public:
    KeyPressEvents() = default;
    ~KeyPressEvents();
    KeyPressEvents(const KeyPressEvents&) = delete;
    KeyPressEvents& operator=(const KeyPressEvents&) = delete;

    // Listens on the named display; false, and nothing is read, when the
    // server has no XInput 2.1 for raw key events.
    bool Open(const char* displayName);
    void Close();
    bool Listening() const { return display_ != nullptr; }

    // Adds the presses since the last Take or Drop to presses, indexed by X
    // keycode, each count stopping at 255.
    void Take(uint8_t presses[256]);
    // Forgets the presses since the last Take or Drop (the game did not
    // have the focus), keeping track of which keys are down.
    void Drop();

private:
    // Reads every event the server has sent so far; presses counted into
    // presses when it is not null.
    void Read(uint8_t* presses);

    Display* display_ = nullptr;
    int opcode_ = -1;
    bool down_[256] = {};
};

}  // namespace input
