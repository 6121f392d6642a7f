#include "frontend/view/headless_view.h"

QString HeadlessView::PlainText(const ChatLine& line) {
    QString text;
    for (const ChatRun& run : line) text += run.text;
    return text;
}

void HeadlessView::AppendChatLine(const ChatLine& line) {
    chatLines.push_back(line);
    Report(QStringLiteral("CHAT ") + PlainText(line));
}

void HeadlessView::ClearChat() {
    chatLines.clear();
    Report(QStringLiteral("CHATCLEAR"));
}

void HeadlessView::ShowMessage(const QString& text) {
    messages.append(text);
    Report(QStringLiteral("MESSAGE ") + text);
}

bool HeadlessView::Confirm(const QString&, const QString& question) {
    questions.append(question);
    Report(QStringLiteral("CONFIRM ") + question);
    return confirmAnswer;
}

void HeadlessView::Beep() {
    ++beeps;
    Report(QStringLiteral("BEEP"));
}

void HeadlessView::SetSlotLabel(int slot, const QString& text, bool enabled) {
    slotLabels[slot] = text;
    slotEnabled[slot] = enabled;
    Report(QStringLiteral("SLOT %1 %2 %3").arg(slot).arg(enabled ? 1 : 0).arg(text));
}

void HeadlessView::SetSlotBox(int slot, uint32_t rgb) {
    if (slotBoxes[slot] == rgb) return;
    slotBoxes[slot] = rgb;
    Report(QStringLiteral("BOX %1 %2").arg(slot).arg(rgb, 6, 16, QChar(u'0')));
}

void HeadlessView::SetWinLabel(int slot, const QString& text) {
    if (winLabels[slot] == text) return;
    winLabels[slot] = text;
    Report(QStringLiteral("WINS %1 %2").arg(slot).arg(text));
}

void HeadlessView::SetStartEnabled(bool enabled) {
    startEnabled = enabled;
    Report(QStringLiteral("START %1").arg(enabled ? 1 : 0));
}

void HeadlessView::SetConnectionPanelVisible(bool visible) {
    connectionPanelVisible = visible;
}

void HeadlessView::SetPracticeLayout(bool practice) {
    practiceLayout = practice;
}

void HeadlessView::SetConnecting(bool busy) {
    connecting = busy;
    Report(QStringLiteral("CONNECTING %1").arg(busy ? 1 : 0));
}

void HeadlessView::ShowNickname(const QString& name) {
    nickname = name;
    Report(QStringLiteral("NICKNAME ") + name);
}
