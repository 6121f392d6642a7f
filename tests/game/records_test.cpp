// The best-plays table: ranking, the file format and damaged files.
#include "game/records.h"

#include <filesystem>
#include <fstream>
#include <random>

#include "game/frame.h"
#include "tests/game/game_fixture.h"
#include "tests/game/scratch_folder.h"

namespace fs = std::filesystem;

namespace {

class RecordsTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        LoadBestPlays();  // no file yet: the defaults
    }
    void TearDown() override {
        LoadBestPlays((dir / "absent.dat").string().c_str());
        GameTest::TearDown();
    }
    // Ends a practice run with these figures and offers it to the table.
    int Enter(const char* name, int level, int seconds, int shots) {
        GameState& g = Game();
        g.playerName.Assign(name);
        g.practiceLevel = level;
        g.elapsedSeconds = seconds;
        g.shotsTaken = shots;
        EnterBestPlay(g);
        return g.newRecordRow;
    }
    std::string FileBytes() const { return ReadFile(file); }
    void WriteFile(const std::string& bytes) const {
        std::ofstream(file, std::ios::binary) << bytes;
    }
    static std::string Name(int row) { return BestPlayRow(row).name; }
    // A new best play is saved in the current folder.
    ScratchFolder folder{"records"};
    const fs::path dir = folder.path();
    const std::string file = kBestPlaysFile;
};

}  // namespace

TEST_F(RecordsTest, DefaultTableIsRankedBestFirst) {
    EXPECT_EQ(Name(0), "vex");
    EXPECT_EQ(BestPlayRow(0).level, 3);
    EXPECT_EQ(BestPlayRow(0).minutes, 12);
    EXPECT_EQ(BestPlayRow(0).seconds, 8);
    EXPECT_EQ(BestPlayRow(0).shots, 30);
    EXPECT_EQ(Name(9), "bill");
    EXPECT_EQ(BestPlayRow(9).level, 1);
}

TEST_F(RecordsTest, RankingByLevelThenTimeThenShotsWithTiesGoingAbove) {
    EXPECT_EQ(Enter("quick", 1, 3 * 60 + 11, 12), 9);  // beats "bill" on time
    EXPECT_EQ(Name(9), "quick");
    EXPECT_EQ(Enter("slow", 1, 3 * 60 + 13, 1), kNoRecordRow);
    EXPECT_EQ(Enter("tied", 2, 4 * 60 + 10, 5), 1);  // equal to "gordon": goes above
    EXPECT_EQ(Name(2), "gordon");
    EXPECT_EQ(Enter("moreshots", 2, 4 * 60 + 10, 6), 3);
    EXPECT_EQ(Enter("champion", 4, 3600 * 2 + 61, 99), 0);
    EXPECT_EQ(Name(1), "vex");
    EXPECT_EQ(BestPlayRow(0).hours, 2);
    EXPECT_EQ(BestPlayRow(0).minutes, 1);
    EXPECT_EQ(BestPlayRow(0).seconds, 1);
    EXPECT_EQ(BestPlayRow(0).level, 4);
    EXPECT_EQ(BestPlayRow(0).shots, 99);
}

TEST_F(RecordsTest, FileHoldsTenLengthPrefixedRecords) {
    ASSERT_EQ(Enter("abcdefghijklmnopqrst", 5, 3725, 258), 0);
    const std::string bytes = FileBytes();
    // 1 + 21 + 8 bytes for the 20-character name, then the nine others.
    std::string first(
        "\x14"
        "abcdefghijklmnopqrst",
        21);
    first += std::string("\0\x01\x02\x05\x05\x02\x01\x00\x00", 9);
    EXPECT_EQ(bytes.substr(0, 30), first);
    EXPECT_EQ(bytes.substr(30, 13), std::string("\x03vex\0\0\x0c\x08\x03\x1e\0\0\0", 13));
    size_t expected = 30;
    for (int row = 1; row < kBestPlayRows; ++row) expected += Name(row).size() + 10;
    EXPECT_EQ(bytes.size(), expected);

    LoadBestPlays(file.c_str());
    EXPECT_EQ(Name(0), "abcdefghijklmnopqrst");
    EXPECT_EQ(BestPlayRow(0).shots, 258);
    EXPECT_EQ(Name(1), "vex");
}

TEST_F(RecordsTest, LongAndMissingNamesAreCutOrEmpty) {
    const std::string longName(300, 'n');
    ASSERT_EQ(Enter(longName.c_str(), 6, 10, 1), 0);
    EXPECT_EQ(Name(0).size(), 127u);
    ASSERT_EQ(Enter(nullptr, 7, 10, 1), 0);
    EXPECT_EQ(Name(0), "");
    LoadBestPlays(file.c_str());
    EXPECT_EQ(Name(0), "");
    EXPECT_EQ(Name(1), std::string(127, 'n'));
}

TEST_F(RecordsTest, DamagedFilesKeepTheDefaultsFromTheFirstBadRecordOn) {
    Enter("keeper", 9, 10, 1);
    const std::string good = FileBytes();
    const std::string firstRecord = good.substr(0, 1 + 6 + 1 + 8);

    struct Case {
        const char* what;
        std::string bytes;
        const char* row0;
        const char* row1;
    };
    const Case cases[] = {
        {"empty", "", "vex", "gordon"},
        {"cut mid-record", good.substr(0, firstRecord.size() + 5), "keeper", "gordon"},
        {"negative length", firstRecord + std::string("\xF0zz\0", 4), "keeper", "gordon"},
        {"length past the end", std::string("\x7Fshort", 6), "vex", "gordon"},
        {"missing terminator",
         std::string("\x03"
                     "abcd"
                     "\x00\x01\x02\x03\x00\x00\x00\x00",
                     13),
         "vex", "gordon"},
    };
    for (const Case& c : cases) {
        WriteFile(c.bytes);
        LoadBestPlays(file.c_str());
        EXPECT_EQ(Name(0), c.row0) << c.what;
        EXPECT_EQ(Name(1), c.row1) << c.what;
        EXPECT_EQ(Name(9), "bill") << c.what;
    }

    std::mt19937 random(7);
    for (int i = 0; i < 300; ++i) {
        std::string noise(random() % 400, '\0');
        for (char& b : noise) b = static_cast<char>(random());
        WriteFile(noise);
        LoadBestPlays(file.c_str());
        for (int row = 0; row < kBestPlayRows; ++row) {
            ASSERT_NE(BestPlayRow(row).name, nullptr);
            ASSERT_LE(Name(row).size(), 127u);
        }
    }
    // Whatever was read, the next save writes a whole, valid table.
    ASSERT_TRUE(SaveBestPlays(file.c_str()));
    const std::string saved = FileBytes();
    LoadBestPlays(file.c_str());
    ASSERT_TRUE(SaveBestPlays(file.c_str()));
    EXPECT_EQ(FileBytes(), saved);
}

TEST_F(RecordsTest, UnwritableFileIsReportedAndTheTableKeepsTheRow) {
    const std::string blocked = (dir / "folder").string();
    fs::create_directory(blocked);
    EXPECT_FALSE(SaveBestPlays(blocked.c_str()));
    EXPECT_TRUE(fs::is_directory(blocked));
    EXPECT_FALSE(fs::exists(blocked + ".tmp"));
}

TEST_F(RecordsTest, ShowingTheTableBringsARunningGameBackToRest) {
    GameState& g = Game();
    g.mode = kModeMatch;
    g.points[0] = 4;
    ShowBestPlays(g);
    EXPECT_EQ(g.mode, kModeRecords);
    EXPECT_EQ(g.points[0], 0);
    EXPECT_EQ(g.discs[20].status, kStatusOnTable);  // the standard layout behind the table
    EXPECT_EQ(sound.tracks.back(), kIntroTrack);
}

TEST_F(RecordsTest, TheTableHandsTheScreenBackToTheIntroOnceItHasSlidOutAlsoWithNobodyLooking) {
    GameState& g = Game();
    ShowBestPlays(g);
    const FrameInput frame{.frameSeconds = 0.5f};
    // Twenty seconds standing and the second it takes to go: still shown.
    for (int i = 0; i < 42; ++i) RunGameFrame(g, frame, nullptr);
    EXPECT_EQ(g.mode, kModeRecords);
    EXPECT_FLOAT_EQ(g.recordsScreenSeconds, 21);
    RunGameFrame(g, frame, nullptr);
    EXPECT_EQ(g.mode, kModeIdle);
    // The intro then lets the screen's clock be.
    RunGameFrame(g, frame, nullptr);
    EXPECT_FLOAT_EQ(g.recordsScreenSeconds, 21.5f);
}
