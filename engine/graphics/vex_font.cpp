#include "engine/graphics/vex_font.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <vector>

#include "engine/graphics/trim_rules.h"
#include "engine/graphics/vex_direct3d.h"
#include "engine/graphics/vex_texture_list.h"
#include "engine/services/string_tools.h"
#include "engine/services/vex_resource.h"

namespace {

constexpr int kGrid = 16;  // cells per row and per column
constexpr unsigned char kLineFeed = 10, kCarriageReturn = 13, kSpace = 32;

}  // namespace

VEX_Font::VEX_Font(VEX_Direct3D& d3d, VEX_TextureList& textures) : d3d_(d3d), textures_(textures) {
    Log().ModuleStarting("VEX_Font");
    for (int i = 0; i <= kGrid; ++i) cellCoordinates_[i] = float(i) * 0.0625f;
    Log().ReportOk();
}

VEX_Font::~VEX_Font() {
    Log().ModuleFinishing("VEX_Font");
    if (ReleaseFonts()) Log().ReportOk();
}

int16_t VEX_Font::AddFont(const char* name, int16_t texture, const char* widthTable,
                          int16_t fixedWidth) {
    if (!d3d_.device()) return -1;
    const int16_t textureWidth = textures_.WidthOf(texture);
    const int16_t textureHeight = textures_.HeightOf(texture);
    // Without a picture there are no cells to measure, and the scale would
    // divide by a cell of 0.
    if (!textures_.TextureOf(texture) || textureWidth < 1 || textureHeight < 1) {
        Log().WriteWarning("Textura <%d> inválida para a fonte.", texture);
        return -1;
    }
    auto font = std::make_unique<FontRecord>();
    font->name = StringTools::Duplicate(name);
    font->texture = texture;
    font->nativeCellWidth = font->cellWidth = float(textureWidth) / kGrid;
    font->nativeCellHeight = font->cellHeight = float(textureHeight) / kGrid;
    const auto defaultWidth =
        static_cast<uint8_t>(fixedWidth != 0 ? fixedWidth : int(font->nativeCellWidth));
    for (uint8_t& width : font->widths) width = defaultWidth;
    const TextureAlpha alpha(textures_.EntryOf(texture));
    for (int c = 0; c < 256; ++c) {
        const float x = float(c % kGrid) * font->nativeCellWidth;
        const float y = float(c / kGrid) * font->nativeCellHeight;
        font->glyphs[c] = alpha.Find(x, y, x + font->nativeCellWidth, y + font->nativeCellHeight);
    }
    if (widthTable) ReadWidthTable(*font, widthTable);
    return fonts_.Insert(std::move(font));
}

void VEX_Font::ReadWidthTable(FontRecord& font, const char* widthTable) {
    std::vector<uint8_t> bytes;
    if (!Resource().ReadAsset(widthTable, false, bytes) || bytes.empty()) {
        Log().FileReadError(widthTable);
        return;
    }
    if (bytes.size() == 256) {
        for (size_t c = 0; c < 256; ++c) font.widths[c] = bytes[c];
    } else {
        // Little-endian 16-bit values, of which the low byte is the width;
        // a short table sets only the characters it covers.
        const size_t covered = std::min<size_t>(256, bytes.size() / 2);
        for (size_t c = 0; c < covered; ++c) font.widths[c] = bytes[c * 2];
    }
    Log().WriteLine("Tamanho de fonte lido com sucesso em <%s>.", widthTable);
}

void VEX_Font::SetFontSize(int16_t index, float width, float height) {
    FontRecord* font = fonts_.Get(index);
    if (!font) return;
    // Written so that a NaN takes the native size too.
    auto resize = [](float asked, float native, float& cell, float& scale) {
        cell = asked > 0 ? asked : native;
        scale = asked > 0 ? asked / native : 1.0f;
    };
    resize(width, font->nativeCellWidth, font->cellWidth, font->scaleX);
    resize(height, font->nativeCellHeight, font->cellHeight, font->scaleY);
}

void VEX_Font::SetTextAlign(uint8_t horizontal, uint8_t vertical) {
    alignX_ = horizontal;
    alignY_ = vertical;
}

float VEX_Font::MeasureText(int16_t index, const char* text, float* width, float* height) const {
    const FontRecord* font = fonts_.Get(index);
    float widest = 0, tall = 0;
    if (font && !text) {
        widest = font->cellWidth;
        tall = font->cellHeight;
    } else if (font) {
        tall = font->cellHeight;
        float line = 1.0f;  // the first line starts at 1, the others at 0
        for (const char* p = text; *p; ++p) {
            const auto c = static_cast<unsigned char>(*p);
            if (c == kLineFeed) {
                widest = std::max(widest, line);
                line = 0;
                tall += font->cellHeight;
            } else {
                line += Advance(*font, c);
            }
        }
        widest = std::max(widest, line);
        if (!(tall > 0)) tall = 0;
    }
    if (width) *width = widest;
    if (height) *height = tall;
    return widest;
}

bool VEX_Font::BeginText(int16_t index) {
    const FontRecord* font = fonts_.Get(index);
    if (!font) return false;
    FlushText();
    current_ = index;
    drawn_ = 0;
    textures_.Bind(0, font->texture);
    return true;
}

void VEX_Font::PrintText(float x, float y, const char* format, ...) {
    const FontRecord* font = fonts_.Get(current_);
    if (!font || !format || !d3d_.device()) return;
    char* text = Resource().textBuffer();
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, VEX_Resource::kTextBufferBytes, format, args);
    va_end(args);

    if (alignX_ == kCenter) x -= MeasureText(current_, text) / 2;
    if (alignX_ == kRightOrBottom) x -= MeasureText(current_, text);
    // One line's height, however many lines the text has.
    if (alignY_ == kCenter) y -= font->cellHeight / 2;
    if (alignY_ == kRightOrBottom) y -= font->cellHeight;
    DrawText(*font, text, x + font->offsetX, y + font->offsetY);
}

void VEX_Font::DrawText(const FontRecord& font, const char* text, float x0, float y) {
    const ViewRect& clip = d3d_.virtualViewportRect();
    if (x0 >= clip.x2 || y >= clip.y2) return;
    const TrimRules rules = CurrentTrimRules(*d3d_.device());
    // Characters of a colour that draws nothing still count as drawn.
    const bool invisible = rules.clearColorDrawsNothing && quad_.Alpha() == 0;
    float pen = x0;
    for (const char* p = text; *p; ++p) {
        const auto c = static_cast<unsigned char>(*p);
        if (c == kLineFeed) {
            y += font.cellHeight;
            pen = x0;
            if (y > d3d_.virtualHeight()) return;
            continue;
        }
        if (c == kCarriageReturn) continue;
        if (c != kSpace && pen > clip.x1 - font.cellWidth && pen < clip.x2) {
            if (!invisible) AddGlyph(font, c, pen, y, rules);
            ++drawn_;
        }
        pen += Advance(font, c);
    }
}

void VEX_Font::AddGlyph(const FontRecord& font, unsigned char c, float x, float y,
                        const TrimRules& rules) {
    const QuadPart part =
        rules.clearTexelsDrawNothing
            ? font.glyphs[c].ShowingPart(font.cellWidth, font.cellHeight, rules.anisotropic)
            : QuadPart{};
    if (part.Empty()) return;
    quad_.PlacePart(x, y, x + font.cellWidth, y + font.cellHeight, part);
    const int column = c % kGrid, row = c / kGrid;
    quad_.MapTexturePart(cellCoordinates_[column], cellCoordinates_[row],
                         cellCoordinates_[column + 1], cellCoordinates_[row + 1], part);
    batch_.Add(quad_);
}

void VEX_Font::FlushText() {
    if (gfx::Device* device = d3d_.device()) batch_.Flush(*device);
    batch_.Discard();
}

uint32_t VEX_Font::EndText() {
    FlushText();
    d3d_.AddTriangles(drawn_ * 2);
    d3d_.AddRenderCalls(drawn_);
    return drawn_;
}

void VEX_Font::RemoveFont(int16_t index) {
    if (!fonts_.Remove(index)) return;
    // What it printed and has not drawn yet goes with it.
    if (index == current_) current_ = -1, drawn_ = 0, batch_.Discard();
}

// Removing a font cannot fail, so the release always succeeds.
bool VEX_Font::ReleaseFonts() {
    for (int16_t i = 0; i < fonts_.SlotsUsed(); ++i) RemoveFont(i);
    fonts_.Clear();
    return true;
}
