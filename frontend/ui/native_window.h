// The X11 window the game library draws in: created by Qt, handed over by id.
#pragma once

#include <QWidget>

// Creates the widget's native window if it has none yet and makes sure the X
// server knows it before another X connection (the library's) looks for it.
quintptr NativeWindowFor(QWidget& widget);
// Returns once the X server has carried out every request Qt made so far
// (a new size of the panel's window), without handling any event.
void WaitForDisplay();
