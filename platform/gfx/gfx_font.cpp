#include "platform/gfx/gfx_font.h"

#include <cstring>

namespace gfx {

namespace {

struct TextVertex {
    float x, y, z, rhw;
    uint32_t color;
    float u, v;
};
constexpr uint32_t kTextFvf = kFvfXyzRhw | kFvfDiffuse | kFvfTex1;

constexpr uint32_t kRenderStage = ~0u;  // marks a render state among the stage states

struct WantedState {
    uint32_t stage, state, value;
};

constexpr WantedState kTextStates[] = {
    {kRenderStage, kRsAlphaBlendEnable, 1},
    {kRenderStage, kRsSrcBlend, kBlendSrcAlpha},
    {kRenderStage, kRsDestBlend, kBlendInvSrcAlpha},
    {kRenderStage, kRsAlphaTestEnable, 0},
    {kRenderStage, kRsZEnable, kZbFalse},
    {kRenderStage, kRsZWriteEnable, 0},
    {kRenderStage, kRsFogEnable, 0},
    {kRenderStage, kRsStencilEnable, 0},
    {kRenderStage, kRsFillMode, kFillSolid},
    {kRenderStage, kRsCullMode, kCullNone},
    {0, kTssColorOp, kTopModulate},
    {0, kTssColorArg1, kTaTexture},
    {0, kTssColorArg2, kTaDiffuse},
    {0, kTssAlphaOp, kTopModulate},
    {0, kTssAlphaArg1, kTaTexture},
    {0, kTssAlphaArg2, kTaDiffuse},
    {0, kTssTexCoordIndex, 0},
    {0, kTssMagFilter, kTexfPoint},
    {0, kTssMinFilter, kTexfPoint},
    {0, kTssMipFilter, kTexfNone},
    {0, kTssAddressU, kTaddressClamp},
    {0, kTssAddressV, kTaddressClamp},
    {1, kTssColorOp, kTopDisable},
    {1, kTssAlphaOp, kTopDisable},
};

}  // namespace

std::unique_ptr<Font> Font::Create(Device& device, const FontDescription& description) {
    const std::optional<FontFile> file = FindFontFile(description);
    return file ? Create(device, *file, description) : nullptr;
}

std::unique_ptr<Font> Font::Create(Device& device, const FontFile& file,
                                   const FontDescription& description) {
    GlyphAtlas atlas;
    if (!RasteriseGlyphAtlas(file, description, atlas)) return nullptr;
    std::unique_ptr<Font> font(new Font(device, std::move(atlas), description.underline));
    if (!font->MakeTexture()) return nullptr;
    return font;
}

Font::Font(Device& device, GlyphAtlas atlas, bool underline)
    : device_(device), atlas_(std::move(atlas)), underline_(underline) {}

bool Font::MakeTexture() {
    std::unique_ptr<Texture> texture;
    if (device_.CreateTexture(atlas_.width, atlas_.height, 1, kFormatA8R8G8B8, texture) !=
        Result::Ok)
        return false;
    LockedRect locked;
    if (!texture->LockRect(0, locked, 0)) return false;
    // White everywhere; the coverage is the alpha, so the text colour
    // shows through modulation.
    for (uint32_t y = 0; y < atlas_.height; ++y) {
        for (uint32_t x = 0; x < atlas_.width; ++x) {
            const uint32_t texel =
                uint32_t(atlas_.coverage[size_t(y) * atlas_.width + x]) << 24 | 0xFFFFFF;
            std::memcpy(locked.bits + size_t(y) * locked.pitch + x * 4, &texel, 4);
        }
    }
    if (!texture->UnlockRect(0)) return false;
    texture_ = std::move(texture);
    return true;
}

void Font::SaveAndSetStates() {
    saved_.clear();
    for (const WantedState& wanted : kTextStates) {
        if (wanted.stage == kRenderStage) {
            const auto state = RenderState(wanted.state);
            saved_.push_back({wanted.stage, wanted.state, device_.GetRenderState(state)});
            device_.SetRenderState(state, wanted.value);
        } else {
            const auto state = StageState(wanted.state);
            saved_.push_back(
                {wanted.stage, wanted.state, device_.GetTextureStageState(wanted.stage, state)});
            device_.SetTextureStageState(wanted.stage, state, wanted.value);
        }
    }
    savedTexture_ = device_.GetTexture(0);
    device_.SetTexture(0, texture_.get());
}

void Font::RestoreStates() {
    device_.SetTexture(0, savedTexture_);
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
        if (it->stage == kRenderStage)
            device_.SetRenderState(RenderState(it->state), it->value);
        else
            device_.SetTextureStageState(it->stage, StageState(it->state), it->value);
    }
    saved_.clear();
    savedTexture_ = nullptr;
}

void Font::Begin() {
    if (begun_) return;
    SaveAndSetStates();
    begun_ = true;
}

void Font::End() {
    if (!begun_) return;
    RestoreStates();
    begun_ = false;
}

int Font::DrawText(const char* text, int count, const TextRect& rect, uint32_t format,
                   uint32_t argb) {
    if (!text || format != 0 || !texture_) return 0;
    const size_t length = count < 0 ? std::strlen(text) : size_t(count);

    std::vector<TextVertex> vertices;
    std::vector<uint32_t> indices;
    const float texelWidth = 1.0f / float(atlas_.width), texelHeight = 1.0f / float(atlas_.height);
    // A screen rectangle of whole pixels showing an atlas rectangle texel
    // for pixel: Direct3D puts pixel centres on whole coordinates, texel
    // centres on halves, so the corners go half a pixel up and left.
    auto addQuad = [&](int x, int y, int width, int height, float u0, float v0, float u1,
                       float v1) {
        const auto base = uint32_t(vertices.size());
        const float left = float(x) - 0.5f, top = float(y) - 0.5f;
        const float right = left + float(width), bottom = top + float(height);
        vertices.push_back({left, top, 0, 1, argb, u0, v0});
        vertices.push_back({right, top, 0, 1, argb, u1, v0});
        vertices.push_back({right, bottom, 0, 1, argb, u1, v1});
        vertices.push_back({left, bottom, 0, 1, argb, u0, v1});
        for (uint32_t corner : {0u, 1u, 2u, 0u, 2u, 3u}) indices.push_back(base + corner);
    };
    int penX = rect.left, lineTop = rect.top, lines = 1;
    auto underline = [&] {
        if (!underline_ || penX <= rect.left) return;
        const float u = float(atlas_.solidX + 1) * texelWidth,
                    v = float(atlas_.solidY + 1) * texelHeight;
        const int top =
            lineTop + atlas_.ascent + atlas_.underlineOffset - atlas_.underlineThickness / 2;
        addQuad(rect.left, top, penX - rect.left, atlas_.underlineThickness, u, v, u, v);
    };
    for (size_t i = 0; i < length && text[i]; ++i) {
        const auto code = static_cast<unsigned char>(text[i]);
        if (code == '\n') {
            underline();
            penX = rect.left, lineTop += atlas_.lineHeight(), ++lines;
            continue;
        }
        const Glyph& glyph = atlas_.glyphs[code];
        if (glyph.width != 0) {
            addQuad(penX + glyph.left, lineTop + atlas_.ascent - glyph.top, glyph.width,
                    glyph.height, float(glyph.x) * texelWidth, float(glyph.y) * texelHeight,
                    float(glyph.x + glyph.width) * texelWidth,
                    float(glyph.y + glyph.height) * texelHeight);
        }
        penX += glyph.advance;
    }
    underline();

    if (!indices.empty()) {
        if (!begun_) SaveAndSetStates();
        device_.DrawIndexedPrimitiveUP(kPtTriangleList, uint32_t(vertices.size()),
                                       uint32_t(indices.size() / 3), indices.data(),
                                       vertices.data(), kTextFvf);
        if (!begun_) RestoreStates();
    }
    return lines * atlas_.lineHeight();
}

void Font::OnLostDevice() {
    texture_.reset();
}

bool Font::OnResetDevice() {
    return texture_ || MakeTexture();
}

}  // namespace gfx
