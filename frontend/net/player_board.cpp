#include "frontend/net/player_board.h"

#include "frontend/wire/wire_messages.h"

void PlayerBoard::Show(int slot) {
    const PlayerSlot& s = slots_[slot];
    if (s.name.isEmpty()) {
        view_.SetSlotLabel(slot, Tr(UiText::PlayerWord, uiLanguage_) + u' ' + QString::number(slot),
                           false);
    } else if (s.relayed) {
        view_.SetSlotLabel(slot, s.name + u' ' + Tr(UiText::ViaRelayMark, uiLanguage_), true);
    } else {
        view_.SetSlotLabel(slot, s.name, true);
    }
    view_.SetWinLabel(slot, QString::number(s.wins));
}

QString PlayerBoard::Announcement(const QString& name, UiText text) const {
    return name + u' ' + Tr(text, uiLanguage_);
}

int PlayerBoard::Seat(const QString& name, int slot, int wins, bool announce) {
    if (slots_.FindExact(name) != 0) return -1;
    if (announce) chat_.ShowChatLine(Announcement(name, UiText::JoinAnnouncement));
    if (slot == -1) slot = slots_.FirstFree();
    if (!wire::IsPlayerSlot(slot)) return -1;
    slots_[slot].name = name;
    slots_[slot].wins = wins;
    Show(slot);
    return slot;
}

void PlayerBoard::Free(int slot, const QString& name, LeaveReason reason) {
    if (slot != 0) {
        PlayerSlot& s = slots_[slot];
        s.name.clear();
        s.connectionId = kNoConnection;
        s.wins = 0;
        s.relayed = false;
        Show(slot);
    }
    switch (reason) {
        case LeaveReason::Left:
            chat_.ShowChatLine(Announcement(name, UiText::LeaveAnnouncement));
            break;
        case LeaveReason::Kicked:
            chat_.ShowChatLine(Announcement(name, UiText::KickAnnouncement));
            chat_.PlayEffect(kEffectKicked);
            break;
        case LeaveReason::Dropped:
            chat_.ShowChatLine(Announcement(name, UiText::DropAnnouncement));
            break;
    }
}

void PlayerBoard::Reset() {
    slots_.Reset();
    for (int s = 1; s <= kPlayerSlotCount; ++s) Show(s);
    ShowNoMatch();
}

void PlayerBoard::ShowAway(int slot, const QString& text) {
    view_.SetSlotLabel(slot, text, true);
}

void PlayerBoard::MarkRelayed(int slot, bool relayed) {
    if (slots_[slot].relayed == relayed) return;
    slots_[slot].relayed = relayed;
    Show(slot);
}

void PlayerBoard::AddWin(int slot) {
    ++slots_[slot].wins;
    view_.SetWinLabel(slot, QString::number(slots_[slot].wins));
}

void PlayerBoard::ShowMatch(int greenSlot, int redSlot) {
    greenSlot_ = greenSlot, redSlot_ = redSlot;
    const uint32_t greens = discColours_ == DiscColours::ColourSafe ? kBoxBlue : kBoxGreen;
    for (int s = 1; s <= kPlayerSlotCount; ++s)
        view_.SetSlotBox(s, s == greenSlot ? greens : s == redSlot ? kBoxRed : kBoxSilver);
}

void PlayerBoard::ShowNoMatch() {
    greenSlot_ = redSlot_ = 0;
    for (int s = 1; s <= kPlayerSlotCount; ++s) view_.SetSlotBox(s, kBoxSilver);
}

void PlayerBoard::SetDiscColours(DiscColours look) {
    discColours_ = look;
    if (greenSlot_ != 0 || redSlot_ != 0) ShowMatch(greenSlot_, redSlot_);
}
