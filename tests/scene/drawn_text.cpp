#include "tests/scene/drawn_text.h"

#include <cmath>

using namespace gfx;

namespace {

char CharacterOf(const RecordedDraw& draw) {
    const RecordedVertex& topLeft = draw.vertices[0];
    const int column = int(std::lround(topLeft.u * 16)), row = int(std::lround(topLeft.v * 16));
    return char(row * 16 + column);
}

bool IsGlyph(const RecordedDraw& draw, const Texture* font) {
    return draw.texture == font && draw.vertices.size() == 4 && draw.type == kPtTriangleStrip;
}

// The next character of the same text: right of the previous one, with at
// most a space between them, not the start of a text printed further on.
bool FollowsOn(const RecordedDraw& previous, const RecordedDraw& next) {
    const float cell = previous.vertices[1].x - previous.vertices[0].x;
    const float gap = next.vertices[0].x - previous.vertices[0].x;
    return gap > 0 && gap <= 1.5f * cell;
}

}  // namespace

std::optional<DrawnText> FindText(const std::vector<RecordedDraw>& draws, const Texture* font,
                                  const std::string& text, size_t from) {
    std::string wanted;
    for (char c : text)
        if (c != ' ') wanted += c;
    for (size_t start = from; start + wanted.size() <= draws.size(); ++start) {
        const RecordedDraw& first = draws[start];
        bool match = true;
        for (size_t i = 0; i < wanted.size() && match; ++i) {
            const RecordedDraw& d = draws[start + i];
            match = IsGlyph(d, font) && CharacterOf(d) == wanted[i] &&
                    d.vertices[0].y == first.vertices[0].y &&
                    d.vertices[0].diffuse == first.vertices[0].diffuse &&
                    (i == 0 || FollowsOn(draws[start + i - 1], d));
        }
        if (match)
            return DrawnText{first.vertices[0].x, first.vertices[0].y,
                             first.vertices[2].y - first.vertices[0].y, first.vertices[0].diffuse};
    }
    return std::nullopt;
}

std::vector<RecordedDraw> DrawsWith(const std::vector<RecordedDraw>& draws,
                                    const Texture* texture) {
    std::vector<RecordedDraw> with;
    for (const RecordedDraw& draw : draws)
        if (draw.texture == texture && draw.vertices.size() == 4) with.push_back(draw);
    return with;
}
