#include "tests/engine/graphics/graphics_fixture.h"

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
