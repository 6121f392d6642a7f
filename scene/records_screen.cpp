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

// The columns, from the middle of the screen.
constexpr float kNameX = -171, kLevelX = -57, kTimeX = 57, kShotsX = 171;

// How far below its place the table stands: a screen's height at the
// start, none from the first second on, and going down again a screen's
// height a second once its time is up.
float TableSlide(const GameState& g, float screenHeight) {
    const float seconds = g.recordsScreenSeconds;
    if (seconds < kBestPlaysStandSeconds) return std::max(0.0f, (1 - seconds / kBestPlaysSlideSeconds) * screenHeight);
    return (seconds - kBestPlaysStandSeconds) / kBestPlaysSlideSeconds * screenHeight;
}

// Bright red going pale and back: the row a run just entered.
uint32_t GlowColor(float glow) {
    const auto g = uint32_t(std::clamp(glow, 0.0f, 255.0f));
    return 0xFF000000 | g << 16 | (g / 4) << 8 | (g / 4);
}

}  // namespace

void DrawRecordsScreen(const GameState& g, const HudFrame& frame) {
    HudState& hud = Hud();
    const uint32_t glow = GlowColor(hud.recordGlow.Advance(frame.frameSeconds, 256, 255, 196));
    VEX_Font& font = Fonts();
    if (!font.BeginText(kHudFont)) return;
    const float slide = TableSlide(g, float(frame.height));
    const ScreenScale s = frame.Screen();
    const float nameX = s.CentreX(kNameX), levelX = s.CentreX(kLevelX);
    const float timeX = s.CentreX(kTimeX), shotsX = s.CentreX(kShotsX);
    SetTextStyle(1, 0, kYellow, s.Size(32));
    font.PrintText(s.CentreX(0), s.Size(5) + slide, "%s",
                   MessageText(Message::kBestPlaysTitle, g.language));
    const float headY = s.Size(50) + slide;
    font.PrintText(nameX, headY, "%s", MessageText(Message::kName, g.language));
    font.PrintText(levelX, headY, "%s", MessageText(Message::kLevel, g.language));
    font.PrintText(timeX, headY, "%s", MessageText(Message::kTime, g.language));
    font.PrintText(shotsX, headY, "%s", MessageText(Message::kShots, g.language));
    for (int row = 0; row < kBestPlayRows; ++row) {
        const BestPlay& play = BestPlayRow(row);
        const float y = s.Size(80 + 29 * float(row)) + slide;
        font.SetFontColor(row == g.newRecordRow ? glow : kWhite);
        font.PrintText(nameX, y, "%s", play.name ? play.name : "");
        font.PrintText(levelX, y, "%02d", play.level);
        font.PrintText(timeX, y, "%02d:%02d:%02d", play.hours, play.minutes, play.seconds);
        font.PrintText(shotsX, y, "%d", play.shots);
    }
    font.SetFontSize(kHudFont, kTextSize, kTextSize);
    font.EndText();
}
