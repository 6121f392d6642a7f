// The best-plays screen: the ten best practice runs slide up over the
// intro table, stay twenty seconds, and slide down again, handing the
// screen back to the intro.
#include "engine/modules/engine_modules.h"
#include "game/records.h"
#include "scene/hud.h"
#include "scene/hud_draw.h"
#include "scene/hud_state.h"
#include "scene/texts.h"

namespace {

constexpr float kShowSeconds = 20;
constexpr float kNameX = 114, kLevelX = 228, kTimeX = 342, kShotsX = 456;

// Moves the table in, holds it, moves it out; false once it has gone.
bool SlideTable(GameState& g, const HudFrame& frame) {
    HudState& hud = Hud();
    const float h = float(frame.height);
    if (g.recordsScreenSeconds == 0) hud.recordsSlide = h;
    g.recordsScreenSeconds += frame.frameSeconds;
    if (g.recordsScreenSeconds < kShowSeconds) {
        hud.recordsSlide = std::max(0.0f, hud.recordsSlide - frame.frameSeconds * h);
        return true;
    }
    hud.recordsSlide += frame.frameSeconds * h;
    return hud.recordsSlide <= h;
}

// Bright red going pale and back: the row a run just entered.
uint32_t GlowColor(float glow) {
    const auto g = uint32_t(std::clamp(glow, 0.0f, 255.0f));
    return 0xFF000000 | g << 16 | (g / 4) << 8 | (g / 4);
}

}  // namespace

void DrawRecordsScreen(GameState& g, const HudFrame& frame) {
    if (!SlideTable(g, frame)) g.mode = kModeIdle;
    HudState& hud = Hud();
    const uint32_t glow = GlowColor(hud.recordGlow.Advance(frame.frameSeconds, 256, 255, 196));
    VEX_Font& font = Fonts();
    if (!font.BeginText(kHudFont)) return;
    const float slide = hud.recordsSlide;
    SetTextStyle(1, 0, kYellow, 32);
    font.PrintText(float(frame.width / 2), 5 + slide, "%s",
                   MessageText(Message::kBestPlaysTitle, g.language));
    const float headY = 50 + slide;
    font.PrintText(kNameX, headY, "%s", MessageText(Message::kName, g.language));
    font.PrintText(kLevelX, headY, "%s", MessageText(Message::kLevel, g.language));
    font.PrintText(kTimeX, headY, "%s", MessageText(Message::kTime, g.language));
    font.PrintText(kShotsX, headY, "%s", MessageText(Message::kShots, g.language));
    for (int row = 0; row < kBestPlayRows; ++row) {
        const BestPlay& play = BestPlayRow(row);
        const float y = 80 + 29 * float(row) + slide;
        font.SetFontColor(row == g.newRecordRow ? glow : kWhite);
        font.PrintText(kNameX, y, "%s", play.name ? play.name : "");
        font.PrintText(kLevelX, y, "%02d", play.level);
        font.PrintText(kTimeX, y, "%02d:%02d:%02d", play.hours, play.minutes, play.seconds);
        font.PrintText(kShotsX, y, "%d", play.shots);
    }
    font.SetFontSize(kHudFont, kTextSize, kTextSize);
    font.EndText();
}
