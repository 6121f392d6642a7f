// VEX_GDIFont: text in the system's TrueType fonts, for the small print the
// bitmap font does not suit. Each font is a device font made from a face
// name (fontconfig finds the installed face or its stand-in) or from a
// font file of one's own, read straight from where it lies. One font at a
// time is begun; its drawing states hold until it is ended.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "base/debug_log.h"
#include "base/memory_tracker.h"
#include "base/slot_list.h"
#include "platform/gfx/gfx_font.h"
#include "platform/gfx/gfx_font_lookup.h"

class VEX_Direct3D;

struct GDIFontRecord : TrackedObject {
    TrackedChars name;  // may be null
    std::unique_ptr<gfx::Font> font;
    // What it was made from, to make it again at another size.
    gfx::FontDescription description;
    std::optional<gfx::FontFile> file;
};

class VEX_GDIFont : public TrackedObject {
public:
    explicit VEX_GDIFont(VEX_Direct3D& d3d) : d3d_(d3d) {}
    ~VEX_GDIFont();
    VEX_GDIFont(const VEX_GDIFont&) = delete;
    VEX_GDIFont& operator=(const VEX_GDIFont&) = delete;

    // height > 0 is the cell, < 0 the em, in pixels. -1 without a device;
    // -1 with a warning when the file (if one is named) holds no font or
    // when no font can be made.
    int16_t AddGDIFont(const char* name, int32_t height, uint8_t bold, uint8_t underline,
                       uint8_t italic, uint8_t fixedPitch, const char* face, const char* file);
    // Makes the font again with this height (as AddGDIFont takes it), from
    // the same face or file, keeping its number. False, with a warning and
    // the font as it was, when the new one cannot be made or the index is
    // invalid; the same height again is kept without remaking.
    bool SetGDIFontHeight(int16_t index, int32_t height);
    // An invalid index changes nothing; another font still begun is ended
    // first, so its states are put back.
    void BeginGDIText(int16_t index);
    void SetGDIColor(uint32_t argb) { color_ = argb; }
    // Formats into the shared text buffer (cut at its size) and draws it
    // whole from (x, y), unclipped; nothing without a begun font.
    void PrintGDIText(int16_t x, int16_t y, const char* format, ...) VEX_PRINTF_FORMAT(4);
    void EndGDIText();
    // After the device was lost and reset: every font gives up its device
    // texture and makes it again.
    void RefreshGDIFonts();
    void RemoveGDIFont(int16_t index);
    bool ReleaseGDIFonts();

    bool IsValid(int16_t index) const { return fonts_.IsValid(index); }
    const gfx::Font* FontOf(int16_t index) const;
    int16_t current() const { return current_; }
    uint32_t color() const { return color_; }

private:
    std::unique_ptr<gfx::Font> MakeFont(const GDIFontRecord& record);

    VEX_Direct3D& d3d_;
    SlotList<GDIFontRecord> fonts_;
    uint32_t color_ = 0xFF000000;
    int16_t current_ = -1;
};
