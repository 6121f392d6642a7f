// The texture list's image loader: any bytes as a package's picture (TGA,
// BMP and JPG are told apart by their content, not their name), under
// loader settings taken from the input's first byte, then read back texel
// by texel at the corners and removed.
#include <cstdint>

#include "engine/graphics/vex_texture_list.h"
#include "engine/modules/engine_modules.h"
#include "fuzz/recording_engine.h"

namespace {

// The settings a scene uses: the file's own format or a forced one, a full
// chain or a few levels, with or without a colour key.
void ApplySettings(uint8_t choice) {
    static const gfx::Format kFormats[] = {gfx::kFormatUnknown,  gfx::kFormatA8R8G8B8,
                                           gfx::kFormatX8R8G8B8, gfx::kFormatR5G6B5,
                                           gfx::kFormatA1R5G5B5, gfx::kFormatA4R4G4B4};
    VEX_TextureList& list = TextureList();
    list.SetFormat(kFormats[choice % 6]);
    list.SetMipLevels((choice >> 3) & 3);
    list.SetColorKey(choice & 0x20 ? 0xFF000000u : 0u);
    list.SetFilters(gfx::kFilterTriangle, choice & 0x40 ? gfx::kFilterPoint : gfx::kFilterBox);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    StartRecordingEngine();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    ApplySettings(data[0]);
    ServeAsOnlyEntry("fuzz.tga", data + 1, size - 1);
    VEX_TextureList& list = TextureList();
    const int16_t index = list.Load("fuzz.tga");
    if (index >= 0) {
        const int16_t w = list.WidthOf(index), h = list.HeightOf(index);
        uint8_t r, g, b, a;
        list.GetTexel(0, 0, r, g, b, a, index);
        list.GetTexel(int16_t(w - 1), int16_t(h - 1), r, g, b, a, index);
        list.Remove(index);
    }
    return 0;
}
