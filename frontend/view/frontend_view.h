// What the core asks of the window: everything it shows, with no logic of its
// own. The Qt main window implements it; tests and the headless peer use
// HeadlessView.
#pragma once

#include <QString>
#include <cstdint>
#include <vector>

// A piece of a chat line in one colour and weight. The text is plain text:
// the view must show it literally, never as markup.
struct ChatRun {
    QString text;
    uint32_t rgb = 0x000000;
    bool bold = false;
};
using ChatLine = std::vector<ChatRun>;

constexpr uint32_t kBoxSilver = 0xC0C0C0;
constexpr uint32_t kBoxGreen = 0x00FF00;
constexpr uint32_t kBoxRed = 0xFF0000;
// Green's side in the colour-blind-safe disc look; red's stays red.
constexpr uint32_t kBoxBlue = 0x4A8CFF;

class FrontendView {
public:
    virtual ~FrontendView() = default;

    virtual void AppendChatLine(const ChatLine& line) = 0;
    virtual void ClearChat() = 0;
    // An informational message box, already in the user's language.
    virtual void ShowMessage(const QString& text) = 0;
    // A yes/no question ("No" the default); true for yes.
    virtual bool Confirm(const QString& caption, const QString& question) = 0;
    virtual void Beep() = 0;

    // Player rows, slots 1..4.
    virtual void SetSlotLabel(int slot, const QString& text, bool enabled) = 0;
    virtual void SetSlotBox(int slot, uint32_t rgb) = 0;
    virtual void SetWinLabel(int slot, const QString& text) = 0;

    virtual void SetStartEnabled(bool enabled) = 0;
    // The connection panel (nickname, join, create, practice) over the player
    // list and chat.
    virtual void SetConnectionPanelVisible(bool visible) = 0;
    // Practice hides the chat, the start button and the player rows.
    virtual void SetPracticeLayout(bool practice) = 0;
    // A join attempt runs: joining, creating and practice must wait for it.
    virtual void SetConnecting(bool connecting) = 0;
    // The nickname the core chose for a player who left the field empty.
    virtual void ShowNickname(const QString& name) = 0;
};
