#include "scene/practice_hud.h"

#include <string>

#include "engine/modules/engine_modules.h"
#include "game/game_sound.h"
#include "game/records.h"
#include "scene/hud_draw.h"
#include "scene/hud_state.h"
#include "scene/texts.h"

namespace {

constexpr int kLastLevelWithHints = 5;
constexpr float kHintFadeRate = 382, kHintHoldSeconds = 10, kHintRestSeconds = 6;
constexpr float kIconFadeRate = 512, kIconSlideRate = 64, kIconSpacing = 32;

// One step of the hint cycle: choose, fade in, hold, fade out, rest.
void AdvanceHints(const GameState& g, float frameSeconds) {
    HudState& hud = Hud();
    // A level that ends cuts a showing hint short.
    if (g.practicePhase != kPhasePlaying &&
        (hud.hintState == kHintFadeIn || hud.hintState == kHintHold))
        hud.hintState = kHintFadeOut;
    if (g.paused) return;
    switch (hud.hintState) {
        case kHintChoose:
            if (g.practiceLevel <= kLastLevelWithHints) {
                const int hint = g.showRandom.Next() % kHintCount;
                hud.hintIndex = uint8_t(hint * kLanguageCount + ClampLanguage(g.language));
                hud.hintState = kHintFadeIn;
            }
            break;
        case kHintFadeIn:
            hud.hintAlpha += frameSeconds * kHintFadeRate;
            if (hud.hintAlpha >= 255)
                hud.hintAlpha = 255, hud.hintState = kHintHold, hud.hintTimer = 0;
            break;
        case kHintHold:
            hud.hintTimer += frameSeconds;
            if (hud.hintTimer >= kHintHoldSeconds) hud.hintState = kHintFadeOut, hud.hintTimer = 0;
            break;
        case kHintFadeOut:
            hud.hintAlpha -= frameSeconds * kHintFadeRate;
            if (hud.hintAlpha <= 0) hud.hintAlpha = 0, hud.hintState = kHintRest, hud.hintTimer = 0;
            break;
        default:
            hud.hintTimer += frameSeconds;
            if (hud.hintTimer >= kHintRestSeconds) hud.hintState = kHintChoose;
            break;
    }
}

// The disc icons of the tries left. A lost try fades the rightmost icon
// out, then slides the others one place right; only then does the count
// drop.
void DrawTriesIcons(const GameState& g, const HudFrame& frame) {
    HudState& hud = Hud();
    if (hud.triesShown != g.triesLeft && hud.triesAnim == kTriesIdle) {
        hud.triesAnim = kTriesFading;
        hud.triesSlide = 0;
        hud.triesFade = 255;
        SoundOf(g).PlayEffect(kEffectPlop);
    }
    const ScreenScale screen = frame.Screen();
    VEX_Sprite& sprites = Sprites();
    if (sprites.BeginSprites()) {
        // Texel for pixel at the layout's own size; scaled, the icons are
        // filtered so they do not turn to blocks.
        if (screen.Unscaled()) Direct3D().SetPointFilter(0);
        sprites.SetSpriteScale(kTriesIconSprite, screen.scale, screen.scale);
        sprites.SetSpriteRotation(0);
        for (int i = 0; i < hud.triesShown; ++i) {
            const bool fading = i == 0 && hud.triesAnim != kTriesIdle;
            sprites.SetSpriteColor(fading ? WithAlpha(hud.triesFade, kWhite) : kWhite);
            const float x = screen.FromRight(4) - screen.Size(float(i + 1) * kIconSpacing) +
                            screen.Size(hud.triesSlide);
            sprites.DrawSprite(kTriesIconSprite, x, screen.Size(23), 0, 0);
        }
        sprites.EndSprites();
        Direct3D().SetStageFilter(frame.textureFilter, 0);
    }
    if (hud.triesAnim == kTriesFading) {
        hud.triesFade -= frame.frameSeconds * kIconFadeRate;
        if (hud.triesFade <= 0) hud.triesFade = 0, hud.triesAnim = kTriesSliding;
    } else if (hud.triesAnim == kTriesSliding) {
        hud.triesSlide += frame.frameSeconds * kIconSlideRate;
        if (hud.triesSlide >= kIconSpacing) hud.triesSlide = 0, hud.triesAnim = kTriesIdle;
    }
    // In the same frame the slide ends, so the icons never jump back first.
    if (hud.triesAnim == kTriesIdle) hud.triesShown = g.triesLeft;
}

std::string WithColon(Message message, int language) {
    return std::string(MessageText(message, language)) + ":";
}

void DrawTexts(const GameState& g, const HudFrame& frame) {
    VEX_Font& font = Fonts();
    if (!font.BeginText(kHudFont)) return;
    HudState& hud = Hud();
    const ScreenScale s = frame.Screen();
    if (g.paused) {
        const float p = hud.pausePulse.Advance(frame.frameSeconds, 32, 16);
        SetTextStyle(1, 1, kYellow, s.Size(64 + p));
        font.PrintText(s.CentreX(0), s.CentreY(0), "%s", MessageText(Message::kPaused, g.language));
    }
    SetTextStyle(2, 0, kWhite, s.Size(24));
    font.PrintText(s.FromRight(6), s.Size(-1), "%s", MessageText(Message::kTries, g.language));
    SetTextStyle(0, 0, kWhite, s.Size(28));
    font.PrintText(s.Size(5), s.Size(3), "%s", WithColon(Message::kLevel, g.language).c_str());
    SetTextStyle(0, 0, kYellow, s.Size(38));
    font.PrintText(s.Size(65), s.Size(-4), "%02d", g.practiceLevel);

    const float hintAlpha = std::clamp(hud.hintAlpha, 0.0f, 255.0f);
    if (hintAlpha > 0) {
        SetTextStyle(0, 0, WithAlpha(hintAlpha, kWhite), s.Size(20));
        font.PrintText(s.Size(5), s.FromBottom(40), "%s",
                       MessageText(Message::kHintLabel, g.language));
        SetTextStyle(0, 2, WithAlpha(hintAlpha, kGreen), s.Size(22));
        font.PrintText(s.Size(5), s.FromBottom(2), "%s",
                       HintText(hud.hintIndex, g.options.discLook));
    }
    // The shots line rises out of the hint's way while a hint shows.
    const float rise = hintAlpha * 0.14f;
    const std::string shots = WithColon(Message::kShots, g.language);
    SetTextStyle(0, 2, kWhite, s.Size(24));
    font.PrintText(s.Size(5), s.FromBottom(1) - s.Size(rise), "%s", shots.c_str());
    // Measured at the size drawn, so already scaled.
    const float shotsWidth = font.MeasureText(kHudFont, shots.c_str());
    SetTextStyle(0, 2, kYellow, s.Size(36));
    font.PrintText(s.Size(10) + shotsWidth, s.FromBottom(-1) - s.Size(rise), "%d", g.shotsTaken);

    SetTextStyle(2, 2, kWhite, s.Size(28));
    font.PrintText(s.FromRight(8), s.FromBottom(24), "%s", MessageText(Message::kTime, g.language));
    const bool running = g.practicePhase == kPhasePlaying && !g.paused;
    SetTextStyle(0, 2, running ? kYellow : kGreen, s.Size(32));
    const int seconds = g.elapsedSeconds;
    font.PrintText(s.FromRight(100), s.FromBottom(0), "%02d:%02d:%02d", seconds / 3600,
                   seconds % 3600 / 60, seconds % 60);
    font.SetFontSize(kHudFont, kTextSize, kTextSize);
    font.EndText();
}

// The end of a run over the banner: all levels cleared shows "you won" and
// the run's time, out of tries "you lost"; either with a new record.
void DrawRunEnd(const GameState& g, const HudFrame& frame) {
    const bool won = g.practicePhase == kPhaseAllCleared;
    HudState& hud = Hud();
    const float p =
        (won ? hud.practiceWinPulse : hud.practiceLossPulse).Advance(frame.frameSeconds, 22, 8);
    const ScreenScale s = frame.Screen();
    DrawResultBanner(p, s);
    VEX_Font& font = Fonts();
    if (!font.BeginText(kHudFont)) return;
    const float x = s.CentreX(0);
    SetTextStyle(1, 1, won ? kGreen : kRed, s.Size(40 + p));
    font.PrintText(x, s.CentreY(won ? -15 : 0), "%s",
                   MessageText(won ? Message::kYouWon : Message::kYouLost, g.language));
    if (won) {
        font.SetFontColor(kYellow);
        const int seconds = g.elapsedSeconds;
        // "em" in every language, as players know it.
        font.PrintText(x, s.CentreY(15), "em %02d:%02d:%02d", seconds / 3600, seconds % 3600 / 60,
                       seconds % 60);
    }
    // In the colour of the line above it; a watched run enters no record.
    if (g.newRecordRow < kBestPlayRows && !WatchedRun(g)) {
        font.SetFontSize(kHudFont, s.Size(20 + p), s.Size(20 + p));
        font.PrintText(x, s.CentreY(won ? 55 : 35), "(%s)",
                       MessageText(Message::kNewRecord, g.language));
    }
    font.SetFontSize(kHudFont, kTextSize, kTextSize);
    font.EndText();
}

}  // namespace

void DrawPracticeHud(const GameState& g, const HudFrame& frame) {
    AdvanceHints(g, frame.frameSeconds);
    DrawTriesIcons(g, frame);
    DrawTexts(g, frame);
    if (g.practicePhase == kPhaseAllCleared || g.practicePhase == kPhaseOutOfTries)
        DrawRunEnd(g, frame);
}
