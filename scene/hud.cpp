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
    const ScreenScale screen = frame.Screen();
    VEX_Sprite& sprites = Sprites();
    if (sprites.BeginSprites()) {
        sprites.SetFrameSize(kBannerSprite, 0, screen.Size(96 + p), screen.Size(80 + p));
        sprites.SetFramePivot(kBannerSprite, 0, 0.5f, 0.5f, true);
        sprites.SetSpriteColor(kWhite);
        sprites.SetSpriteRotation(0);
        sprites.DrawSprite(kBannerSprite, screen.FromRight(28), screen.FromBottom(12), 0, 0);
        sprites.EndSprites();
    }
    VEX_Font& font = Fonts();
    if (!font.BeginText(kHudFont)) return;
    SetTextStyle(1, 0, kWhite, screen.Size(kTextSize));
    font.PrintText(screen.FromRight(25), screen.FromBottom(34), "%d", kTurnSeconds - g.turnSeconds);
    SetTextStyle(0, 0, SideColor(g.options.discLook, g.currentPlayer), screen.Size(kTextSize));
    font.PrintText(screen.Size(3), screen.FromBottom(36), "%s",
                   MessageText(Message::kOwnTurn, g.language));
    font.SetFontSize(kHudFont, kTextSize, kTextSize);
    font.EndText();
}

// The other side's turn, as a spectator or as its opponent sees it.
void DrawOtherTurn(const GameState& g, const HudFrame& frame) {
    VEX_Font& font = Fonts();
    if (!font.BeginText(kHudFont)) return;
    Message message = Message::kOpponentsTurn;
    if (g.localSeat == kSeatSpectator)
        message = g.currentPlayer == kSideGreen ? Message::kGreensTurn : Message::kRedsTurn;
    const ScreenScale screen = frame.Screen();
    SetTextStyle(0, 0, SideColor(g.options.discLook, g.currentPlayer), screen.Size(kTextSize));
    font.PrintText(screen.Size(3), screen.FromBottom(36), "%s",
                   MessageText(InDiscLook(message, g.options.discLook), g.language));
    font.SetFontSize(kHudFont, kTextSize, kTextSize);
    font.EndText();
}

void DrawMatchResult(const GameState& g, const HudFrame& frame) {
    const float p = Hud().matchEndPulse.Advance(frame.frameSeconds, 22, 8);
    const ScreenScale screen = frame.Screen();
    DrawResultBanner(p, screen);
    VEX_Font& font = Fonts();
    if (!font.BeginText(kHudFont)) return;
    Message message;
    uint32_t color;
    if (g.winner == kWinnerDraw) {
        message = Message::kDraw, color = kWhite;
    } else if (g.localSeat == kSeatSpectator) {
        message = g.winner == kSideGreen ? Message::kGreenWon : Message::kRedWon;
        color = SideColor(g.options.discLook, g.winner);
    } else {
        message = g.winner == g.localSeat ? Message::kYouWon : Message::kYouLost;
        color = SideColor(g.options.discLook, g.winner);
    }
    SetTextStyle(1, 1, color, screen.Size(40 + p));
    font.PrintText(screen.CentreX(0), screen.CentreY(0), "%s",
                   MessageText(InDiscLook(message, g.options.discLook), g.language));
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
