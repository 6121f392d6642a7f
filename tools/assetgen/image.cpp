#include "tools/assetgen/image.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <stdexcept>

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

namespace assetgen {

namespace {

float Clamp01(float v) {
    return std::clamp(v, 0.0f, 1.0f);
}

// Coverage of a pixel by a shape whose signed distance (negative inside) at
// the pixel centre is d: a one-pixel linear ramp gives smooth edges.
float CoverageFromDistance(float d) {
    return Clamp01(0.5f - d);
}

unsigned char ToByte(float v) {
    return static_cast<unsigned char>(std::lround(Clamp01(v) * 255.0f));
}

}  // namespace

Color Mix(const Color& a, const Color& b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
            a.a + (b.a - a.a) * t};
}

Color Scaled(const Color& c, float factor) {
    return {c.r * factor, c.g * factor, c.b * factor, c.a};
}

Color FromHex(unsigned rgb, float alpha) {
    return {float((rgb >> 16) & 0xFF) / 255.0f, float((rgb >> 8) & 0xFF) / 255.0f,
            float(rgb & 0xFF) / 255.0f, alpha};
}

Image::Image(int width, int height, Color fill)
    : width_(width), height_(height), pixels_(std::size_t(width) * std::size_t(height), fill) {}

void Image::Blend(int x, int y, const Color& c, float coverage) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    const float a = Clamp01(c.a * coverage);
    if (a <= 0.0f) return;
    Color& d = pixels_[Index(x, y)];
    const float outA = a + d.a * (1.0f - a);
    if (outA <= 0.0f) return;
    const float keep = d.a * (1.0f - a);
    d.r = (c.r * a + d.r * keep) / outA;
    d.g = (c.g * a + d.g * keep) / outA;
    d.b = (c.b * a + d.b * keep) / outA;
    d.a = outA;
}

void Image::FillCircle(float cx, float cy, float radius, const Color& c) {
    const int x0 = int(std::floor(cx - radius - 1)), x1 = int(std::ceil(cx + radius + 1));
    const int y0 = int(std::floor(cy - radius - 1)), y1 = int(std::ceil(cy + radius + 1));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy) - radius;
            Blend(x, y, c, CoverageFromDistance(d));
        }
}

void Image::StrokeCircle(float cx, float cy, float radius, float thickness, const Color& c) {
    const float outer = radius + thickness * 0.5f;
    const int x0 = int(std::floor(cx - outer - 1)), x1 = int(std::ceil(cx + outer + 1));
    const int y0 = int(std::floor(cy - outer - 1)), y1 = int(std::ceil(cy + outer + 1));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const float d =
                std::fabs(std::hypot(x + 0.5f - cx, y + 0.5f - cy) - radius) - thickness * 0.5f;
            Blend(x, y, c, CoverageFromDistance(d));
        }
}

void Image::FillRect(float x0, float y0, float x1, float y1, const Color& c) {
    for (int y = int(std::floor(y0)); y <= int(std::ceil(y1)); ++y)
        for (int x = int(std::floor(x0)); x <= int(std::ceil(x1)); ++x) {
            const float px = x + 0.5f, py = y + 0.5f;
            const float d = std::max(std::max(x0 - px, px - x1), std::max(y0 - py, py - y1));
            Blend(x, y, c, CoverageFromDistance(d));
        }
}

void Image::StrokeLine(float x0, float y0, float x1, float y1, float thickness, const Color& c) {
    const float half = thickness * 0.5f;
    const float dx = x1 - x0, dy = y1 - y0;
    const float len2 = std::max(dx * dx + dy * dy, 1e-6f);
    for (int y = int(std::floor(std::min(y0, y1) - half - 1));
         y <= int(std::ceil(std::max(y0, y1) + half + 1)); ++y)
        for (int x = int(std::floor(std::min(x0, x1) - half - 1));
             x <= int(std::ceil(std::max(x0, x1) + half + 1)); ++x) {
            const float px = x + 0.5f - x0, py = y + 0.5f - y0;
            const float t = std::clamp((px * dx + py * dy) / len2, 0.0f, 1.0f);
            const float d = std::hypot(px - t * dx, py - t * dy) - half;
            Blend(x, y, c, CoverageFromDistance(d));
        }
}

std::vector<Color> Image::BledPixels() const {
    std::vector<Color> out = pixels_;
    for (int pass = 0; pass < 4; ++pass) {
        const std::vector<Color> before = out;
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) {
                Color& c = out[Index(x, y)];
                if (c.a > 0) continue;
                float r = 0, g = 0, b = 0, weight = 0;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = x + dx, ny = y + dy;
                        if (nx < 0 || ny < 0 || nx >= width_ || ny >= height_) continue;
                        const Color& n = before[Index(nx, ny)];
                        // Visible neighbours count fully; ones filled by an
                        // earlier pass (alpha 0, colour set) count a little.
                        const float w = n.a > 0 ? 1.0f : (n.r + n.g + n.b > 0 ? 0.25f : 0.0f);
                        r += n.r * w;
                        g += n.g * w;
                        b += n.b * w;
                        weight += w;
                    }
                if (weight > 0) c = {r / weight, g / weight, b / weight, 0};
            }
    }
    return out;
}

void Image::WriteTga(const std::filesystem::path& path) const {
    unsigned char header[18] = {};
    header[2] = 2;  // uncompressed true colour
    header[12] = static_cast<unsigned char>(width_ & 0xFF);
    header[13] = static_cast<unsigned char>(width_ >> 8);
    header[14] = static_cast<unsigned char>(height_ & 0xFF);
    header[15] = static_cast<unsigned char>(height_ >> 8);
    header[16] = 32;
    header[17] = 0x28;  // 8 alpha bits, first row is the top row
    std::vector<unsigned char> data(sizeof header + pixels_.size() * 4);
    std::copy(std::begin(header), std::end(header), data.begin());
    std::size_t o = sizeof header;
    for (const Color& c : BledPixels()) {
        data[o++] = ToByte(c.b);
        data[o++] = ToByte(c.g);
        data[o++] = ToByte(c.r);
        data[o++] = ToByte(c.a);
    }
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(data.data()), std::streamsize(data.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

void Image::WritePng(const std::filesystem::path& path) const {
    std::vector<unsigned char> data;
    data.reserve(pixels_.size() * 4);
    for (const Color& c : BledPixels()) {
        data.push_back(ToByte(c.r));
        data.push_back(ToByte(c.g));
        data.push_back(ToByte(c.b));
        data.push_back(ToByte(c.a));
    }
    if (!stbi_write_png(path.c_str(), width_, height_, 4, data.data(), width_ * 4))
        throw std::runtime_error("cannot write " + path.string());
}

}  // namespace assetgen
