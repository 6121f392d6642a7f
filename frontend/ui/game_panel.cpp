#include "frontend/ui/game_panel.h"

#include <QFocusEvent>
#include <QMouseEvent>
#include <QResizeEvent>

GamePanel::GamePanel(QWidget* parent) : QWidget(parent) {
    setObjectName("Tela");
    setMinimumSize(kWidth, kHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    // The library draws with EGL into this window on its own X connection.
    setAttribute(Qt::WA_NativeWindow);
    setAttribute(Qt::WA_PaintOnScreen);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_DontCreateNativeAncestors);
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
}

void GamePanel::ShowCursor() {
    unsetCursor();
}

void GamePanel::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    // While aiming the library keeps warping the pointer back to the press.
    if (event->button() == Qt::LeftButton) setCursor(Qt::BlankCursor);
    if (onPress) onPress();
}

void GamePanel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) ShowCursor();
}

void GamePanel::mouseMoveEvent(QMouseEvent*) {
    if (onMove) onMove();
}

void GamePanel::focusInEvent(QFocusEvent* event) {
    if (event->reason() != Qt::MouseFocusReason && onKeyboardFocus) onKeyboardFocus();
    QWidget::focusInEvent(event);
}

void GamePanel::focusOutEvent(QFocusEvent* event) {
    ShowCursor();
    QWidget::focusOutEvent(event);
}

QSize GamePanel::DevicePixelSize() const {
    const qreal ratio = devicePixelRatioF();
    return {qRound(width() * ratio), qRound(height() * ratio)};
}

void GamePanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (onResize) onResize();
}
