#include "engine/graphics/vex_gdi_font.h"

#include <cstdarg>
#include <cstdio>

#include "engine/graphics/vex_direct3d.h"
#include "engine/services/string_tools.h"
#include "engine/services/vex_resource.h"

VEX_GDIFont::~VEX_GDIFont() {
    Log().ModuleFinishing("VEX_GDIFont");
    if (ReleaseGDIFonts()) Log().ReportOk();
}

int16_t VEX_GDIFont::AddGDIFont(const char* name, int32_t height, uint8_t bold, uint8_t underline,
                                uint8_t italic, uint8_t fixedPitch, const char* face,
                                const char* file) {
    if (!d3d_.device()) return -1;
    auto record = std::make_unique<GDIFontRecord>();
    gfx::FontDescription& description = record->description;
    description.height = height;
    description.weight = bold == 1 ? 700 : 400;
    description.italic = italic != 0;
    description.underline = underline != 0;
    description.fixedPitch = fixedPitch == 1;
    description.faceName = face ? face : "";
    if (file) {
        if (Resource().BuildPath(file))
            record->file = gfx::FontFileAt(Resource().path(), description);
        if (!record->file) {
            Log().WriteWarning("Erro ao carregar fonte TTF <%s>.", file);
            return -1;
        }
    }
    record->font = MakeFont(*record);
    if (!record->font) return -1;
    record->name = StringTools::Duplicate(name);
    return fonts_.Insert(std::move(record));
}

std::unique_ptr<gfx::Font> VEX_GDIFont::MakeFont(const GDIFontRecord& record) {
    gfx::Device* device = d3d_.device();
    std::unique_ptr<gfx::Font> font;
    if (device) {
        font = record.file ? gfx::Font::Create(*device, *record.file, record.description)
                           : gfx::Font::Create(*device, record.description);
    }
    if (!font)
        Log().WriteWarning("Erro ao criar fonte GDI <%s>.", record.description.faceName.c_str());
    return font;
}

bool VEX_GDIFont::SetGDIFontHeight(int16_t index, int32_t height) {
    GDIFontRecord* record = fonts_.Get(index);
    if (!record) {
        Log().WriteWarning("Fonte GDI <%d> inexistente.", index);
        return false;
    }
    if (record->description.height == height) return true;
    const int32_t oldHeight = record->description.height;
    record->description.height = height;
    std::unique_ptr<gfx::Font> font = MakeFont(*record);
    if (!font) {
        record->description.height = oldHeight;
        return false;
    }
    // A begun font gives its states back before it goes, and the new one
    // takes them as the old one had.
    const bool begun = index == current_;
    if (begun) EndGDIText();
    record->font = std::move(font);
    if (begun) BeginGDIText(index);
    return true;
}

const gfx::Font* VEX_GDIFont::FontOf(int16_t index) const {
    const GDIFontRecord* record = fonts_.Get(index);
    return record ? record->font.get() : nullptr;
}

void VEX_GDIFont::BeginGDIText(int16_t index) {
    GDIFontRecord* record = fonts_.Get(index);
    if (!record) return;
    if (current_ != index) EndGDIText();
    record->font->Begin();
    current_ = index;
}

void VEX_GDIFont::PrintGDIText(int16_t x, int16_t y, const char* format, ...) {
    GDIFontRecord* record = fonts_.Get(current_);
    if (!record || !format) return;
    char* text = Resource().textBuffer();
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, VEX_Resource::kTextBufferBytes, format, args);
    va_end(args);
    record->font->DrawText(text, -1, {x, y, 0, 0}, 0, color_);
}

void VEX_GDIFont::EndGDIText() {
    if (GDIFontRecord* record = fonts_.Get(current_)) record->font->End();
    current_ = -1;
}

void VEX_GDIFont::RefreshGDIFonts() {
    for (int16_t i = 0; i < fonts_.SlotsUsed(); ++i) {
        if (GDIFontRecord* record = fonts_.Get(i)) {
            record->font->OnLostDevice();
            record->font->OnResetDevice();
        }
    }
}

void VEX_GDIFont::RemoveGDIFont(int16_t index) {
    if (!fonts_.IsValid(index)) return;
    // A begun font puts its states back before it goes.
    if (index == current_) EndGDIText();
    fonts_.Remove(index);
}

// Removing a font cannot fail, so the release always succeeds.
bool VEX_GDIFont::ReleaseGDIFonts() {
    for (int16_t i = 0; i < fonts_.SlotsUsed(); ++i) RemoveGDIFont(i);
    fonts_.Clear();
    return true;
}
