// The position dump files.
#include "game/position_dump.h"

#include <filesystem>
#include <sstream>

#include "tests/game/game_fixture.h"
#include "tests/game/scratch_folder.h"

namespace fs = std::filesystem;

namespace {

class PositionDumpTest : public GameTest {
protected:
    ScratchFolder folder{"dump"};
};

}  // namespace

TEST_F(PositionDumpTest, WritesTwentyLinesNamedAfterTheSeatAndNumbersEachFile) {
    GameState g;
    g.localSeat = kSideGreen;
    g.discs[3].x = -12.5f;
    g.discs[20].x = 1.0f / 3.0f;
    g.discs[20].z = -31.75f;
    g.discs[0].x = 99.0f;  // the striker is not written
    ASSERT_TRUE(SavePositionDump(g));
    ASSERT_TRUE(SavePositionDump(g));
    const std::string text = ReadFile("dump_host_0.log");
    EXPECT_EQ(text, ReadFile("dump_host_1.log"));
    std::istringstream lines(text);
    std::string line;
    int count = 0;
    while (std::getline(lines, line)) ++count;
    EXPECT_EQ(count, 20);
    EXPECT_EQ(text.rfind("1 : 0.000000,0.000000\n", 0), 0u);
    EXPECT_NE(text.find("\n3 : -12.500000,0.000000\n"), std::string::npos);
    EXPECT_NE(text.find("\n20 : 0.333333,-31.750000\n"), std::string::npos);
    EXPECT_EQ(text.find("99.0"), std::string::npos);

    g.localSeat = kSideRed;
    EXPECT_EQ(DumpFileName(g), "dump_remote_2.log");
    g.localSeat = kSeatSpectator;
    EXPECT_EQ(DumpFileName(g), "dump_spec_2.log");
    g.localSeat = 7;  // unknown seats are dumped as spectators
    EXPECT_EQ(DumpFileName(g), "dump_spec_2.log");
}

TEST_F(PositionDumpTest, CounterIsASignedByteThatWraps) {
    GameState g;
    g.localSeat = kSideGreen;
    g.dumpCounter = 127;
    ASSERT_TRUE(SavePositionDump(g));
    EXPECT_TRUE(fs::exists("dump_host_127.log"));
    EXPECT_EQ(DumpFileName(g), "dump_host_-128.log");
}

TEST_F(PositionDumpTest, FileThatCannotBeCreatedIsReportedAndKeepsTheNumber) {
    GameState g;
    g.localSeat = kSideGreen;
    fs::create_directory("dump_host_0.log");  // a folder in the file's way
    EXPECT_FALSE(SavePositionDump(g));
    EXPECT_EQ(g.dumpCounter, 0);
}
