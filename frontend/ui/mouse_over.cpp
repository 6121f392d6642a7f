#include "frontend/ui/mouse_over.h"

#include <QEvent>

namespace {

class MouseMoveFilter : public QObject {
public:
    MouseMoveFilter(QObject* parent, std::function<void()> onMove)
        : QObject(parent), onMove_(std::move(onMove)) {}

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseMove) onMove_();
        return false;
    }

private:
    std::function<void()> onMove_;
};

}  // namespace

void CallOnMouseOver(QWidget& root, std::function<void()> onMove) {
    auto* filter = new MouseMoveFilter(&root, std::move(onMove));
    root.setMouseTracking(true);
    root.installEventFilter(filter);
    for (QWidget* child : root.findChildren<QWidget*>()) {
        child->setMouseTracking(true);
        child->installEventFilter(filter);
    }
}
