// A view without a window: remembers what it was asked to show and, when
// given an echo, reports every change as one text line. Used by tests and by
// the headless peer.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <vector>

#include "frontend/view/frontend_view.h"

class HeadlessView : public FrontendView {
public:
    using Echo = std::function<void(const QString& event)>;
    explicit HeadlessView(Echo echo = {}) : echo_(std::move(echo)) {}

    // FrontendView, each noted and echoed.
#define FRONTEND_VIEW_CALL(result, name, parameters) result name parameters override;
#include "frontend/view/frontend_view_calls.h"
#undef FRONTEND_VIEW_CALL

    // What a person would see. Slots are 1..4.
    std::vector<ChatLine> chatLines;
    QStringList messages;
    QStringList questions;
    int beeps = 0;
    bool confirmAnswer = true;
    std::array<QString, 5> slotLabels;
    std::array<bool, 5> slotEnabled{};
    std::array<uint32_t, 5> slotBoxes{};
    std::array<QString, 5> winLabels;
    bool startEnabled = false;
    bool connectionPanelVisible = true;
    bool practiceLayout = false;
    bool connecting = false;
    QString nickname;

    static QString PlainText(const ChatLine& line);

private:
    void Report(const QString& event) {
        if (echo_) echo_(event);
    }
    Echo echo_;
};
