// A form's place and size as the settings file keeps them, and putting a
// form back there without losing it off the screens.
#pragma once

#include <QRect>
#include <QWidget>
#include <optional>

struct FormPlacement {
    std::optional<int> left;
    std::optional<int> top;
    std::optional<int> width;  // zero or less keeps the form's width
    std::optional<int> height;
    bool maximised = false;
};

// Left and top of the window frame, width and height of the form's inside;
// for a maximised or full-screen form, the rectangle it returns to.
QRect StoredRectOf(const QWidget& form);

// A form that gives itself the whole screen (where no window manager does)
// makes Qt forget where it returns to: it keeps its inside's rectangle here
// first, and StoredRectOf answers that until an invalid one replaces it.
void KeepReturnRect(QWidget& form, const QRect& inside);
QRect ReturnRectOf(const QWidget& form);

// A missing left or top keeps the form's own. A fixed-size form keeps its
// size and is never maximised; any other is made no larger than the
// available area of the screen it opens on (the one it lies most on, else
// the primary one) and no smaller than its minimum size, so a maximised
// form also returns to a size that fits. A rectangle that would not show
// enough of the form on any screen to grab it is centred on that screen.
void ApplyPlacement(QWidget& form, const FormPlacement& placement);
