#include "tools/assetgen/glyph_renderer.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <stdexcept>
#include <string>

namespace assetgen {

struct GlyphRenderer::Library {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    ~Library() {
        if (face) FT_Done_Face(face);
        if (library) FT_Done_FreeType(library);
    }
};

GlyphRenderer::GlyphRenderer(const std::filesystem::path& fontFile, int pixelSize, float widthScale)
    : ft_(std::make_unique<Library>()) {
    if (FT_Init_FreeType(&ft_->library) != 0) throw std::runtime_error("FreeType did not start");
    if (FT_New_Face(ft_->library, fontFile.c_str(), 0, &ft_->face) != 0)
        throw std::runtime_error("cannot load font " + fontFile.string());
    if (FT_Set_Pixel_Sizes(ft_->face, 0, FT_UInt(pixelSize)) != 0)
        throw std::runtime_error("cannot size font " + fontFile.string());
    FT_Matrix narrow{FT_Fixed(widthScale * 0x10000), 0, 0, 0x10000};
    FT_Set_Transform(ft_->face, &narrow, nullptr);
}

GlyphRenderer::~GlyphRenderer() = default;

bool GlyphRenderer::HasGlyph(char32_t code) const {
    return FT_Get_Char_Index(ft_->face, FT_ULong(code)) != 0;
}

GlyphBitmap GlyphRenderer::Render(char32_t code) const {
    GlyphBitmap out;
    if (FT_Load_Char(ft_->face, FT_ULong(code), FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL) != 0)
        return out;
    const FT_GlyphSlot slot = ft_->face->glyph;
    const FT_Bitmap& bmp = slot->bitmap;
    out.width = int(bmp.width);
    out.height = int(bmp.rows);
    out.left = slot->bitmap_left;
    out.top = slot->bitmap_top;
    out.advance = float(slot->advance.x) / 64.0f;
    out.coverage.resize(std::size_t(out.width) * std::size_t(out.height));
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x)
            out.coverage[std::size_t(y) * std::size_t(out.width) + std::size_t(x)] =
                bmp.buffer[y * bmp.pitch + x];
    return out;
}

int GlyphRenderer::Ascender() const {
    return int(ft_->face->size->metrics.ascender >> 6);
}
int GlyphRenderer::Descender() const {
    return int(-(ft_->face->size->metrics.descender >> 6));
}

std::filesystem::path DejaVuFont(const char* fileName) {
    return std::filesystem::path("/usr/share/fonts/truetype/dejavu") / fileName;
}

}  // namespace assetgen
