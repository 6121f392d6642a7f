// Seeds for the asset targets, all taken from the game's own package:
//   package/  small packages of every version made of the package's small
//             entries, and the package's real header and table;
//   xmesh/    every mesh entry;
//   image/    every picture entry, and the small ones again as BMP and JPG
//             (the other formats the texture list accepts), each behind the
//             loader-settings byte the image target reads first;
//   wave/     every sound entry.
//
//   asset_seeds PACKAGE CORPUS_ROOT
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_TGA
#include <stb/stb_image.h>
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include "engine/services/vex_package.h"
#include "engine/services/vex_resource.h"
#include "tools/vpfpack/package_writer.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<uint8_t>;

// Entries this small make packages a fuzzer can mutate quickly.
constexpr size_t kSmallEntryBytes = 4200;
constexpr int kSmallPictureSide = 64;
constexpr uint8_t kFileOwnSettings = 0;

void WriteFile(const fs::path& path, const Bytes& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out) {
        std::fprintf(stderr, "asset_seeds: cannot write %s\n", path.c_str());
        std::exit(1);
    }
}

Bytes WithSettingsByte(const Bytes& picture) {
    Bytes out{kFileOwnSettings};
    out.insert(out.end(), picture.begin(), picture.end());
    return out;
}

void AppendTo(void* context, void* data, int size) {
    auto* out = static_cast<Bytes*>(context);
    out->insert(out->end(), static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
}

// A small TGA again as BMP and as JPG.
void WriteOtherFormats(const fs::path& folder, const std::string& name, const Bytes& tga) {
    int w = 0, h = 0, channels = 0;
    stbi_uc* rgba = stbi_load_from_memory(tga.data(), int(tga.size()), &w, &h, &channels, 4);
    if (!rgba) return;
    if (w <= kSmallPictureSide && h <= kSmallPictureSide) {
        const std::string stem = name.substr(0, name.rfind('.'));
        Bytes bmp, jpg;
        stbi_write_bmp_to_func(AppendTo, &bmp, w, h, 4, rgba);
        stbi_write_jpg_to_func(AppendTo, &jpg, w, h, 4, rgba, 90);
        WriteFile(folder / (stem + ".bmp"), WithSettingsByte(bmp));
        WriteFile(folder / (stem + ".jpg"), WithSettingsByte(jpg));
    }
    stbi_image_free(rgba);
}

std::string Extension(const std::string& name) {
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: asset_seeds PACKAGE CORPUS_ROOT\n");
        return 2;
    }
    const fs::path root = argv[2];
    VEX_Resource resource;
    VEX_Package package;
    if (!package.Open(argv[1], false)) {
        std::fprintf(stderr, "asset_seeds: %s does not open\n", argv[1]);
        return 1;
    }
    std::vector<PackageSource> small;
    uint32_t tableEnd = UINT32_MAX;
    for (int16_t i = 0; i < package.GetCount(); ++i) {
        const std::string name = package.GetEntryName(i);
        tableEnd = std::min(tableEnd, package.GetEntry(i)->offset);
        TrackedBytes own;
        const uint32_t size = package.ReadEntryInto(i, own, false);
        if (size == 0) {
            std::fprintf(stderr, "asset_seeds: entry %s does not read\n", name.c_str());
            return 1;
        }
        const Bytes bytes(own.get(), own.get() + size);
        const std::string kind = Extension(name);
        if (kind == "x") {
            WriteFile(root / "xmesh" / name, bytes);
        } else if (kind == "tga" || kind == "bmp" || kind == "jpg") {
            WriteFile(root / "image" / name, WithSettingsByte(bytes));
            WriteOtherFormats(root / "image", name, bytes);
        } else if (kind == "wav") {
            WriteFile(root / "wave" / name, bytes);
        }
        if (size <= kSmallEntryBytes && small.size() < 4) small.push_back({name, bytes});
    }
    for (int version = vpf::kFirstVersion; version <= vpf::kLastVersion; ++version) {
        std::string built, error;
        if (!BuildPackage(version, small, built, error)) {
            std::fprintf(stderr, "asset_seeds: %s\n", error.c_str());
            return 1;
        }
        WriteFile(root / "package" / ("small" + std::to_string(version) + ".vpf"),
                  Bytes(built.begin(), built.end()));
    }
    // The real table, without the entries' data: a package cut short.
    std::ifstream whole(argv[1], std::ios::binary);
    Bytes table(tableEnd);
    whole.read(reinterpret_cast<char*>(table.data()), std::streamsize(table.size()));
    WriteFile(root / "package" / "dados_table.vpf", table);
    return 0;
}
