// Loads libvexlib.so into a fresh process in an empty folder, the way the
// game program does, and reads the debug.log it leaves behind.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <regex>
#include <string>
#include <vector>

namespace {

enum class Ending { kUnload, kExitWithoutFinishing };

// Runs a child that changes into folder, loads the library, allocates on
// its own for a while, and ends as asked; answers the child's exit status.
int RunChild(const std::string& folder, Ending ending, bool hostAllocates) {
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(folder.c_str()) != 0) _exit(10);
        void* library = dlopen(VEXLIB_PATH, RTLD_NOW | RTLD_LOCAL);
        if (!library) _exit(11);
        if (hostAllocates) {
            std::vector<std::unique_ptr<std::string>> texts;
            for (int i = 0; i < 200; ++i) texts.push_back(std::make_unique<std::string>(300, 'h'));
            std::free(std::malloc(4096));
        }
        if (ending == Ending::kUnload) {
            if (dlclose(library) != 0) _exit(12);
            _exit(0);
        }
        std::exit(0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<std::string> LogLines(const std::string& folder) {
    std::ifstream in(folder + "/debug.log", std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back("UNTERMINATED:" + text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::string FreshFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vexlib_load_XXXXXX").string();
    return mkdtemp(pattern.data()) ? pattern : "";
}

const std::string kRule(50, '=');
const std::regex kTimeStamp("[A-Z][a-z]{2} [A-Z][a-z]{2} [ 0-9]\\d \\d\\d:\\d\\d:\\d\\d \\d{4}");

// The lines from the start of the log to the last module start.
void ExpectHeaderAndModuleStarts(const std::vector<std::string>& lines) {
    ASSERT_GE(lines.size(), 15u);
    EXPECT_EQ(lines[0], kRule);
    std::smatch m;
    const std::string created = lines[1];
    ASSERT_EQ(created.rfind("debug.log criado em: ", 0), 0u) << created;
    EXPECT_TRUE(std::regex_match(created.substr(21, 24), kTimeStamp)) << created;
    EXPECT_EQ(created.substr(45), ".");
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], "VEX DirectX Library vers\xE3o 1.0");
    for (int credit = 4; credit <= 6; ++credit) EXPECT_FALSE(lines[credit].empty());
    EXPECT_EQ(lines[7], "");
    const std::vector<std::string> starts = {
        "Iniciando VEX_Resource: Ok.",    "Iniciando VEX_Direct3D: Ok.", "Iniciando VEX_Input: Ok.",
        "Iniciando VEX_TextureList: Ok.", "Iniciando VEX_Sprite: Ok.",   "Iniciando VEX_Font: Ok.",
    };
    for (size_t i = 0; i < starts.size(); ++i) EXPECT_EQ(lines[8 + i], starts[i]);
}

// The lines from the first module finish to the end of the log.
void ExpectFinishesAndClosing(const std::vector<std::string>& lines) {
    const std::vector<std::string> finishes = {
        "Finalizando VEX_SFX: Ok.",         "Finalizando VEX_Audio: Ok.",
        "Finalizando VEX_Font: Ok.",        "Finalizando VEX_Sprite: Ok.",
        "Finalizando VEX_TextureList: Ok.", "Finalizando VEX_GDIFont: Ok.",
        "Finalizando VEX_Light: Ok.",       "Finalizando VEX_Input: Ok.",
        "Finalizando VEX_Direct3D: Ok.",    "Finalizando VEX_Resource: Ok.",
    };
    ASSERT_EQ(lines.size(), 14 + finishes.size() + 8);
    for (size_t i = 0; i < finishes.size(); ++i) EXPECT_EQ(lines[14 + i], finishes[i]);
    const size_t s = 14 + finishes.size();
    EXPECT_EQ(lines[s], "");
    EXPECT_EQ(lines[s + 1], "Estat\xEDstica do uso de mem\xF3ria:");
    EXPECT_TRUE(std::regex_match(
        lines[s + 2],
        std::regex(" \\* Total de mem\xF3ria alocada: \\d+KB \\([1-9]\\d* bytes\\) em "
                   "[1-9]\\d* blocos\\.")))
        << lines[s + 2];
    EXPECT_TRUE(std::regex_match(
        lines[s + 3], std::regex(" \\* Pico de uso de mem\xF3ria\\.\\.: \\d+KB \\(\\d+ bytes\\) em "
                                 "\\d+ blocos\\.")));
    // Everything the engine took it gave back, and the host's own
    // allocations never showed up here at all.
    EXPECT_EQ(lines[s + 4], " * Mem\xF3ria em uso..........: 0KB (0 bytes) em 0 blocos.");
    EXPECT_EQ(lines[s + 5], "");
    ASSERT_EQ(lines[s + 6].rfind("debug.log encerrado em: ", 0), 0u);
    EXPECT_TRUE(std::regex_match(lines[s + 6].substr(24, 24), kTimeStamp)) << lines[s + 6];
    EXPECT_EQ(lines[s + 6].substr(48), ".");
    EXPECT_EQ(lines[s + 7], kRule);
}

// The whole log of a child that ends this way, from its header to its
// closing block.
void ExpectWholeLog(Ending ending, bool hostAllocates) {
    const std::string folder = FreshFolder();
    ASSERT_FALSE(folder.empty());
    ASSERT_EQ(RunChild(folder, ending, hostAllocates), 0);
    const std::vector<std::string> lines = LogLines(folder);
    ExpectHeaderAndModuleStarts(lines);
    ExpectFinishesAndClosing(lines);
    std::filesystem::remove_all(folder);
}

}  // namespace

TEST(LibraryLoad, LogShowsHeaderModulesAndClosingWhenUnloaded) {
    ExpectWholeLog(Ending::kUnload, false);
}

TEST(LibraryLoad, AProcessEndingWithoutFinishingLeavesTheClosingBlock) {
    ExpectWholeLog(Ending::kExitWithoutFinishing, true);
}

TEST(LibraryLoad, TheHostsAllocationsAreNotCounted) {
    const std::string quiet = FreshFolder(), busy = FreshFolder();
    ASSERT_EQ(RunChild(quiet, Ending::kUnload, false), 0);
    ASSERT_EQ(RunChild(busy, Ending::kUnload, true), 0);
    const std::vector<std::string> a = LogLines(quiet), b = LogLines(busy);
    ASSERT_EQ(a.size(), b.size());
    const size_t total = a.size() - 6;  // the "Total de memória alocada" line
    EXPECT_EQ(a[total], b[total]);
    std::filesystem::remove_all(quiet);
    std::filesystem::remove_all(busy);
}
