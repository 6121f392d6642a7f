#include "tests/scene/drawn_text.h"

#include <cmath>

using namespace gfx;

namespace {

char CharacterOf(const RecordedQuad& quad) {
    const RecordedVertex& topLeft = quad.corners[0];
    const int column = int(std::lround(topLeft.u * 16)), row = int(std::lround(topLeft.v * 16));
    return char(row * 16 + column);
}

// The next character of the same text: right of the previous one, with at
// most a space between them, not the start of a text printed further on.
bool FollowsOn(const RecordedQuad& previous, const RecordedQuad& next) {
    const float cell = previous.corners[1].x - previous.corners[0].x;
    const float gap = next.corners[0].x - previous.corners[0].x;
    return gap > 0 && gap <= 1.5f * cell;
}

}  // namespace

std::optional<DrawnText> FindText(const std::vector<RecordedQuad>& quads, const Texture* font,
                                  const std::string& text, size_t from) {
    std::string wanted;
    for (char c : text)
        if (c != ' ') wanted += c;
    for (size_t start = from; start + wanted.size() <= quads.size(); ++start) {
        const RecordedQuad& first = quads[start];
        bool match = true;
        for (size_t i = 0; i < wanted.size() && match; ++i) {
            const RecordedQuad& q = quads[start + i];
            match = q.texture == font && CharacterOf(q) == wanted[i] &&
                    q.corners[0].y == first.corners[0].y &&
                    q.corners[0].diffuse == first.corners[0].diffuse &&
                    (i == 0 || FollowsOn(quads[start + i - 1], q));
        }
        if (match)
            return DrawnText{first.corners[0].x, first.corners[0].y,
                             first.corners[2].y - first.corners[0].y, first.corners[0].diffuse};
    }
    return std::nullopt;
}

std::vector<RecordedQuad> QuadsWith(const std::vector<RecordedQuad>& quads,
                                    const Texture* texture) {
    std::vector<RecordedQuad> with;
    for (const RecordedQuad& quad : quads)
        if (quad.texture == texture) with.push_back(quad);
    return with;
}
