// assetgen: draws, models, synthesises and composes every asset the game
// loads, into one folder, from nothing but code, the DejaVu Sans Bold face
// and eSpeak NG. The same build always writes the same bytes.
//
//   assetgen OUTPUT_DIR           the assets the package holds
//   assetgen --icons OUTPUT_DIR SIZE...   the desktop icon, one PNG per
//                                         size, in the hicolor theme's folders
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/assetgen/bitmap_font.h"
#include "tools/assetgen/game_icon.h"
#include "tools/assetgen/piece_meshes.h"
#include "tools/assetgen/songs.h"
#include "tools/assetgen/sound_effects.h"
#include "tools/assetgen/speech.h"
#include "tools/assetgen/sprite_textures.h"
#include "tools/assetgen/table_meshes.h"
#include "tools/assetgen/table_textures.h"

namespace {

namespace fs = std::filesystem;
using namespace assetgen;

void WriteBytes(const fs::path& path, const unsigned char* data, std::size_t size) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

void WritePictures(const fs::path& dir) {
    MakePlayingSurface().WriteTga(dir / "mesa1.tga");
    MakeRimWood().WriteTga(dir / "mesa2.tga");
    MakeLogo().WriteTga(dir / "logo.tga");
    MakeCueWood().WriteTga(dir / "bastao.tga");
    MakeExplosion().WriteTga(dir / "boom.tga");
    MakeSpark().WriteTga(dir / "spark.tga");
    MakeRocket().WriteTga(dir / "rojao.tga");
    MakeDiscIcon().WriteTga(dir / "disco.tga");
    const BitmapFont font = MakeBitmapFont();
    font.glyphs.WriteTga(dir / "fonte01.tga");
    WriteBytes(dir / "fonte01.dat", font.widths.data(), font.widths.size());
}

void WriteMeshes(const fs::path& dir) {
    MakeTable(true).WriteX(dir / "mesa.x");
    MakeTable(false).WriteX(dir / "mesalow.x");
    MakeDisc(true).WriteX(dir / "peao.x");
    MakeDisc(false).WriteX(dir / "peaolow.x");
    MakeCue().WriteX(dir / "bastao.x");
    MakeBase().WriteX(dir / "base.x");
}

struct SynthesisedSound {
    const char* name;
    Samples (*make)();
};

struct SpokenSound {
    const char* name;
    SpokenPhrase phrase;
};

void WriteSounds(const fs::path& dir) {
    static constexpr SynthesisedSound kSynthesised[] = {
        {"hit.wav", MakeCueHit},       {"colmesa.wav", MakeCushionThud},
        {"col.wav", MakeDiscClick},    {"gol.wav", MakePocketDrop},
        {"repoe.wav", MakeDiscReturn}, {"c1.wav", MakeRocketLaunch},
        {"e1.wav", MakeBigBurst},      {"e2.wav", MakeSmallPuff},
        {"win.wav", MakeWinFanfare},   {"lose.wav", MakeLoseTrombone},
        {"draw.wav", MakeDrawChime},   {"kick.wav", MakeKick},
        {"initp.wav", MakeMatchStart}, {"plop.wav", MakePlop},
        {"praca.wav", MakeWhistle},
    };
    // The chat jokes, each saying what its trigger phrase asks for.
    static constexpr SpokenSound kSpoken[] = {
        {"haha.wav", {"Ha ha ha ha ha!", "en-us+m3", 72, 200}},
        {"hehe.wav", {"He he he he.", "en-us+m7", 80, 210}},
        {"ops.wav", {"Oops!", "en-us+f3", 60, 150}},
        {"ling01.wav", {"Analfabeto!", "pt-br+m1", 55, 150}},
        {"cake.wav", {"Piece of cake!", "en-us+m1", 45, 160}},
        {"birth.wav", {"Prepare to die!", "en-us+m6", 25, 140}},
        {"come.wav", {"Come on, hurry up!", "en-us+m3", 55, 190}},
        {"cool.wav", {"Cool!", "en-us+m2", 40, 130}},
        {"faceass.wav", {"Hey, ass face!", "en-us+m4", 50, 160}},
        {"king.wav", {"Hail to the king, baby!", "en-us+m1", 30, 150}},
        {"rock.wav", {"Let's rock!", "en-us+m2", 45, 160}},
        {"shake.wav", {"Shake it, baby!", "en-us+m3", 60, 160}},
    };
    for (const SynthesisedSound& s : kSynthesised) WriteWave(dir / s.name, s.make());
    SpeechSynthesizer speech;
    for (const SpokenSound& s : kSpoken) WriteWave(dir / s.name, speech.Speak(s.phrase));
}

void WriteSongs(const fs::path& dir) {
    for (int i = 0; i < kSongCount; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "%02d.mid", i);
        WriteSong(i, dir / name);
    }
}

void WriteIcons(const fs::path& dir, const std::vector<int>& sizes) {
    for (const int size : sizes) {
        const std::string pixels = std::to_string(size);
        const fs::path folder = dir / (pixels + "x" + pixels) / "apps";
        fs::create_directories(folder);
        MakeGameIcon(size).WritePng(folder / "ringdisk.png");
    }
}

}  // namespace

int main(int argc, char** argv) {
    const bool icons = argc >= 4 && std::string(argv[1]) == "--icons";
    std::vector<int> iconSizes;
    for (int i = 3; icons && i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        if (size < 1 || size > 1024) {
            std::fprintf(stderr, "assetgen: icon size %s is not 1 to 1024\n", argv[i]);
            return 2;
        }
        iconSizes.push_back(size);
    }
    if (argc != 2 && !icons) {
        std::fprintf(stderr, "usage: assetgen OUTPUT_DIR | assetgen --icons OUTPUT_DIR SIZE...\n");
        return 2;
    }
    try {
        const fs::path dir = argv[icons ? 2 : 1];
        fs::create_directories(dir);
        if (icons) {
            WriteIcons(dir, iconSizes);
            return 0;
        }
        WritePictures(dir);
        WriteMeshes(dir);
        WriteSounds(dir);
        WriteSongs(dir);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "assetgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
