#include "frontend/ui/form_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace {

// Enough of a window to see it and drag it back by its title bar.
constexpr int kMinimumVisiblePixels = 32;
constexpr char kReturnRectProperty[] = "returnRect";

bool IsFixedSize(const QWidget& form) {
    return form.minimumSize() == form.maximumSize();
}

bool ShowsEnough(const QRect& rect) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.isEmpty()) return true;  // nothing to judge by
    const int wide = std::min(kMinimumVisiblePixels, rect.width());
    const int tall = std::min(kMinimumVisiblePixels, rect.height());
    return std::any_of(screens.begin(), screens.end(), [&](const QScreen* screen) {
        const QRect seen = rect & screen->availableGeometry();
        return seen.width() >= wide && seen.height() >= tall;
    });
}

// The screen the rectangle lies most on, or the primary one when it lies on
// none: where the window will open.
const QScreen* ScreenUnder(const QRect& rect) {
    const QScreen* best = QGuiApplication::primaryScreen();
    qint64 bestArea = 0;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect seen = rect & screen->availableGeometry();
        const qint64 area = qint64(seen.width()) * seen.height();
        if (area > bestArea) best = screen, bestArea = area;
    }
    return best;
}

}  // namespace

QRect StoredRectOf(const QWidget& form) {
    // geometry() leaves out the window frame, pos() does not.
    const QPoint frame = form.geometry().topLeft() - form.pos();
    QRect inside = form.geometry();
    if (ReturnRectOf(form).isValid())
        inside = ReturnRectOf(form);
    else if (form.isMaximized() || form.isFullScreen())
        inside = form.normalGeometry();
    return {inside.topLeft() - frame, inside.size()};
}

void KeepReturnRect(QWidget& form, const QRect& inside) {
    form.setProperty(kReturnRectProperty, inside);
}

QRect ReturnRectOf(const QWidget& form) {
    return form.property(kReturnRectProperty).toRect();
}

void ApplyPlacement(QWidget& form, const FormPlacement& placement) {
    const bool fixed = IsFixedSize(form);
    QSize size = form.size();
    if (!fixed) {
        if (placement.width.value_or(0) > 0) size.setWidth(*placement.width);
        if (placement.height.value_or(0) > 0) size.setHeight(*placement.height);
        size = size.expandedTo(form.minimumSize()).boundedTo(form.maximumSize());
    }
    QRect rect(QPoint(placement.left.value_or(form.x()), placement.top.value_or(form.y())), size);
    const QScreen* screen = ScreenUnder(rect);
    // A file from a larger or a removed monitor: a window that can grow
    // still opens no larger than the screen, and never below its least size.
    if (!fixed && screen) {
        size = size.boundedTo(screen->availableGeometry().size()).expandedTo(form.minimumSize());
        rect.setSize(size);
    }
    if (!ShowsEnough(rect) && screen) rect.moveCenter(screen->availableGeometry().center());
    if (rect.topLeft() != form.pos()) form.move(rect.topLeft());
    if (size != form.size()) form.resize(size);
    if (placement.maximised && !fixed)
        form.setWindowState(form.windowState() | Qt::WindowMaximized);
}
