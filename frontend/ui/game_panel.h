// `Tela`, the panel the game library draws on: a native X window of at
// least 570 x 400 pixels that Qt never paints; it takes whatever room the
// window gives it and says when its size changed. The library reads the
// pointer and keyboard itself; the panel's mouse events only decide who has
// the mouse and hide the cursor while an aim is held.
#pragma once

#include <QWidget>
#include <functional>

class GamePanel : public QWidget {
public:
    // The default and smallest size.
    static constexpr int kWidth = 570;
    static constexpr int kHeight = 400;

    explicit GamePanel(QWidget* parent);

    // A left press here hides the cursor until the release; the window shows
    // it again on focus loss, deactivation and before a dialog as well.
    void ShowCursor();

    QPaintEngine* paintEngine() const override { return nullptr; }
    QSize sizeHint() const override { return {kWidth, kHeight}; }
    // The size in the display's own pixels, which the library draws in.
    QSize DevicePixelSize() const;

    // Called on a press of any button, and on a move.
    std::function<void()> onPress;
    std::function<void()> onMove;
    // Called after the panel's size changed.
    std::function<void()> onResize;
    // Called when the keyboard comes here other than by a click (the window
    // put it here, or the window came back with it here).
    std::function<void()> onKeyboardFocus;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent*) override {}
};
