// Reading the XInput 2 events a display connection of the input's own has
// received: each reader keeps a connection for the events it selected and
// hands every one of them, in order, to its handler.
#pragma once

#include <functional>

typedef struct _XDisplay Display;

namespace input {

// Hands each XInput event (by its extension's opcode) queued on display to
// handle with its type and data; anything else queued there is dropped.
void DrainXIEvents(Display* display, int opcode,
                   const std::function<void(int type, const void* data)>& handle);

}  // namespace input
