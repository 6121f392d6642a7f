#include "base/debug_log.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "base/text_encoding.h"

namespace {

constexpr const char* kPath = "debug_log_test.log";

std::string ReadAll() {
    std::ifstream in(kPath, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool Exists() {
    FILE* f = std::fopen(kPath, "rb");
    if (f) std::fclose(f);
    return f != nullptr;
}

// The text written since the header.
std::string Body(const std::string& all) {
    const std::string credits_end = "\r\n\r\n";
    const size_t header_end = all.find(credits_end, all.find("VEX DirectX Library"));
    return all.substr(header_end + credits_end.size());
}

class DebugLogTest : public testing::Test {
protected:
    void SetUp() override { log.Create(kPath); }
    void TearDown() override { log.CloseAndDelete(); }
    DebugLog log;
};

}  // namespace

TEST_F(DebugLogTest, EveryKindOfLineIsWrittenAsWindowsTextWithCrLf) {
    log.ModuleStarting("VEX_Font");
    log.ReportOk();
    log.ModuleFinishing("VEX_Light");
    log.WriteWarning("Erro ao limpar lista de luzes.");
    log.ReportFailed();
    log.FileNotFound("x.tga");
    log.FileReadError("y.tga");
    log.FileLoaded("mesa1.tga");
    log.FileLoadedAt("disco.tga", -1);
    log.WriteError("falhou %d", 3);
    log.WriteDetail("Textura <%s>(%dx%d) criada.", "a.tga", 64, 32);
    log.WriteText("sem fim ");
    log.WriteLine("100%% <%s>", "50%d.tga");
    EXPECT_EQ(Body(ReadAll()),
              ToWindows1252("Iniciando VEX_Font: Ok.\r\n"
                            "Finalizando VEX_Light: AVISO: Erro ao limpar lista de luzes.\r\n"
                            "Erro.\r\n"
                            "AVISO: Arquivo <x.tga> não encontrado.\r\n"
                            "AVISO: Erro ao ler arquivo <y.tga>.\r\n"
                            "Arquivo <mesa1.tga> carregado com sucesso.\r\n"
                            "Arquivo <disco.tga> carregado com sucesso em index <-1>.\r\n"
                            "ERRO: falhou 3\r\n"
                            "Textura <a.tga>(64x32) criada.\r\n"
                            "sem fim 100% <50%d.tga>\r\n"));
}

TEST_F(DebugLogTest, HeaderComesFirst) {
    const std::string all = ReadAll();
    const std::string rule(50, '=');
    ASSERT_EQ(all.rfind(rule + "\r\ndebug.log criado em: ", 0), 0u) << all;
    const size_t stamp = all.find("em: ") + 4;
    EXPECT_EQ(all.substr(stamp + 24, 5), ".\r\n\r\n");
    EXPECT_NE(all.find("\r\n\r\nVEX DirectX Library vers\xE3o 1.0\r\n"), std::string::npos);
}

TEST_F(DebugLogTest, LongMessagesAreCutAt1023Characters) {
    const std::string longText(3000, 'a');
    log.WriteLine("%s", longText.c_str());
    EXPECT_EQ(Body(ReadAll()), std::string(1023, 'a') + "\r\n");
}

TEST_F(DebugLogTest, DisabledLogWritesNothing) {
    log.SetEnabled(false);
    log.WriteError("não");
    log.ReportOk();
    log.SetEnabled(true);
    log.ReportOk();
    EXPECT_EQ(Body(ReadAll()), "Ok.\r\n");
}

TEST_F(DebugLogTest, CloseAndDeleteRemovesTheFileAndSilencesTheRest) {
    log.WriteLine("linha");
    ASSERT_TRUE(Exists());
    log.CloseAndDelete();
    EXPECT_FALSE(Exists());
    EXPECT_FALSE(log.IsOpen());
    log.WriteWarning("depois");
    log.CloseAtUnload();
    EXPECT_FALSE(Exists());
}

TEST_F(DebugLogTest, ClosingAtUnloadKeepsTheFileWithItsClosingLines) {
    log.WriteLine("fim");
    log.CloseAtUnload();
    const std::string all = ReadAll();
    const std::string rule(50, '=');
    EXPECT_NE(all.find(ToWindows1252("fim\r\n\r\nEstatística do uso de memória:\r\n")),
              std::string::npos);
    const size_t closing = all.find("\r\n\r\ndebug.log encerrado em: ");
    ASSERT_NE(closing, std::string::npos);
    const size_t stamp = closing + std::string("\r\n\r\ndebug.log encerrado em: ").size();
    EXPECT_EQ(all.substr(stamp + 24), ".\r\n" + rule + "\r\n");
    std::remove(kPath);
}

TEST(DebugLog, AnEarlierLogIsEmptiedAndAnUncreatableOneIsSilent) {
    {
        std::ofstream old(kPath, std::ios::binary);
        old << "OLD RUN\r\n";
    }
    DebugLog log;
    log.Create(kPath);
    EXPECT_EQ(ReadAll().find("OLD RUN"), std::string::npos);
    log.CloseAndDelete();

    DebugLog nowhere;
    nowhere.Create("no/such/folder/debug.log");
    EXPECT_FALSE(nowhere.IsOpen());
    nowhere.WriteLine("nada");
    nowhere.CloseAndDelete();
}
