// contactsheet: lays the game's nine pictures out on one PNG so a person can
// judge them at a glance: each on a checkerboard (so transparency shows),
// small ones magnified, every one labelled with its name and size, and a few
// of the game's own texts written with the bitmap font over the table, the
// way the HUD draws them; beside them the meshes wearing the pictures, drawn
// by the game's scene on the OpenGL device. That needs an X display: without
// one it says so and exits with kExitNoDisplay.
//
//   contactsheet ASSET_DIR OUTPUT.png
#include <stb_image.h>
#include <stb_image_write.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tools/contactsheet/scene_preview.h"

namespace {

struct Picture {
    int width = 0, height = 0;
    std::vector<unsigned char> rgba;  // width x height x 4, top row first
    bool Empty() const { return rgba.empty(); }
};

Picture Load(const std::string& path) {
    Picture p;
    int channels = 0;
    unsigned char* data = stbi_load(path.c_str(), &p.width, &p.height, &channels, 4);
    if (!data) return p;
    p.rgba.assign(data, data + std::size_t(p.width) * std::size_t(p.height) * 4);
    stbi_image_free(data);
    return p;
}

class Sheet {
public:
    Sheet(int width, int height)
        : width_(width), height_(height), rgb_(std::size_t(width) * height * 3, 0) {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) Put(x, y, {40, 42, 48}, 1.0f);
    }

    void Checkerboard(int x0, int y0, int w, int h) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const unsigned char v = ((x / 8 + y / 8) % 2) ? 150 : 110;
                Put(x0 + x, y0 + y, {v, v, v}, 1.0f);
            }
    }

    // Draws the source rectangle (sx, sy, sw, sh) of a picture into the
    // destination rectangle, nearest texel, multiplied by a colour and an
    // opacity, composited over what is there.
    void Blit(const Picture& p, int sx, int sy, int sw, int sh, int dx, int dy, int dw, int dh,
              std::array<float, 3> tint = {1, 1, 1}, float opacity = 1.0f) {
        for (int y = 0; y < dh; ++y)
            for (int x = 0; x < dw; ++x) {
                const int tx = sx + x * sw / dw, ty = sy + y * sh / dh;
                const unsigned char* t = &p.rgba[(std::size_t(ty) * p.width + tx) * 4];
                Put(dx + x, dy + y,
                    {static_cast<unsigned char>(t[0] * tint[0]),
                     static_cast<unsigned char>(t[1] * tint[1]),
                     static_cast<unsigned char>(t[2] * tint[2])},
                    t[3] / 255.0f * opacity);
            }
    }

    bool WritePng(const std::string& path) const {
        return stbi_write_png(path.c_str(), width_, height_, 3, rgb_.data(), width_ * 3) != 0;
    }

private:
    void Put(int x, int y, std::array<unsigned char, 3> c, float a) {
        if (x < 0 || y < 0 || x >= width_ || y >= height_ || a <= 0) return;
        unsigned char* d = &rgb_[(std::size_t(y) * width_ + x) * 3];
        for (int i = 0; i < 3; ++i)
            d[i] = static_cast<unsigned char>(std::lround(d[i] + (c[i] - d[i]) * a));
    }

    int width_, height_;
    std::vector<unsigned char> rgb_;
};

// The game's bitmap font: 16 x 16 cells, advances from the width table, in
// texels of the font picture, scaled like the HUD's cells.
class BitmapText {
public:
    BitmapText(Picture glyphs, std::vector<unsigned char> widths)
        : glyphs_(std::move(glyphs)), widths_(std::move(widths)) {}

    bool Valid() const { return !glyphs_.Empty() && widths_.size() == 256; }

    // Text is Windows-1252; cell is the drawn cell size in pixels.
    void Print(Sheet& sheet, int x, int y, const std::string& text, float cell,
               std::array<float, 3> colour) const {
        const int native = glyphs_.width / 16;
        const float scale = cell / float(native);
        float pen = float(x);
        for (unsigned char c : text) {
            if (c != ' ')
                sheet.Blit(glyphs_, (c % 16) * native, (c / 16) * native, native, native, int(pen),
                           y, int(cell), int(cell), colour);
            pen += widths_[c] * scale;
        }
    }

private:
    Picture glyphs_;
    std::vector<unsigned char> widths_;
};

std::vector<unsigned char> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Slot {
    const char* name;
    int x, y;  // top-left of the picture on the sheet
    int zoom;  // magnification of small pictures
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: contactsheet ASSET_DIR OUTPUT.png\n");
        return 2;
    }
    const std::string dir = std::string(argv[1]) + "/";
    const BitmapText font(Load(dir + "fonte01.tga"), ReadBytes(dir + "fonte01.dat"));
    if (!font.Valid()) {
        std::fprintf(stderr, "contactsheet: no bitmap font in %s\n", argv[1]);
        return 1;
    }

    constexpr Slot kSlots[] = {
        {"mesa1.tga", 16, 40, 1},   {"mesa2.tga", 544, 40, 1},  {"fonte01.tga", 816, 40, 1},
        {"logo.tga", 16, 600, 1},   {"boom.tga", 288, 600, 1},  {"bastao.tga", 560, 600, 1},
        {"spark.tga", 750, 600, 4}, {"rojao.tga", 750, 760, 4}, {"disco.tga", 750, 922, 4},
    };
    Sheet sheet(1510, 1400);
    for (const Slot& slot : kSlots) {
        const Picture p = Load(dir + slot.name);
        if (p.Empty()) {
            std::fprintf(stderr, "contactsheet: cannot read %s%s\n", dir.c_str(), slot.name);
            return 1;
        }
        const int w = p.width * slot.zoom, h = p.height * slot.zoom;
        sheet.Checkerboard(slot.x, slot.y, w, h);
        sheet.Blit(p, 0, 0, p.width, p.height, slot.x, slot.y, w, h);
        const std::string label =
            std::string(slot.name) + " " + std::to_string(p.width) + "x" + std::to_string(p.height);
        font.Print(sheet, slot.x, slot.y - 22, label, 18, {1, 1, 0.8f});
    }

    // The HUD's look: texts at the game's 38 x 38 cells over the table, the
    // explosion as the end banner's backdrop, the tries counter's discs.
    const Picture table = Load(dir + "mesa1.tga");
    const Picture boom = Load(dir + "boom.tga");
    const Picture logo = Load(dir + "logo.tga");
    const Picture disc = Load(dir + "disco.tga");
    const int px = 16, py = 1140;
    sheet.Blit(table, 0, 300, 512, 120, px, py, 1312, 240);
    sheet.Blit(logo, 0, 0, 256, 128, px + 8, py + 4, 256, 128);
    sheet.Blit(boom, 0, 0, 256, 128, px + 420, py + 40, 248, 148, {1, 1, 1}, 0.5f);
    font.Print(sheet, px + 440, py + 95, "Voc\xEA ganhou!", 40, {0.3f, 1, 0.3f});
    font.Print(sheet, px + 720, py + 20, "Sua vez! N\xEDvel 3", 38, {1, 1, 1});
    font.Print(sheet, px + 720, py + 70, "Voc\xEA perdeu... 0:59", 38, {1, 0.3f, 0.3f});
    font.Print(sheet, px + 720, py + 120, "\xBFOtra partida? \xC1\xC9\xCD\xD3\xDA \xC7\xE7\xF1", 38,
               {1, 0.9f, 0.2f});
    sheet.Blit(boom, 0, 0, 256, 128, px + 1180, py + 170, 96, 80);
    font.Print(sheet, px + 1210, py + 186, "42", 38, {1, 1, 1});
    for (int i = 0; i < 4; ++i)
        sheet.Blit(disc, 0, 0, disc.width, disc.height, px + 280 + i * 32, py + 10, 32, 32);

    // The pictures on the shapes: the intro table through the game's camera.
    std::string error;
    PreviewImage scene;
    const PreviewOutcome outcome = DrawScenePreview(argv[1], 570, 400, scene, error);
    if (outcome != PreviewOutcome::Drawn) {
        std::fprintf(stderr, "contactsheet: %s\n", error.c_str());
        return outcome == PreviewOutcome::NoDisplay ? kExitNoDisplay : 1;
    }
    Picture view;
    view.width = int(scene.width);
    view.height = int(scene.height);
    for (const uint32_t argb : scene.argb)
        view.rgba.insert(view.rgba.end(), {static_cast<unsigned char>(argb >> 16),
                                           static_cast<unsigned char>(argb >> 8),
                                           static_cast<unsigned char>(argb), 255});
    sheet.Blit(view, 0, 0, view.width, view.height, 920, 640, view.width, view.height);
    sheet.Blit(logo, 0, 0, 256, 128, 930, 645, 256, 128);
    font.Print(sheet, 920, 618, "mesa.x peao.x bastao.x 570x400", 18, {1, 1, 0.8f});

    if (!sheet.WritePng(argv[2])) {
        std::fprintf(stderr, "contactsheet: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
