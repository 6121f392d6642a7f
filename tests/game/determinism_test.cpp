// Same seed, same shots, same table: in this process, in other processes, and
// against the fingerprint pinned when the physics was written. A change of
// compiler, flags or platform that alters a single bit of the table fails here.
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "tests/game/game_fixture.h"
#include "tests/game/scratch_folder.h"
#include "vexlib/exports.h"

namespace fs = std::filesystem;

namespace {

struct Shot {
    float x, z, force, angle;
};

// Breaks, cuts and soft shots from both lines, several with many impacts.
const Shot kShots[] = {
    {0.0f, 21.5f, 10.0f, 0.0f},    {0.0f, -21.5f, 10.0f, 0.0f},  {-8.0f, 21.5f, 8.0f, 0.2f},
    {8.0f, -21.5f, 8.0f, -0.2f},   {12.0f, 21.5f, 9.0f, -0.3f},  {-12.0f, -21.5f, 9.0f, 0.3f},
    {-17.5f, 22.0f, 6.5f, 0.45f},  {15.25f, -20.0f, 3.0f, 1.1f}, {3.0f, 23.0f, 10.0f, -1.25f},
    {-3.0f, -23.0f, 10.0f, 1.25f}, {5.5f, 21.0f, 7.75f, 0.05f},  {-5.5f, -21.0f, 7.75f, -0.05f},
};
constexpr int kSeed = 424242;
constexpr uint64_t kGoldenFingerprint = 0xeffd179e75bd8efbULL;

// Everything of the table, velocities included, from the state itself. The
// start value is the one the golden fingerprint was pinned with.
uint64_t Fingerprint(const GameState& g) {
    uint64_t h = 1469598103934665603ULL;
    for (const Disc& d : g.discs) {
        const float values[4] = {d.x, d.z, d.vx, d.vz};
        table_probe::Mix(h, values);
        table_probe::Mix(h, d.color);
        table_probe::Mix(h, d.status);
    }
    table_probe::Mix(h, g.points);
    table_probe::Mix(h, g.currentPlayer);
    return h;
}

void PlayShotsThroughExports() {
    IniciaPartida(1, kSeed);
    for (const Shot& s : kShots) {
        SetPlayer_Host(GetPlayer_Atual());
        DispararTiro(s.x, s.z, s.force, s.angle);
        table_probe::RunShotToRest();
    }
    SetPlayer_Host(0);
}

class DeterminismTest : public GameTest {
protected:
    ScratchFolder folder{"determinism", ScratchFolder::kStayOutside};
    const fs::path dir = folder.path();
};

}  // namespace

TEST_F(DeterminismTest, GoldenTableFingerprint) {
    PlayShotsThroughExports();
    const uint64_t first = Fingerprint(Game());
    PlayShotsThroughExports();
    EXPECT_EQ(Fingerprint(Game()), first);
    EXPECT_EQ(first, kGoldenFingerprint) << std::hex << "fingerprint 0x" << first;
}

TEST_F(DeterminismTest, SeparateProcessesWriteIdenticalDumps) {
    {
        std::ofstream shots(dir / "shots.txt");
        shots.precision(9);
        for (const Shot& s : kShots)
            shots << s.x << ' ' << s.z << ' ' << s.force << ' ' << s.angle << '\n';
    }
    for (const char* run : {"a", "b"}) {
        fs::create_directories(dir / run);
        const std::string command = "cd '" + (dir / run).string() + "' && '" SHOTREPLAY_PATH "' " +
                                    std::to_string(kSeed) + " ../shots.txt > replay.txt";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    const std::string a = ReadFile(dir / "a" / "dump_host_0.log");
    ASSERT_EQ(a.size() > 0, true);
    EXPECT_EQ(a, ReadFile(dir / "b" / "dump_host_0.log"));

    // This process, playing the same shots, dumps the same table.
    PlayShotsThroughExports();
    const fs::path previous = fs::current_path();
    fs::current_path(dir);
    SalvaDump();
    fs::current_path(previous);
    EXPECT_EQ(ReadFile(dir / "dump_host_0.log"), a);
}
