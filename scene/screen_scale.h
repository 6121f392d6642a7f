// The 2D layer's coordinates. Every HUD text, panel and picture is laid
// out for a panel 400 pixels high; a taller panel scales the whole layer
// uniformly by height / 400, positions and sizes alike, so the layer keeps
// its proportions on a large screen. A lower panel (below the window's
// minimum, so only ever asked for by hand) keeps the layout's own size
// rather than shrinking the small print past reading. The
// extra width of a wider panel goes to the sides: what stands in the
// middle stays in the middle, what hangs from the right edge stays there.
// At a height of exactly 400 every function gives back its argument's
// value as it was computed before, so the default size draws the same
// pixels.
#pragma once

#include <algorithm>
#include <cmath>

constexpr float kLayoutHeight = 400;

struct ScreenScale {
    int width = 0, height = 0;
    float scale = 1;

    static ScreenScale Of(int width, int height) {
        return {width, height, std::max(1.0f, float(height) / kLayoutHeight)};
    }

    bool Unscaled() const { return scale == 1.0f; }
    // A length: a size, a gap, a distance from the left or top edge.
    float Size(float v) const { return v * scale; }
    // From the middle of the panel (which is rounded down to a pixel).
    float CentreX(float offset) const { return float(width / 2) + offset * scale; }
    float CentreY(float offset) const { return float(height / 2) + offset * scale; }
    // So far in from the right or the bottom edge.
    float FromRight(float distance) const { return float(width) - distance * scale; }
    float FromBottom(float distance) const { return float(height) - distance * scale; }
    // A TrueType font's cell height: whole pixels, never below one.
    int FontHeight(int height) const {
        return std::max(1, int(std::lround(float(height) * scale)));
    }
};
