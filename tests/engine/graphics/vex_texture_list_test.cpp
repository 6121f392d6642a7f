// The texture list on the recording backend: loading with the loader
// settings, slot reuse, counted binding, texel packing for every format the
// list writes, managed uploads, and saving.
#include "engine/graphics/vex_texture_list.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "engine/services/vex_package.h"
#include "platform/gfx/gfx_formats.h"
#include "platform/gfx/jpeg_tables.h"
#include "tests/base/log_tail.h"
#include "tests/engine/graphics/graphics_fixture.h"
#include "tests/engine/services/test_packages.h"

using namespace gfx;

namespace {

// A w x h picture: red rising left to right, green top to bottom, opaque,
// with a magenta top-left texel.
std::vector<uint8_t> Gradient(int w, int h) {
    std::vector<uint8_t> rgba;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            rgba.insert(rgba.end(),
                        {uint8_t(x * 255 / (w - 1)), uint8_t(y * 255 / (h - 1)), 40, 255});
    rgba[0] = 255, rgba[1] = 0, rgba[2] = 255;
    return rgba;
}

// The bytes of an input the image fuzz target kept; its first byte is the
// target's settings byte, the rest the picture.
std::vector<char> FuzzCase(const char* name) {
    std::ifstream in(std::filesystem::path(RINGDISK_FUZZ_CASES) / "image" / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Writes the picture of a kept input as a file; false if the input is missing.
bool WriteFuzzedPicture(const char* name, const char* file) {
    const std::vector<char> fuzzed = FuzzCase(name);
    if (fuzzed.size() < 2) return false;
    std::ofstream(file, std::ios::binary)
        .write(fuzzed.data() + 1, std::streamsize(fuzzed.size() - 1));
    return true;
}

class TextureListTest : public RecordingTest {
protected:
    void SetUp() override {
        RecordingTest::SetUp();
        ASSERT_TRUE(WriteTga("grad.tga", 16, 8, Gradient(16, 8)));
    }
    VEX_TextureList& list = TextureList();
};

TEST_F(TextureListTest, LoadingTakesTheImageSizeAndTheSettingsAndLoadsAFileOnce) {
    LogTail log;
    list.SetMipLevels(2);
    const int16_t index = list.Load("grad.tga");
    ASSERT_EQ(index, 1);
    EXPECT_EQ(list.Load("grad.tga"), index);
    EXPECT_EQ(list.WidthOf(index), 16);
    EXPECT_EQ(list.HeightOf(index), 8);
    EXPECT_EQ(list.FormatOf(index), kFormatA8R8G8B8);
    EXPECT_EQ(list.TextureOf(index)->LevelCount(), 2u);
    EXPECT_FLOAT_EQ(list.EntryOf(index)->inverseWidth, 1.0f / 16);
    const std::string line =
        "Textura <grad.tga>(16x8 - A8R8G8B8 - 0KB) carregada com sucesso em index <1>.";
    EXPECT_TRUE(log.HasLine(line));
    const std::string text = log.Text();
    EXPECT_EQ(text.find("carregada"), text.rfind("carregada"));  // one line for two loads

    // A full chain of a 16 x 8 image goes down to 1 x 1.
    list.SetMipLevels(0);
    ASSERT_TRUE(WriteBmp("grad.bmp", 16, 8, Gradient(16, 8)));
    const int16_t bmp = list.Load("grad.bmp");
    ASSERT_EQ(bmp, 2);
    EXPECT_EQ(list.TextureOf(bmp)->LevelCount(), 5u);
    EXPECT_EQ(list.FormatOf(bmp), kFormatX8R8G8B8);  // no alpha in the file

    EXPECT_EQ(list.Load("missing.tga"), -1);
    EXPECT_TRUE(log.HasLine("AVISO: Arquivo <missing.tga> não encontrado."));
    WriteTextFile("broken.tga", "not an image");
    EXPECT_EQ(list.Load("broken.tga"), -1);
    EXPECT_TRUE(log.HasLine("AVISO: Erro inesperado ao carregar textura <broken.tga>."));
}

TEST_F(TextureListTest, ForcedFormatAndColourKeyTurnTheKeyTransparent) {
    list.SetFormat(kFormatA1R5G5B5);
    list.SetColorKey(0xFFFF00FF);
    const int16_t index = list.Load("grad.tga");
    ASSERT_GT(index, 0);
    EXPECT_EQ(list.FormatOf(index), kFormatA1R5G5B5);
    uint8_t r, g, b, a;
    list.GetTexel(0, 0, r, g, b, a, index);
    EXPECT_EQ(a, 0);
    EXPECT_EQ(r, 0);
    list.GetTexel(15, 7, r, g, b, a, index);
    EXPECT_EQ(a, 128);  // one alpha bit reads back as 128, never replicated
    EXPECT_EQ(r, 248);
    EXPECT_EQ(g, 248);
    EXPECT_EQ(b, 40);
}

TEST_F(TextureListTest, CreatingAnExistingNameFailsWhileLoadingItAnswersItsIndex) {
    const int16_t loaded = list.Load("grad.tga");
    EXPECT_EQ(list.Create("grad.tga", 4, 4), -1);
    EXPECT_EQ(list.Load("grad.tga"), loaded);
    LogTail log;
    const int16_t blank = list.Create("blank", 4, 2);
    EXPECT_GT(blank, loaded);
    EXPECT_TRUE(
        log.HasLine("Textura <blank>(4x2 - A8R8G8B8 - 0KB) criada com sucesso em index <2>."));
    EXPECT_EQ(list.Create("bad", 0, 4), -1);
    EXPECT_TRUE(log.HasLine("AVISO: Erro ao criar textura <bad>(0x4 - UNKNOWN)."));
}

TEST_F(TextureListTest, RemovedSlotsAreReusedFirstFreedFirst) {
    for (int i = 1; i <= 6; ++i) ASSERT_EQ(list.Create(("t" + std::to_string(i)).c_str(), 2, 2), i);
    list.Remove(3);
    list.Remove(5);
    EXPECT_EQ(list.Create("a", 2, 2), 3);
    EXPECT_EQ(list.Create("b", 2, 2), 5);
    EXPECT_EQ(list.Create("c", 2, 2), 7);
    EXPECT_EQ(list.FindIndex("b"), 5);
    EXPECT_EQ(list.FindIndex("t3"), -1);
    EXPECT_STREQ(list.FindEntry("nothing")->name.get(), "null");
}

TEST_F(TextureListTest, BindingSkipsTheDeviceWhenTheStageHoldsTheIndexAndCountsRealChanges) {
    for (int i = 1; i <= 5; ++i) list.Create(("t" + std::to_string(i)).c_str(), 2, 2);
    list.Bind(0, 0);
    device().ForgetCalls();
    const uint32_t before = Direct3D().stats().textureChanges.current;
    list.Bind(0, 2);
    list.Bind(0, 2);
    EXPECT_EQ(device().CountOf(Call::SetTexture), 1u);
    EXPECT_EQ(device().texture(0), list.TextureOf(2));
    // Slot 9 does not exist: entry 0, that is no texture.
    list.Bind(0, 9);
    EXPECT_EQ(device().texture(0), nullptr);
    EXPECT_EQ(list.boundIndex(0), 0);
    list.Bind(0, -3);
    list.Bind(2, 1);  // only stages 0 and 1 exist
    EXPECT_EQ(device().CountOf(Call::SetTexture), 2u);
    EXPECT_EQ(Direct3D().stats().textureChanges.current - before, 2u);

    // Removing a bound texture takes it off the stage.
    list.Bind(1, 4);
    list.Remove(4);
    EXPECT_EQ(device().texture(1), nullptr);
    list.Bind(1, 4);
    EXPECT_EQ(list.boundIndex(1), 0);
}

TEST_F(TextureListTest, ClearKeepingTheNullEntryStartsNewTexturesAtOne) {
    list.Create("x", 2, 2);
    list.Create("y", 2, 2);
    ASSERT_TRUE(list.Clear(false));
    EXPECT_STREQ(list.NameOf(0), "null");
    EXPECT_EQ(list.Create("z", 2, 2), 1);
}

struct PackingCase {
    Format format;
    uint32_t packed;  // of (r, g, b, a) = (200, 100, 50, 160)
    Texel unpacked;
};

TEST_F(TextureListTest, TexelsArePackedAndUnpackedForEveryWritableFormat) {
    const PackingCase cases[] = {
        {kFormatR3G3B2, 0xCC, {192, 96, 0, 255}},
        {kFormatA8R3G3B2, 0xA0CC, {192, 96, 0, 160}},
        {kFormatA4R4G4B4, 0xAC63, {192, 96, 48, 160}},
        {kFormatX4R4G4B4, 0xAC63, {192, 96, 48, 255}},
        {kFormatA1R5G5B5, 0xE586, {200, 96, 48, 128}},
        {kFormatX1R5G5B5, 0xE586, {200, 96, 48, 255}},
        {kFormatR5G6B5, 0xCB26, {200, 100, 48, 255}},
        {kFormatA8R8G8B8, 0xA0C86432, {200, 100, 50, 160}},
        {kFormatX8R8G8B8, 0xA0C86432, {200, 100, 50, 255}},
    };
    for (const PackingCase& c : cases) {
        SCOPED_TRACE(FormatName(c.format));
        list.SetFormat(c.format);
        const std::string name = std::string("texel_") + FormatName(c.format);
        const int16_t index = list.Create(name.c_str(), 4, 4);
        ASSERT_GT(index, 0);
        list.PutTexel(2, 3, 200, 100, 50, 160, index);
        ASSERT_TRUE(list.Lock(index, true));
        uint32_t stored = 0;
        const uint8_t bytes = FormatBits(c.format) / 8;
        std::memcpy(&stored,
                    list.TextureOf(index)->LevelBits(0) + 3 * list.TextureOf(index)->LevelPitch(0) +
                        2 * bytes,
                    bytes);
        list.Unlock();
        EXPECT_EQ(stored, c.packed);
        uint8_t r, g, b, a;
        list.GetTexel(2, 3, r, g, b, a, index);
        EXPECT_EQ(r, c.unpacked.r);
        EXPECT_EQ(g, c.unpacked.g);
        EXPECT_EQ(b, c.unpacked.b);
        EXPECT_EQ(a, c.unpacked.a);
    }
    EXPECT_EQ(UnpackTexel(kFormatA4R4G4B4, 0xFFFF).r, 240);  // a 4-bit 15 reads as 240
}

TEST_F(TextureListTest, TexelAccessClampsReadsIgnoresOutsideWritesAndUploadsOnUnlock) {
    list.SetFormat(kFormatA8R8G8B8);
    const int16_t index = list.Create("canvas", 8, 4);
    auto* texture = static_cast<RecordingTexture*>(list.TextureOf(index));
    const uint32_t uploads = texture->uploads();
    list.PutTexel(0, 3, 1, 2, 3, 4, index);
    EXPECT_EQ(texture->uploads(), uploads + 1);  // the managed copy went to the device
    uint8_t r, g, b, a;
    list.GetTexel(-4, 1000, r, g, b, a, index);
    EXPECT_EQ(r, 1);
    EXPECT_EQ(a, 4);
    EXPECT_EQ(texture->uploads(), uploads + 1);  // reading does not upload

    ASSERT_TRUE(list.Lock(index, false));
    list.PutTexel(8, 0, 9, 9, 9, 9, -1);
    list.PutTexel(-1, 0, 9, 9, 9, 9, -1);
    list.PutTexel(7, 0, 5, 6, 7, 8, -1);
    list.GetTexel(7, 0, r, g, b, a, -1);
    EXPECT_EQ(b, 7);
    list.Unlock();
    EXPECT_EQ(texture->uploads(), uploads + 2);
    list.GetTexel(0, 0, r, g, b, a, index);
    EXPECT_EQ(r, 0);  // the outside writes touched nothing

    // A read-only lock refuses writes.
    ASSERT_TRUE(list.Lock(index, true));
    list.PutTexel(1, 1, 50, 50, 50, 50, -1);
    list.GetTexel(1, 1, r, g, b, a, -1);
    EXPECT_EQ(r, 0);
    list.Unlock();
    EXPECT_FALSE(list.Lock(0, false));  // the null entry has no texture
}

TEST_F(TextureListTest, SaveWritesABmpThatReadsBack) {
    const int16_t index = list.Load("grad.tga");
    LogTail log;
    ASSERT_TRUE(list.Save(index, "saved.bmp"));
    EXPECT_TRUE(log.HasLine("Textura <grad.tga> salva com sucesso em <saved.bmp>."));
    const int16_t again = list.Load("saved.bmp");
    uint8_t r, g, b, a;
    list.GetTexel(15, 7, r, g, b, a, again);
    EXPECT_EQ(r, 255);
    EXPECT_EQ(g, 255);
    EXPECT_FALSE(list.Save(0, "null.bmp"));
    EXPECT_TRUE(log.HasLine("AVISO: Erro ao salvar textura <null> para arquivo <null.bmp>."));
}

TEST_F(TextureListTest, PackagesAreTheOnlySourceWhileRegistered) {
    std::ifstream in("grad.tga", std::ios::binary);
    const std::vector<uint8_t> tga((std::istreambuf_iterator<char>(in)),
                                   std::istreambuf_iterator<char>());
    ASSERT_EQ(WriteSamplePackage("images.vpf", 103,
                                 {{"grad.tga", tga}, {"copy.TGA", tga}, {"notes.txt", Bytes("x")}}),
              "");
    VEX_Package package;
    ASSERT_TRUE(package.Open("images.vpf", false));
    Resource().SetPackage(&package);
    // Names are lower-cased in the package; both images load.
    EXPECT_EQ(list.LoadAllFromPackage(), 2);
    EXPECT_GT(list.FindIndex("copy.tga"), 0);
    package.Close();
    // A closed package does not fall back to loose files.
    EXPECT_EQ(list.Load("grad.bmp"), -1);
    Resource().SetPackage(nullptr);
    EXPECT_EQ(list.LoadAllFromPackage(), -1);
}

// Eighteen bytes of TGA header claiming 16384 x 8192 texels decode (the
// missing pixels read as black) into half a gigabyte; a picture larger than
// the device takes is refused from its header, before anything is decoded
// or the device is asked.
TEST_F(TextureListTest, APictureLargerThanTheDeviceTakesIsRefusedFromItsHeader) {
    const std::vector<uint8_t> header = {0, 0, 2, 0,    0,    0,    0,    0,  0,
                                         0, 0, 0, 0x00, 0x40, 0x00, 0x20, 32, 8};
    std::ofstream("huge.tga", std::ios::binary)
        .write(reinterpret_cast<const char*>(header.data()), std::streamsize(header.size()));
    device().ForgetCalls();
    EXPECT_EQ(list.Load("huge.tga"), -1);
    EXPECT_EQ(device().CountOf(Call::CreateTexture), 0u);
    EXPECT_EQ(list.FindIndex("huge.tga"), -1);
    // A picture the device takes still loads from its file.
    EXPECT_GT(list.Load("grad.tga"), 0);
}

// What the image fuzz target found (behind its settings byte): a JPEG
// whose Huffman table counts add up to more than the 256 symbols a table
// holds, which the system's image codec writes past its table. It is
// refused before the codec sees it, and so is the smallest such file.
TEST_F(TextureListTest, AJpegWithAnOverfullHuffmanTableIsRefused) {
    ASSERT_TRUE(WriteFuzzedPicture("huffman_table_over_256_symbols.jpg.case", "fuzzed.jpg"));

    // Start of image, then one table: class 0, slot 0, sixteen counts of 17.
    std::vector<uint8_t> small = {0xFF, 0xD8, 0xFF, 0xC4, 0x00, 19, 0x00};
    small.insert(small.end(), 16, 17);
    small.insert(small.end(), 272, 0);
    std::ofstream("overfull.jpg", std::ios::binary)
        .write(reinterpret_cast<const char*>(small.data()), std::streamsize(small.size()));

    // The second find: the same table behind 0xFF fill bytes before the
    // start of the image, which the codec skips.
    const std::vector<char> filled = FuzzCase("fill_bytes_before_the_start_of_image.jpg.case");
    ASSERT_GT(filled.size(), 3u);
    EXPECT_FALSE(JpegHuffmanTablesFit(reinterpret_cast<const uint8_t*>(filled.data()) + 1,
                                      filled.size() - 1));

    EXPECT_EQ(list.Load("fuzzed.jpg"), -1);
    EXPECT_EQ(list.Load("overfull.jpg"), -1);
    EXPECT_FALSE(JpegHuffmanTablesFit(small.data(), small.size()));
    small[7] = 1;  // 1 + 15 x 17 = 256 symbols: a full table, and allowed
    EXPECT_TRUE(JpegHuffmanTablesFit(small.data(), small.size()));
}

// What the image fuzz target found next: a 32 x 32 JPEG whose damaged
// entropy-coded data runs into a marker among fill bytes before the decoder
// has the bits it wants. The codec's bit reader then shifts a zero past the
// width, which the sanitized build leaves unchecked in that one function
// (cmake/stb_jpeg_ubsan_ignore.txt); nothing else in the decoding may be
// undefined or touch memory it does not own, and the picture is refused
// without a texture made for it.
TEST_F(TextureListTest, AJpegWhoseDataRunsIntoAMarkerIsRefused) {
    ASSERT_TRUE(WriteFuzzedPicture("entropy_data_running_into_a_marker.jpg.case", "marker.jpg"));
    device().ForgetCalls();
    EXPECT_EQ(list.Load("marker.jpg"), -1);
    EXPECT_EQ(device().CountOf(Call::CreateTexture), 0u);
    EXPECT_EQ(list.FindIndex("marker.jpg"), -1);
}

TEST_F(TextureListTest, NothingLoadsWithoutADevice) {
    Direct3D().UseSystem(std::make_unique<RecordingSystem>());
    EXPECT_EQ(list.Load("grad.tga"), -1);
    EXPECT_EQ(list.Create("late", 2, 2), -1);
}

}  // namespace
