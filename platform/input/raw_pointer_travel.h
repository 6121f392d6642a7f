// The pointer's travel as the devices report it (XInput2 raw motion),
// for an X server whose pointer warps are not honoured.
//
// Under Xwayland the compositor owns the real pointer: a warp moves only
// the X server's idea of it, and the next real motion puts it back where the
// player's hand left it, so a travel counted from a pinned spot would count
// the whole way from the pin again at every motion. The devices' relative
// motion (Xwayland forwards the compositor's relative pointer events as raw
// motion) counts each movement once, whatever the pointer's position.
//
// While it runs the cursor is hidden, as it stays still under a pin on a
// plain X server. The pointer cannot be grabbed instead: the left button
// that aims is held, so the window's own client (or the window manager)
// already holds the button's implicit grab.
#pragma once

#include <cstdint>
#include <vector>

typedef struct _XDisplay Display;

namespace input {

class RawPointerTravel {
public:
    // Whether the server has XInput 2.1 for raw motion; false leaves Start
    // a no-op that reports no travel.
    bool Open(Display* display, unsigned long root);
    void Close();

    bool Running() const { return running_; }
    // Starts counting from now, the cursor hidden.
    void Start();
    // The whole pixels moved since Start or the last Collect; the fractions
    // are kept for the next.
    void Collect(int32_t& dx, int32_t& dy);
    // Stops counting and shows the cursor again.
    void Stop();

private:
    // Drains the connection's queue, adding the raw motion of relative
    // pointer devices; everything else on it is dropped.
    void Drain();
    bool IsRelativePointer(int device);
    // Selects the raw motion and hides the cursor, or the reverse.
    void ListenAndHide(bool on);

    Display* display_ = nullptr;
    unsigned long root_ = 0;
    int opcode_ = -1;
    bool canHide_ = false;
    bool running_ = false;
    double dx_ = 0, dy_ = 0;
    std::vector<int> relative_;  // pointer devices whose axes move relatively
};

// Whether the X server is Xwayland: by the extension of its name, or by
// the names it gives its input devices.
bool IsXwayland(Display* display);

}  // namespace input
