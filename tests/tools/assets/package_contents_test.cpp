// The package as a whole: every asset the scene loads, under the names it
// asks for, in a file of the right version and a reasonable size, built the
// same way every time.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "built_package.h"

namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kSceneAssets = {
    "mesa1.tga", "mesa2.tga", "logo.tga",  "bastao.tga",  "boom.tga",  "fonte01.tga",
    "spark.tga", "rojao.tga", "disco.tga", "fonte01.dat", "mesa.x",    "mesalow.x",
    "peao.x",    "peaolow.x", "bastao.x",  "base.x",      "hit.wav",   "colmesa.wav",
    "col.wav",   "gol.wav",   "repoe.wav", "c1.wav",      "e1.wav",    "e2.wav",
    "win.wav",   "lose.wav",  "draw.wav",  "haha.wav",    "hehe.wav",  "ops.wav",
    "kick.wav",  "initp.wav", "plop.wav",  "ling01.wav",  "praca.wav", "cake.wav",
    "birth.wav", "come.wav",  "cool.wav",  "faceass.wav", "king.wav",  "rock.wav",
    "shake.wav", "00.mid",    "01.mid",    "02.mid",      "03.mid",    "04.mid",
    "05.mid",    "06.mid",    "07.mid",    "08.mid",      "09.mid",    "10.mid",
    "11.mid"};

std::string FileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST(BuiltPackage, HoldsExactlyTheSceneAssetsUnderTheirNames) {
    ASSERT_EQ(BuiltPackageError(), "");
    EXPECT_EQ(PackageEntryNames(), kSceneAssets);
    for (const std::string& name : kSceneAssets)
        EXPECT_FALSE(PackageEntryBytes(name.c_str()).empty()) << name;
}

TEST(BuiltPackage, IsScrambledAndCompressedVersion103AndSmall) {
    const std::string bytes = FileBytes(RINGDISK_PACKAGE_PATH);
    ASSERT_GT(bytes.size(), 19u);
    EXPECT_EQ(bytes.substr(0, 12), "[VEXPKGFILE]");
    EXPECT_EQ(static_cast<unsigned char>(bytes[12]), 103);
    EXPECT_LT(bytes.size(), 8u * 1024 * 1024);
}

// A second run of the generator writes byte-identical files, so a rebuild
// on any machine ships the same package.
TEST(BuiltPackage, GeneratorWritesTheSameBytesEveryRun) {
    const fs::path scratch =
        fs::temp_directory_path() / ("assetgen_rerun_" + std::to_string(::getpid()));
    fs::remove_all(scratch);
    const std::string command = std::string(ASSETGEN_PATH) + " " + scratch.string();
    ASSERT_EQ(std::system(command.c_str()), 0);
    for (const std::string& name : kSceneAssets) {
        const std::string again = FileBytes(scratch / name);
        EXPECT_FALSE(again.empty()) << name;
        const std::vector<uint8_t> packed = PackageEntryBytes(name.c_str());
        EXPECT_TRUE(again == std::string(packed.begin(), packed.end()))
            << name << " differs between runs";
    }
    fs::remove_all(scratch);
}
