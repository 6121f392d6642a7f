#include "tools/shotreplay/replay_check.h"

#include <QString>
#include <cinttypes>
#include <cstdio>

#include "frontend/replay/replay_player.h"
#include "frontend/replay/replay_store.h"

namespace {

const char* ModeName(replay::Mode mode) {
    switch (mode) {
        case replay::Mode::Match:
            return "online match";
        case replay::Mode::Practice:
            return "practice run";
        case replay::Mode::Computer:
            return "match against the computer";
    }
    return "?";
}

const char* EndName(const replay::Replay& r) {
    const auto& end = std::get<replay::End>(r.events.back().event);
    if (end.abandoned) return "abandoned";
    if (r.header.mode == replay::Mode::Practice) return "over";
    switch (end.result) {
        case 0:
            return "draw";
        case 1:
            return "green won";
        case 2:
            return "red won";
    }
    return "?";
}

}  // namespace

int CheckReplayFile(const char* path) {
    QString error;
    const replay::ReadResult read = LoadReplay(QString::fromLocal8Bit(path), &error);
    if (read.error != replay::ReadError::None) {
        const QString reason = error.isEmpty() ? replay::DescribeReadError(read) : error;
        std::fprintf(stderr, "shotreplay: %s: %s\n", path, qPrintable(reason));
        return 1;
    }
    const replay::Replay& r = read.replay;
    if (r.header.mode == replay::Mode::Practice) {
        std::printf("%s, %s: %s from level %d, %s after %u steps\n",
                    qPrintable(r.header.gameVersion), ModeName(r.header.mode),
                    qPrintable(r.header.greenName), r.header.seedOrLevel, EndName(r),
                    r.events.back().step);
    } else {
        std::printf("%s, %s: %s (green) against %s (red), seed %d, %s after %u steps\n",
                    qPrintable(r.header.gameVersion), ModeName(r.header.mode),
                    qPrintable(r.header.greenName), qPrintable(r.header.redName),
                    r.header.seedOrLevel, EndName(r), r.events.back().step);
    }
    if (!ReplayPlayer::IsPlayable(r)) {
        std::printf("a practice run recorded without its seed is not played back\n");
        return 1;
    }
    const auto library = MakeExportedGameLibrary();
    ReplayPlayer player(r, *library, *library);
    PlayToEnd(player);
    std::printf("%d shots played\n", player.ShotsPlayed());
    if (!player.Matches()) {
        std::printf(
            "MISMATCH: the table ended as %016" PRIx64 ", the recording says %016" PRIx64
            "; this program's physics does not give the recorded match\n",
            player.FinalFingerprint(), r.fingerprint);
        return 1;
    }
    std::printf("the table ended as recorded (%016" PRIx64 ")\n", r.fingerprint);
    return 0;
}
