#include "engine/services/vex_package.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "test_packages.h"
#include "tests/base/log_tail.h"

namespace {

std::vector<uint8_t> LoadedBytes(const VEX_Package& package) {
    return std::vector<uint8_t>(package.data(), package.data() + package.size());
}

void AppendU32(std::string& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>(v >> (8 * i)));
}

// A package header with the given fields and nothing behind it.
std::string RawHeader(const char* magic, int version, int16_t count, uint32_t headerEnd) {
    std::string out(magic, 12);
    out.push_back(static_cast<char>(version));
    out.push_back(static_cast<char>(count & 0xFF));
    out.push_back(static_cast<char>((count >> 8) & 0xFF));
    AppendU32(out, headerEnd);
    return out;
}

class PackageTest : public testing::Test {
protected:
    void TearDown() override {
        package_.reset();
        EXPECT_EQ(Tracker().Counters().blocksInUse, before_.blocksInUse);
        EXPECT_EQ(Tracker().Counters().bytesInUse, before_.bytesInUse);
    }
    MemoryCounters before_ = Tracker().Counters();  // taken before the package exists
    std::unique_ptr<VEX_Package> package_ = std::make_unique<VEX_Package>();
};

}  // namespace

class PackageRoundTrip : public PackageTest, public testing::WithParamInterface<int> {};

TEST_P(PackageRoundTrip, EveryEntryReadsBackAsWritten) {
    const int version = GetParam();
    const std::string path = "roundtrip_" + std::to_string(version) + ".vpf";
    ASSERT_EQ(WriteSamplePackage(path, version), "");
    const std::vector<PackageSource> sources = SampleEntries();

    LogTail log;
    ASSERT_TRUE(package_->Open(path.c_str(), false));
    EXPECT_TRUE(log.HasLine("Arquivo <" + path + "> carregado com sucesso."));
    ASSERT_EQ(package_->GetCount(), static_cast<int16_t>(sources.size()));
    EXPECT_STREQ(package_->GetEntryName(0), "mesa1.tga");
    EXPECT_EQ(package_->GetEntryName(5), nullptr);

    // Names are lower-cased in the table and compared exactly; the first of
    // two equal names wins.
    EXPECT_EQ(package_->FindByName("mesa1.tga", true), 0);
    EXPECT_EQ(package_->FindByName("Mesa1.TGA", true), -1);
    EXPECT_TRUE(log.HasLine("AVISO: Arquivo <Mesa1.TGA> não encontrado no pacote <" + path + ">."));

    for (int16_t i = 0; i < package_->GetCount(); ++i) {
        const std::vector<uint8_t>& want = sources[static_cast<size_t>(i)].bytes;
        if (want.empty()) continue;
        EXPECT_EQ(package_->ReadEntry(i, false), want.size()) << i;
        EXPECT_EQ(LoadedBytes(*package_), want) << i;

        TrackedBytes mine;
        EXPECT_EQ(package_->ReadEntryInto(i, mine, false), want.size());
        ASSERT_NE(mine, nullptr);
        EXPECT_EQ(std::vector<uint8_t>(mine.get(), mine.get() + want.size()), want);
        EXPECT_EQ(package_->ReadEntryInto(i, mine, true), 0u);  // holds a buffer already
    }
    EXPECT_EQ(package_->size(), sources[4].bytes.size());  // Into left the own buffer alone

    // An empty entry exists in the table but has nothing to read.
    EXPECT_EQ(package_->FindByName("empty.bin", false), 3);
    EXPECT_EQ(package_->GetEntry(3)->unpackedSize, 0u);
    LogTail emptyRead;
    EXPECT_EQ(package_->ReadEntry(3, true), 0u);
    EXPECT_TRUE(emptyRead.HasLine("AVISO: Erro ao ler dados."));
    EXPECT_TRUE(emptyRead.HasLine("AVISO: Erro ao ler dados referentes ao índice <3> do pacote <" +
                                  path + ">."));
}

INSTANTIATE_TEST_SUITE_P(AllVersions, PackageRoundTrip, testing::Values(100, 101, 102, 103));

TEST_F(PackageTest, CompressionOnlyWhereItPaysAndTheListingShowsIt) {
    ASSERT_EQ(WriteSamplePackage("listing.vpf", 103), "");
    LogTail log;
    ASSERT_TRUE(package_->Open("listing.vpf", true));
    const PackageEntry* table = package_->GetEntry(0);
    const PackageEntry* noise = package_->GetEntry(1);
    EXPECT_LT(table->storedSize, table->unpackedSize);
    EXPECT_EQ(noise->storedSize, noise->unpackedSize);
    EXPECT_EQ(noise->offset, table->offset + table->storedSize);

    EXPECT_TRUE(log.HasLine(" Versão: 103 "));
    EXPECT_TRUE(log.HasLine(" Numero de arquivos no pacote: 5 "));
    EXPECT_TRUE(log.HasLine(" Fim do hearder: " + std::to_string(table->offset) + " "));
    EXPECT_TRUE(log.HasLine(" Listagem dos arquivo no pacote:"));
    EXPECT_TRUE(log.HasLine(
        "   #0 Arquivo: mesa1.tga - Tamanho/Posição: " + std::to_string(table->unpackedSize) +
        " / " + std::to_string(table->offset) +
        " [comprimido:" + std::to_string(table->storedSize) + "]"));
    EXPECT_TRUE(log.HasLine("   #1 Arquivo: hit.wav - Tamanho/Posição: 3001 / " +
                            std::to_string(noise->offset) + " [não comprimido]"));

    ASSERT_EQ(WriteSamplePackage("listing100.vpf", 100), "");
    LogTail old;
    ASSERT_TRUE(package_->Open("listing100.vpf", true));
    EXPECT_TRUE(old.HasLine("   #2 Arquivo: fonte.dat - Tamanho/Posição: 10 / " +
                            std::to_string(package_->GetEntry(2)->offset) + " "));
}

// A package laid out by hand, as another tool would write it: one entry
// deflated at zlib's default level and scrambled with the key bytes spelled
// out here, one raw entry whose key position starts again at 0.
TEST_F(PackageTest, OpensPackagesWrittenByOtherTools) {
    const std::string text(500, 'q');
    uLongf packedSize = compressBound(text.size());
    std::string packed(packedSize, '\0');
    ASSERT_EQ(compress(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
                       reinterpret_cast<const Bytef*>(text.data()), text.size()),
              Z_OK);
    packed.resize(packedSize);
    std::string raw = "RAW!";
    const uint8_t key[4] = {0x5C + 10, 0x21 + 10, 0x93 + 10, 0x7A + 10};
    for (size_t i = 0; i < packed.size(); ++i)
        packed[i] = static_cast<char>(packed[i] ^ key[i % 4]);
    for (size_t i = 0; i < raw.size(); ++i) raw[i] = static_cast<char>(raw[i] ^ key[i % 4]);

    std::string table;
    AppendU32(table, 500);
    AppendU32(table, static_cast<uint32_t>(packed.size()));
    table += '\x05';
    table += "A.TXT";
    AppendU32(table, 4);
    AppendU32(table, 4);
    table += '\x01';
    table += "b";
    const std::string file =
        RawHeader("[VEXPKGFILE]", 103, 2, static_cast<uint32_t>(19 + table.size())) + table +
        packed + raw;
    WriteFileBytes("foreign.vpf", file);

    ASSERT_TRUE(package_->Open("foreign.vpf", false));
    EXPECT_EQ(package_->ReadEntry(package_->FindByName("a.txt", false), false), 500u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(package_->data()), 500), text);
    EXPECT_EQ(package_->ReadEntry(1, false), 4u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(package_->data()), 4), "RAW!");
}

struct RefusedOpen {
    const char* label;
    std::string bytes;
    std::string warning;  // %s stands for the path
};

TEST_F(PackageTest, EveryOpenCheckRefusesWithItsOwnWarning) {
    std::string good;
    std::string error;
    ASSERT_TRUE(BuildPackage(102, {{"a", Bytes("xyz")}}, good, error));
    const std::string corrupt = "AVISO: Pacote <%s> parece estar corrompido.";
    const std::vector<RefusedOpen> cases = {
        {"magic", "[VEXPKGFILX]" + good.substr(12),
         "AVISO: Arquivo <%s> não reconhecido como VEX Package File."},
        {"short magic", "[VEXPKG", "AVISO: Arquivo <%s> não reconhecido como VEX Package File."},
        {"version 99", RawHeader("[VEXPKGFILE]", 99, 1, 19),
         "AVISO: Versão de pacote incompatível; versão encontrada <99>."},
        {"version 104", RawHeader("[VEXPKGFILE]", 104, 1, 19),
         "AVISO: Versão de pacote incompatível; versão encontrada <104>."},
        {"count 0", RawHeader("[VEXPKGFILE]", 100, 0, 19),
         "AVISO: Número de arquivos <0> inválido no VEX Package File <%s>."},
        {"count 4097", RawHeader("[VEXPKGFILE]", 100, 4097, 19),
         "AVISO: Número de arquivos <4097> inválido no VEX Package File <%s>."},
        {"negative count", RawHeader("[VEXPKGFILE]", 100, -3, 19),
         "AVISO: Número de arquivos <-3> inválido no VEX Package File <%s>."},
        {"one byte more", good + "!", corrupt},
        {"one byte less", good.substr(0, good.size() - 1), corrupt},
        {"table cut short", good.substr(0, 24), corrupt},
        {"header cut short", good.substr(0, 15), corrupt},
    };
    const MemoryCounters closed = Tracker().Counters();  // the package object alone
    for (const RefusedOpen& c : cases) {
        const std::string path =
            std::string("refused_") + std::to_string(&c - cases.data()) + ".vpf";
        WriteFileBytes(path, c.bytes);
        std::string warning = c.warning;
        if (const size_t at = warning.find("%s"); at != std::string::npos)
            warning.replace(at, 2, path);
        LogTail log;
        EXPECT_FALSE(package_->Open(path.c_str(), true)) << c.label;
        EXPECT_TRUE(log.HasLine(warning)) << c.label << "\n" << log.Text();
        EXPECT_FALSE(package_->IsOpen(false)) << c.label;
        EXPECT_EQ(package_->GetCount(), 0) << c.label;
        EXPECT_EQ(Tracker().Counters().blocksInUse, closed.blocksInUse) << c.label;
        EXPECT_EQ(Tracker().Counters().bytesInUse, closed.bytesInUse) << c.label;
    }

    LogTail missing;
    EXPECT_FALSE(package_->Open("nope.vpf", false));
    EXPECT_TRUE(missing.HasLine("AVISO: Arquivo <nope.vpf> não encontrado."));
}

TEST_F(PackageTest, TheLargestTableIsAccepted) {
    std::vector<PackageSource> entries(4096);
    for (size_t i = 0; i < entries.size(); ++i) entries[i] = {"e" + std::to_string(i), Bytes("z")};
    ASSERT_EQ(WriteSamplePackage("full.vpf", 100, entries), "");
    ASSERT_TRUE(package_->Open("full.vpf", false));
    EXPECT_EQ(package_->FindByName("e4095", false), 4095);
    EXPECT_EQ(package_->ReadEntry(4095, false), 1u);
}

TEST_F(PackageTest, AFailedReadLeavesThePackageUsable) {
    ASSERT_EQ(WriteSamplePackage("damaged.vpf", 102), "");
    ASSERT_TRUE(package_->Open("damaged.vpf", false));
    const PackageEntry table = {nullptr, package_->GetEntry(0)->storedSize,
                                package_->GetEntry(0)->unpackedSize, package_->GetEntry(0)->offset};
    package_->Close();
    // Spoil the deflated stream in the middle of the first entry.
    FILE* f = std::fopen("damaged.vpf", "r+b");
    ASSERT_NE(f, nullptr);
    std::fseek(f, static_cast<long>(table.offset + table.storedSize / 2), SEEK_SET);
    std::fputc(0xFF, f);
    std::fputc(0x00, f);
    std::fputc(0xFF, f);
    std::fclose(f);

    ASSERT_TRUE(package_->Open("damaged.vpf", false));
    LogTail log;
    EXPECT_EQ(package_->ReadEntry(0, true), 0u);
    EXPECT_TRUE(log.HasLine("AVISO: Erro ao descomprimir dados."));
    EXPECT_EQ(package_->ReadEntry(2, true), 10u);
    EXPECT_TRUE(
        log.HasLine("Dados referentes ao índice <2> do pacote <damaged.vpf> carregados com "
                    "sucesso."));
    LogTail badIndex;
    EXPECT_EQ(package_->ReadEntry(9, true), 0u);
    EXPECT_EQ(package_->ReadEntry(-1, false), 0u);
    EXPECT_TRUE(badIndex.HasLine("AVISO: Índice <9> inválido para o pacote <damaged.vpf>."));
    EXPECT_EQ(badIndex.Text().find("<-1>"), std::string::npos);
}

TEST_F(PackageTest, AClosedPackageAnswersNoAndSaysSo) {
    LogTail log;
    EXPECT_FALSE(package_->IsOpen(true, "mesa1.tga"));
    EXPECT_FALSE(package_->IsOpen(true));
    EXPECT_EQ(package_->FindByName("mesa1.tga", true), -1);
    EXPECT_EQ(package_->ReadEntry(0, false), 0u);
    TrackedBytes target;
    EXPECT_EQ(package_->ReadEntryInto(0, target, false), 0u);
    EXPECT_TRUE(package_->Close());
    EXPECT_TRUE(log.HasLine("AVISO: Pacote não está aberto para <mesa1.tga>."));
    EXPECT_TRUE(log.HasLine("AVISO: Pacote não está aberto."));
    EXPECT_TRUE(log.HasLine("AVISO: Nenhum pacote aberto para ler índice <0>."));
    EXPECT_TRUE(log.HasLine("AVISO: O pacote não está aberto para ler índice <0>."));
    EXPECT_EQ(log.Text().find("mesa1.tga> não encontrado no pacote"), std::string::npos);

    LogTail finish;
    package_.reset();
    EXPECT_EQ(finish.Text(), "Finalizando VEX_Package: Ok.\r\n");
}

TEST_F(PackageTest, CursorReadsStopAtTheEndOfTheData) {
    std::vector<uint8_t> data = {0x7F, 0x34, 0x12, 0x78, 0x56, 0x34, 0x12};
    const float one = 1.0f;
    uint8_t floatBytes[4];
    std::memcpy(floatBytes, &one, 4);
    data.insert(data.end(), floatBytes, floatBytes + 4);
    data.insert(data.end(), {'a', 'b', 'c', 0x01, 0x02, 0x03});
    ASSERT_EQ(WriteSamplePackage("cursor.vpf", 103, {{"d", data}}), "");
    ASSERT_TRUE(package_->Open("cursor.vpf", false));
    ASSERT_EQ(package_->ReadEntry(0, false), data.size());

    EXPECT_EQ(package_->ReadByte(), 0x7F);
    EXPECT_EQ(package_->ReadShort(), 0x1234);
    EXPECT_EQ(package_->ReadInt(), 0x12345678);
    EXPECT_EQ(package_->ReadFloat(), 1.0f);
    char text[4] = {};
    EXPECT_TRUE(package_->ReadBytes(3, text));
    EXPECT_STREQ(text, "abc");

    LogTail log;
    EXPECT_EQ(package_->ReadInt(), 0);  // three bytes left
    EXPECT_TRUE(log.HasLine(
        "AVISO: Tentativa de leitura fora do intervalo de dados no arquivo <cursor.vpf>."));
    EXPECT_EQ(package_->cursor(), data.size() - 3);
    char target[8] = {'x', 'x'};
    EXPECT_FALSE(package_->ReadBytes(4, target));
    EXPECT_EQ(target[0], 0);
    EXPECT_EQ(package_->ReadShort(), 0x0201);

    EXPECT_FALSE(package_->SetCursor(static_cast<uint32_t>(data.size())));
    EXPECT_TRUE(package_->SetCursor(1));
    EXPECT_EQ(package_->ReadShort(), 0x1234);
    package_->ReleaseData();
    EXPECT_EQ(package_->size(), 0u);
    EXPECT_EQ(package_->ReadByte(), 0);
}
