// VEX_Font: text drawn from a font texture of 16 x 16 character cells, one
// per Windows-1252 byte, each character one quad of the cell's size; the
// pen then moves on by that character's own width from the font's width
// table, so a fixed grid gives proportional text. Positions are in the 2D
// view's units (y down). The characters printed between BeginText and
// EndText reach the device together, in one draw, when the text ends;
// each character's quad covers only the part of its cell that can show
// (visible_texels.h), which is all a software renderer spends time on. A
// font on no texture, or on an empty one, is refused, and printing without
// a font begun draws nothing.
#pragma once

#include <cstdint>

#include "base/debug_log.h"
#include "base/memory_tracker.h"
#include "base/slot_list.h"
#include "engine/graphics/textured_quad.h"
#include "engine/graphics/visible_texels.h"

class VEX_Direct3D;
struct TrimRules;
class VEX_TextureList;

struct FontRecord : TrackedObject {
    TrackedChars name;  // may be null
    int16_t texture = 0;
    float cellWidth = 0, cellHeight = 0;              // as drawn
    float nativeCellWidth = 0, nativeCellHeight = 0;  // texture size / 16
    float scaleX = 1, scaleY = 1;
    uint8_t widths[256] = {};  // advance of each character, in texels
    float offsetX = 0, offsetY = 0;
    float spacing = 0;          // added to every advance
    VisibleTexels glyphs[256];  // of each character's cell, found when the font is made
};

class VEX_Font : public TrackedObject {
public:
    enum Align : uint8_t { kLeftOrTop = 0, kCenter = 1, kRightOrBottom = 2 };

    VEX_Font(VEX_Direct3D& d3d, VEX_TextureList& textures);
    ~VEX_Font();
    VEX_Font(const VEX_Font&) = delete;
    VEX_Font& operator=(const VEX_Font&) = delete;

    // -1 without a device, or (with a warning) when the texture is missing
    // or empty. The cells' visible texels are read from the texture now, so
    // texels written into it later do not widen its characters' quads. fixedWidth 0 takes the cell
    // width as every default width; a width table read from the package (or a loose file) replaces
    // the defaults it covers.
    int16_t AddFont(const char* name, int16_t texture, const char* widthTable, int16_t fixedWidth);
    // A size of 0 or less (or not a number) is the native cell size.
    void SetFontSize(int16_t index, float width, float height);
    void SetFontColor(uint32_t argb) { quad_.SetColor(argb); }
    void SetTextAlign(uint8_t horizontal, uint8_t vertical);
    // The widest line of text (the first line counting from 1.0) and the
    // height of all its lines; with no text, the cell size.
    float MeasureText(int16_t index, const char* text, float* width = nullptr,
                      float* height = nullptr) const;

    bool BeginText(int16_t index);
    // Formats into the shared text buffer (cut at its size) and draws it
    // aligned, clipped to the viewport's right and bottom edges.
    void PrintText(float x, float y, const char* format, ...) VEX_PRINTF_FORMAT(4);
    // Draws the characters printed since BeginText and answers how many
    // they were, counted in the frame's statistics one call each.
    uint32_t EndText();

    void RemoveFont(int16_t index);
    bool ReleaseFonts();

    bool IsValid(int16_t index) const { return fonts_.IsValid(index); }
    const FontRecord* FontOf(int16_t index) const { return fonts_.Get(index); }
    int16_t SlotsUsed() const { return fonts_.SlotsUsed(); }
    float Advance(const FontRecord& font, unsigned char c) const {
        return float(font.widths[c]) * font.scaleX + font.spacing;
    }

private:
    void ReadWidthTable(FontRecord& font, const char* widthTable);
    void DrawText(const FontRecord& font, const char* text, float x, float y);
    // The character's quad, cut to the part of its cell that can show
    // when the rules allow; nothing when no part can.
    void AddGlyph(const FontRecord& font, unsigned char c, float x, float y,
                  const TrimRules& rules);
    void FlushText();

    VEX_Direct3D& d3d_;
    VEX_TextureList& textures_;
    SlotList<FontRecord> fonts_;
    TexturedQuad quad_;
    QuadBatch batch_;
    float cellCoordinates_[17];
    uint8_t alignX_ = kLeftOrTop, alignY_ = kLeftOrTop;
    uint32_t drawn_ = 0;
    int16_t current_ = -1;
};
