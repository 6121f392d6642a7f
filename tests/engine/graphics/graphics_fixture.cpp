#include "tests/engine/graphics/graphics_fixture.h"

#include <algorithm>
#include <fstream>

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

bool WriteTga(const std::string& path, int width, int height, const std::vector<uint8_t>& rgba) {
    stbi_write_tga_with_rle = 0;
    return stbi_write_tga(path.c_str(), width, height, 4, rgba.data()) != 0;
}

bool WriteBmp(const std::string& path, int width, int height, const std::vector<uint8_t>& rgba) {
    std::vector<uint8_t> rgb;
    for (size_t i = 0; i < rgba.size(); i += 4)
        rgb.insert(rgb.end(), {rgba[i], rgba[i + 1], rgba[i + 2]});
    return stbi_write_bmp(path.c_str(), width, height, 3, rgb.data()) != 0;
}

void WriteTextFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::vector<RecordedQuad> QuadsOf(const std::vector<gfx::RecordedDraw>& draws) {
    constexpr uint32_t kQuadFvf = gfx::kFvfXyz | gfx::kFvfDiffuse | gfx::kFvfTex1;
    std::vector<RecordedQuad> quads;
    for (const gfx::RecordedDraw& draw : draws) {
        if (draw.fvf != kQuadFvf || draw.vertices.size() % 4 != 0) continue;
        for (size_t first = 0; first < draw.vertices.size(); first += 4) {
            RecordedQuad quad;
            std::copy_n(draw.vertices.begin() + long(first), 4, quad.corners);
            quad.texture = draw.texture;
            quads.push_back(quad);
        }
    }
    return quads;
}
