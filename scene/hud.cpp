// The HUD's dispatch by mode, and the match HUD.
#include "scene/hud.h"

#include "engine/modules/engine_modules.h"
#include "scene/hud_draw.h"
#include "scene/hud_state.h"
#include "scene/practice_hud.h"
#include "scene/texts.h"

namespace {

constexpr int kTurnSeconds = 60;

// This machine's turn: the pulsing explosion behind the shot clock, the
// clock, and "your turn" in the side's colour.
void DrawOwnTurn(const GameState& g, const HudFrame& frame) {
    const float p = Hud().turnPulse.Advance(frame.frameSeconds, 8, 8);
    const float w = float(frame.width), h = float(frame.height);
    VEX_Sprite& sprites = Sprites();
    if (sprites.BeginSprites()) {
        sprites.SetFrameSize(kBannerSprite, 0, 96 + p, 80 + p);
        sprites.SetFramePivot(kBannerSprite, 0, 0.5f, 0.5f, true);
        sprites.SetSpriteColor(kWhite);
        sprites.SetSpriteRotation(0);
        sprites.DrawSprite(kBannerSprite, w - 28, h - 12, 0, 0);
        sprites.EndSprites();
    }
    VEX_Font& font = Fonts();
    if (!font.BeginText(kHudFont)) return;
    SetTextStyle(1, 0, kWhite, kTextSize);
    font.PrintText(w - 25, h - 34, "%d", kTurnSeconds - g.turnSeconds);
    SetTextStyle(0, 0, SideColor(g.currentPlayer), kTextSize);
    font.PrintText(3, h - 36, "%s", MessageText(Message::kOwnTurn, g.language));
    font.EndText();
}

// The other side's turn, as a spectator or as its opponent sees it.
void DrawOtherTurn(const GameState& g, const HudFrame& frame) {
    VEX_Font& font = Fonts();
    if (!font.BeginText(kHudFont)) return;
    Message message = Message::kOpponentsTurn;
    if (g.localSeat == kSeatSpectator)
        message = g.currentPlayer == kSideGreen ? Message::kGreensTurn : Message::kRedsTurn;
    SetTextStyle(0, 0, SideColor(g.currentPlayer), kTextSize);
    font.PrintText(3, float(frame.height - 36), "%s", MessageText(message, g.language));
    font.EndText();
}

void DrawMatchResult(const GameState& g, const HudFrame& frame) {
    const float p = Hud().matchEndPulse.Advance(frame.frameSeconds, 22, 8);
    DrawResultBanner(p, frame.width, frame.height);
    VEX_Font& font = Fonts();
    if (!font.BeginText(kHudFont)) return;
    Message message;
    uint32_t color;
    if (g.winner == kWinnerDraw) {
        message = Message::kDraw, color = kWhite;
    } else if (g.localSeat == kSeatSpectator) {
        message = g.winner == kSideGreen ? Message::kGreenWon : Message::kRedWon;
        color = SideColor(g.winner);
    } else {
        message = g.winner == g.localSeat ? Message::kYouWon : Message::kYouLost;
        color = SideColor(g.winner);
    }
    SetTextStyle(1, 1, color, 40 + p);
    font.PrintText(float(frame.width / 2), float(frame.height / 2), "%s",
                   MessageText(message, g.language));
    font.SetFontSize(kHudFont, kTextSize, kTextSize);
    font.EndText();
}

void DrawMatchHud(const GameState& g, const HudFrame& frame) {
    if (g.winner != kNoWinner)
        DrawMatchResult(g, frame);
    else if (g.currentPlayer == g.localSeat)
        DrawOwnTurn(g, frame);
    else
        DrawOtherTurn(g, frame);
}

}  // namespace

HudState& Hud() {
    static HudState state;
    return state;
}

void DrawHud(const GameState& g, const HudFrame& frame) {
    if (g.mode == kModeMatch) DrawMatchHud(g, frame);
    if (g.mode == kModePractice) DrawPracticeHud(g, frame);
}
