#include "tools/contactsheet/scene_preview.h"

#include <stb_image.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <memory>

#include "tools/contactsheet/x_text_reader.h"

namespace {

using Vec = std::array<float, 3>;

Vec Sub(Vec a, Vec b) {
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}
float Dot(Vec a, Vec b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}
Vec Cross(Vec a, Vec b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
Vec Norm(Vec a) {
    const float l = std::sqrt(Dot(a, a));
    return l > 0 ? Vec{a[0] / l, a[1] / l, a[2] / l} : a;
}

struct Texture {
    int width = 0, height = 0;
    std::vector<unsigned char> rgba;
    // Bilinear, wrapping, as the device samples by default.
    std::array<float, 3> Sample(float u, float v) const {
        if (rgba.empty()) return {1, 1, 1};
        const float x = u * width - 0.5f, y = v * height - 0.5f;
        const int x0 = int(std::floor(x)), y0 = int(std::floor(y));
        const float fx = x - x0, fy = y - y0;
        std::array<float, 3> out{};
        for (int k = 0; k < 4; ++k) {
            const int tx = ((x0 + (k & 1)) % width + width) % width,
                      ty = ((y0 + (k >> 1)) % height + height) % height;
            const float w = ((k & 1) ? fx : 1 - fx) * ((k >> 1) ? fy : 1 - fy);
            const unsigned char* t = &rgba[(std::size_t(ty) * width + tx) * 4];
            for (int c = 0; c < 3; ++c) out[c] += t[c] / 255.0f * w;
        }
        return out;
    }
};

struct Material {
    Vec diffuse, ambient, specular;
    float power;
};

struct Light {
    Vec direction, diffuse, ambient, specular;
};

// The scene's four directional lights.
const Light kLights[] = {{{0.5f, -0.5f, 0.5f}, {1, 1, 1}, {0.5f, 0.5f, 0.5f}, {1, 1, 1}},
                         {{-0.5f, -0.5f, -0.5f}, {1, 1, 1}, {0.5f, 0.5f, 0.5f}, {1, 1, 1}},
                         {{0.5f, -0.6f, -0.5f}, {0, 0, 0}, {0, 0, 0}, {1, 1, 1}},
                         {{-0.5f, -0.6f, 0.5f}, {0, 0, 0}, {0, 0, 0}, {1, 1, 1}}};

class Rasteriser {
public:
    Rasteriser(int width, int height)
        : w_(width),
          h_(height),
          colour_(std::size_t(width) * height * 3),
          depth_(std::size_t(width) * height, 1e30f) {
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x) Store(x, y, {0x80 / 255.0f, 0x80 / 255.0f, 0x92 / 255.0f});
        const Vec at = {0, -6, 0};
        eye_ = {0, 56.27f, 72.0f};
        forward_ = Norm(Sub(at, eye_));
        right_ = Norm(Cross({0, 1, 0}, forward_));
        up_ = Cross(forward_, right_);
        yScale_ = 1.0f / std::tan(3.14159265f / 8);
        xScale_ = yScale_ / (float(w_) / float(h_));
    }

    // Draws a mesh already placed in the world (positions and normals).
    void Draw(const XTextMesh& mesh, const std::vector<Material>& materials,
              const std::vector<const Texture*>& textures) {
        for (std::size_t f = 0; f < mesh.faces.size(); ++f) {
            const unsigned s = mesh.faceSubset[f];
            Corner c[3];
            bool inFront = true;
            for (int k = 0; k < 3 && inFront; ++k) {
                const unsigned v = mesh.faces[f][k];
                const Vec p = mesh.positions[v];
                const Vec rel = Sub(p, eye_);
                const float zv = Dot(rel, forward_);
                inFront = zv >= 1.0f;  // nothing of the scene comes this close to the eye
                c[k].x = (Dot(rel, right_) * xScale_ / zv + 1) * 0.5f * w_;
                c[k].y = (1 - Dot(rel, up_) * yScale_ / zv) * 0.5f * h_;
                c[k].invZ = 1 / zv;
                c[k].u = mesh.uv.empty() ? 0 : mesh.uv[v][0];
                c[k].v = mesh.uv.empty() ? 0 : mesh.uv[v][1];
                const Vec n = mesh.normalFaces.empty() ? Vec{0, 1, 0}
                                                       : Norm(mesh.normals[mesh.normalFaces[f][k]]);
                Shade(p, n, materials[s], c[k]);
            }
            if (!inFront) continue;
            // Direct3D drops faces that run counter-clockwise on screen.
            const float area =
                (c[1].x - c[0].x) * (c[2].y - c[0].y) - (c[1].y - c[0].y) * (c[2].x - c[0].x);
            if (area <= 0) continue;
            Fill(c, area, s < textures.size() ? textures[s] : nullptr);
        }
    }

    PreviewImage Downsampled(int factor) const {
        PreviewImage out;
        out.width = w_ / factor;
        out.height = h_ / factor;
        out.rgb.resize(std::size_t(out.width) * out.height * 3);
        for (int y = 0; y < out.height; ++y)
            for (int x = 0; x < out.width; ++x)
                for (int c = 0; c < 3; ++c) {
                    float sum = 0;
                    for (int dy = 0; dy < factor; ++dy)
                        for (int dx = 0; dx < factor; ++dx)
                            sum +=
                                colour_[(std::size_t(y * factor + dy) * w_ + x * factor + dx) * 3 +
                                        c];
                    out.rgb[(std::size_t(y) * out.width + x) * 3 + c] = static_cast<unsigned char>(
                        std::lround(std::clamp(sum / (factor * factor), 0.0f, 1.0f) * 255));
                }
        return out;
    }

private:
    struct Corner {
        float x, y, invZ, u, v;
        Vec lit, spec;
    };

    void Shade(Vec p, Vec n, const Material& m, Corner& c) const {
        Vec diffuse{}, specular{};
        const Vec toEye = Norm(Sub(eye_, p));
        for (const auto& l : kLights) {
            const Vec toLight = Norm({-l.direction[0], -l.direction[1], -l.direction[2]});
            const float d = std::max(0.0f, Dot(n, toLight));
            const Vec half =
                Norm({toLight[0] + toEye[0], toLight[1] + toEye[1], toLight[2] + toEye[2]});
            const float s =
                d > 0 ? std::pow(std::max(0.0f, Dot(n, half)), std::max(m.power, 1.0f)) : 0;
            for (int i = 0; i < 3; ++i) {
                diffuse[i] += m.ambient[i] * l.ambient[i] + m.diffuse[i] * l.diffuse[i] * d;
                specular[i] += m.specular[i] * l.specular[i] * (m.power > 0 ? s : 0);
            }
        }
        for (int i = 0; i < 3; ++i) {
            c.lit[i] = std::min(1.0f, diffuse[i]);
            c.spec[i] = std::min(1.0f, specular[i]);
        }
    }

    void Fill(const Corner* c, float area, const Texture* texture) {
        const int x0 = std::max(0, int(std::floor(std::min({c[0].x, c[1].x, c[2].x}))));
        const int x1 = std::min(w_ - 1, int(std::ceil(std::max({c[0].x, c[1].x, c[2].x}))));
        const int y0 = std::max(0, int(std::floor(std::min({c[0].y, c[1].y, c[2].y}))));
        const int y1 = std::min(h_ - 1, int(std::ceil(std::max({c[0].y, c[1].y, c[2].y}))));
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) {
                const float px = x + 0.5f, py = y + 0.5f;
                float b[3];
                for (int k = 0; k < 3; ++k) {
                    const Corner& a = c[(k + 1) % 3];
                    const Corner& o = c[(k + 2) % 3];
                    b[k] = ((o.x - a.x) * (py - a.y) - (o.y - a.y) * (px - a.x)) / area;
                }
                if (b[0] < 0 || b[1] < 0 || b[2] < 0) continue;
                const float invZ = b[0] * c[0].invZ + b[1] * c[1].invZ + b[2] * c[2].invZ;
                const float z = 1 / invZ;
                float& depth = depth_[std::size_t(y) * w_ + x];
                if (z >= depth) continue;
                depth = z;
                auto persp = [&](auto field) {
                    return (b[0] * field(c[0]) * c[0].invZ + b[1] * field(c[1]) * c[1].invZ +
                            b[2] * field(c[2]) * c[2].invZ) *
                           z;
                };
                const float u = persp([](const Corner& k) { return k.u; });
                const float v = persp([](const Corner& k) { return k.v; });
                const std::array<float, 3> t =
                    texture ? texture->Sample(u, v) : std::array<float, 3>{1, 1, 1};
                Vec out;
                for (int i = 0; i < 3; ++i) {
                    const float lit = persp([i](const Corner& k) { return k.lit[i]; });
                    const float spec = persp([i](const Corner& k) { return k.spec[i]; });
                    out[i] = t[i] * lit + spec;
                }
                Store(x, y, out);
            }
    }

    void Store(int x, int y, Vec c) {
        for (int i = 0; i < 3; ++i) colour_[(std::size_t(y) * w_ + x) * 3 + i] = c[i];
    }

    int w_, h_;
    std::vector<float> colour_;
    std::vector<float> depth_;
    Vec eye_, forward_, right_, up_;
    float xScale_, yScale_;
};

bool LoadMesh(const std::string& path, XTextMesh& mesh, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!ReadXText(text, mesh, error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}

Texture LoadTexture(const std::string& path) {
    Texture t;
    int channels = 0;
    unsigned char* data = stbi_load(path.c_str(), &t.width, &t.height, &channels, 4);
    if (data) {
        t.rgba.assign(data, data + std::size_t(t.width) * t.height * 4);
        stbi_image_free(data);
    }
    return t;
}

// The scene's fitting: scale by size x 1.5 / the largest side of a box whose
// maximum corner starts at the origin, centring it first when asked.
void FitSize(XTextMesh& mesh, float size, bool centre) {
    Vec lo = {999, 999, 999}, hi = {0, 0, 0};
    for (const auto& p : mesh.positions)
        for (int i = 0; i < 3; ++i) {
            lo[i] = std::min(lo[i], p[i]);
            hi[i] = std::max(hi[i], p[i]);
        }
    const float scale = size / std::max({hi[0] - lo[0], hi[1] - lo[1], hi[2] - lo[2]}) * 1.5f;
    for (auto& p : mesh.positions)
        for (int i = 0; i < 3; ++i)
            p[i] = (centre ? p[i] - lo[i] - (hi[i] - lo[i]) / 2 : p[i]) * scale;
}

// Rotates about y by yaw and x by pitch (row vectors, as the scene's
// matrices), then moves by the offset.
XTextMesh Placed(const XTextMesh& mesh, Vec offset, float pitch = 0, float yaw = 0,
                 float push = 0) {
    XTextMesh out = mesh;
    auto turn = [&](Vec p) {
        const float y1 = p[1] * std::cos(pitch) - p[2] * std::sin(pitch);
        const float z1 = p[1] * std::sin(pitch) + p[2] * std::cos(pitch);
        return Vec{p[0] * std::cos(yaw) - z1 * std::sin(yaw), y1,
                   p[0] * std::sin(yaw) + z1 * std::cos(yaw)};
    };
    for (auto& p : out.positions) {
        const Vec q = turn({p[0], p[1], p[2] + push});
        p = {q[0] + offset[0], q[1] + offset[1], q[2] + offset[2]};
    }
    for (auto& n : out.normals) n = turn(n);
    return out;
}

Material Grey(float diffuse, float ambient, float specular, float power) {
    return {{diffuse, diffuse, diffuse},
            {ambient, ambient, ambient},
            {specular, specular, specular},
            power};
}

}  // namespace

PreviewImage DrawScenePreview(const std::string& assetDir, int width, int height,
                              std::string& error) {
    XTextMesh table, disc, cue;
    if (!LoadMesh(assetDir + "/mesa.x", table, error) ||
        !LoadMesh(assetDir + "/peao.x", disc, error) ||
        !LoadMesh(assetDir + "/bastao.x", cue, error))
        return {};
    FitSize(table, 47.0f, true);
    FitSize(disc, 3.08f, false);
    FitSize(cue, 22.0f, false);
    const Texture surface = LoadTexture(assetDir + "/mesa1.tga"),
                  border = LoadTexture(assetDir + "/mesa2.tga");
    const Texture cueWood = LoadTexture(assetDir + "/bastao.tga");

    constexpr int kSupersample = 3;
    Rasteriser r(width * kSupersample, height * kSupersample);
    r.Draw(table, {Grey(0.6f, 0.5f, 0.15f, 80), Grey(1, 0, 0, 0)}, {&surface, &border});

    // The scene's disc materials (yellow, green, red); subsets after the
    // first keep the mesh's own material, ambient equal to diffuse.
    auto discMaterials = [&](Vec colour, float specular) {
        std::vector<Material> m = {
            {colour, {0.2f, 0.2f, 0.2f}, {specular, specular, specular}, 50}};
        for (std::size_t i = 1; i < disc.materials.size(); ++i) {
            const auto& d = disc.materials[i].diffuse;
            m.push_back({{d[0], d[1], d[2]}, {d[0], d[1], d[2]}, {0, 0, 0}, 0});
        }
        return m;
    };
    const auto yellow = discMaterials({0.6f, 0.6f, 0}, 0.25f),
               green = discMaterials({0, 0.6f, 0}, 0.3f), red = discMaterials({0.6f, 0, 0}, 0.3f);
    // The intro's ten discs, from the game's generator seeded with 1792.
    uint32_t state = 1792;
    auto rand = [&] {
        state = state * 214013u + 2531011u;
        return int((state >> 16) & 0x7FFF);
    };
    for (int i = 0; i < 10; ++i) {
        const bool isRed = rand() % 2;
        const float z = float(rand() % 5000) / 100 - 25, x = float(rand() % 5000) / 100 - 25;
        r.Draw(Placed(disc, {x, 1.2f, z}), isRed ? red : green, {});
    }
    // A disc resting against the right cushion and one fallen into the near
    // left hole, as the game draws it, below the surface.
    r.Draw(Placed(disc, {32.0f, 1.2f, 4.0f}), red, {});
    r.Draw(Placed(disc, {-24.5f, -1.2f, 26.0f}), green, {});
    // The striker on the green player's line with the cue drawn back behind it.
    r.Draw(Placed(disc, {-6.0f, 1.2f, 21.65f}), yellow, {});
    r.Draw(Placed(cue, {-6.0f, 1.5f, 21.65f}, -0.2f, -0.35f, 2.5f + 3.0f), {Grey(1, 1, 0, 0)},
           {&cueWood});
    return r.Downsampled(kSupersample);
}
