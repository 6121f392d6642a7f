#include "scene/practice_hud.h"

#include <string>

#include "engine/modules/engine_modules.h"
#include "game/game_random.h"
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
                const int hint = GameRandom() % kHintCount;
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
        Sound().PlayEffect(kEffectPlop);
    }
    VEX_Sprite& sprites = Sprites();
    if (sprites.BeginSprites()) {
        Direct3D().SetPointFilter(0);
        sprites.SetSpriteRotation(0);
        for (int i = 0; i < hud.triesShown; ++i) {
            const bool fading = i == 0 && hud.triesAnim != kTriesIdle;
            sprites.SetSpriteColor(fading ? WithAlpha(hud.triesFade, kWhite) : kWhite);
            const float x = float(frame.width - 4) - float(i + 1) * kIconSpacing + hud.triesSlide;
            sprites.DrawSprite(kTriesIconSprite, x, 23, 0, 0);
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
    const float w = float(frame.width), h = float(frame.height);
    if (g.paused) {
        const float p = hud.pausePulse.Advance(frame.frameSeconds, 32, 16);
        SetTextStyle(1, 1, kYellow, 64 + p);
        font.PrintText(float(frame.width / 2), float(frame.height / 2), "%s",
                       MessageText(Message::kPaused, g.language));
    }
    SetTextStyle(2, 0, kWhite, 24);
    font.PrintText(w - 6, -1, "%s", MessageText(Message::kTries, g.language));
    SetTextStyle(0, 0, kWhite, 28);
    font.PrintText(5, 3, "%s", WithColon(Message::kLevel, g.language).c_str());
    SetTextStyle(0, 0, kYellow, 38);
    font.PrintText(65, -4, "%02d", g.practiceLevel);

    const float hintAlpha = std::clamp(hud.hintAlpha, 0.0f, 255.0f);
    if (hintAlpha > 0) {
        SetTextStyle(0, 0, WithAlpha(hintAlpha, kWhite), 20);
        font.PrintText(5, h - 40, "%s", MessageText(Message::kHintLabel, g.language));
        SetTextStyle(0, 2, WithAlpha(hintAlpha, kGreen), 22);
        font.PrintText(5, h - 2, "%s", HintText(hud.hintIndex));
    }
    // The shots line rises out of the hint's way while a hint shows.
    const float rise = hintAlpha * 0.14f;
    const std::string shots = WithColon(Message::kShots, g.language);
    SetTextStyle(0, 2, kWhite, 24);
    font.PrintText(5, h - 1 - rise, "%s", shots.c_str());
    const float shotsWidth = font.MeasureText(kHudFont, shots.c_str());
    SetTextStyle(0, 2, kYellow, 36);
    font.PrintText(10 + shotsWidth, h + 1 - rise, "%d", g.shotsTaken);

    SetTextStyle(2, 2, kWhite, 28);
    font.PrintText(w - 8, h - 24, "%s", MessageText(Message::kTime, g.language));
    const bool running = g.practicePhase == kPhasePlaying && !g.paused;
    SetTextStyle(0, 2, running ? kYellow : kGreen, 32);
    const int seconds = g.elapsedSeconds;
    font.PrintText(w - 100, h, "%02d:%02d:%02d", seconds / 3600, seconds % 3600 / 60, seconds % 60);
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
    DrawResultBanner(p, frame.width, frame.height);
    VEX_Font& font = Fonts();
    if (!font.BeginText(kHudFont)) return;
    const float x = float(frame.width / 2), y = float(frame.height / 2);
    SetTextStyle(1, 1, won ? kGreen : kRed, 40 + p);
    font.PrintText(x, won ? y - 15 : y, "%s",
                   MessageText(won ? Message::kYouWon : Message::kYouLost, g.language));
    if (won) {
        font.SetFontColor(kYellow);
        const int seconds = g.elapsedSeconds;
        // "em" in every language, as players know it.
        font.PrintText(x, y + 15, "em %02d:%02d:%02d", seconds / 3600, seconds % 3600 / 60,
                       seconds % 60);
    }
    // In the colour of the line above it.
    if (g.newRecordRow < kBestPlayRows) {
        font.SetFontSize(kHudFont, 20 + p, 20 + p);
        font.PrintText(x, won ? y + 55 : y + 35, "(%s)",
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
