// Seeds for the replay target: a watched match with every kind of event, a
// match abandoned mid-shot and a practice run with and without its seed, as
// the recorders write them.
//
//   replay_seeds FOLDER
#include <QDir>
#include <QFile>
#include <cstdio>

#include "frontend/replay/replay_format.h"
#include "fuzz/seeds/seed_folder.h"

namespace {

bool Write(const QString& folder, const char* name, const replay::Replay& r) {
    QFile file(QDir(folder).filePath(QString::fromLatin1(name)));
    return file.open(QIODevice::WriteOnly) && file.write(replay::EncodeReplay(r)) > 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::optional<std::filesystem::path> place = SeedFolder(argc, argv);
    if (!place) return 2;
    const QString folder = QString::fromLocal8Bit(place->c_str());
    using namespace replay;

    wire::Sync sync;
    for (size_t i = 0; i < sync.positions.size(); ++i)
        sync.positions[i] = static_cast<float>(i % 9) * 3.5f - 14.0f;
    sync.side = 1;
    Replay watched;
    watched.header = {QStringLiteral("v1.1"), 1765280000,       Mode::Match, Seat::Watching, 2,
                      512,                    QStringLiteral("Ana"), QStringLiteral("Jo\u00e3o")};
    watched.events = {{0, wire::Shot{0.0f, 21.5f, 10.0f, 0.0f}},
                      {130, PassTurn{}},
                      {131, wire::Shot{4.0f, -21.5f, 9.0f, 0.25f}},
                      {290, sync},
                      {400, End{false, 1}}};
    watched.fingerprint = 0x5eed5eed5eed5eedULL;

    Replay abandoned = watched;
    abandoned.header.mode = Mode::Computer;
    abandoned.header.seat = Seat::Green;
    abandoned.events.resize(3);
    abandoned.events.push_back({140, End{true, kNoResult}});

    Replay practice;
    practice.header = {QStringLiteral("v1.1"),   1765280100, Mode::Practice, Seat::Green, 3, 1,
                       QStringLiteral("Mar\u00eda"), {}};
    practice.events = {{12, wire::Shot{-6.0f, 21.5f, 7.0f, -0.1f}}, {900, End{false, 0}}};
    // As a run is kept now: with its seed, in the second format.
    Replay seeded = practice;
    seeded.header.runSeed = 1765280100u;

    return Write(folder, "watched.rdreplay", watched) &&
                   Write(folder, "abandoned.rdreplay", abandoned) &&
                   Write(folder, "practice.rdreplay", practice) &&
                   Write(folder, "seeded_practice.rdreplay", seeded)
               ? 0
               : 1;
}
