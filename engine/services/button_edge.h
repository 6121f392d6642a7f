// The edge rule every button of the input module follows: down is the state
// of the last read, and pressed is set for exactly one update after a change
// from up to down. The update that clears pressed does not record the state,
// so a release that falls into that update is not seen, and a press right
// after it does not count again.
#pragma once

struct ButtonEdge {
    bool down = false;
    bool pressed = false;
    bool previous = false;

    void Update(bool isDown) {
        down = isDown;
        if (pressed) {
            pressed = false;
            return;
        }
        pressed = down && !previous;
        previous = down;
    }
};
