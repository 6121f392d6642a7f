// A replay file read back is the replay written; anything else - cut short,
// damaged, hostile or from a newer program - is refused with its reason and
// never read as a match.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cmath>
#include <limits>

#include "frontend/replay/replay_format.h"

namespace {

using namespace replay;

wire::Sync SomeSync() {
    wire::Sync sync;
    for (size_t i = 0; i < sync.positions.size(); ++i)
        sync.positions[i] = static_cast<float>(i) * 1.25f - 20.0f;
    sync.side = 1;
    return sync;
}

Replay SomeMatch() {
    Replay r;
    r.header = {QStringLiteral("v1.1"), 1765280000, Mode::Match,          Seat::Watching, 1, 417,
                QStringLiteral("João"), QStringLiteral("Ñandú"), std::nullopt};
    r.events = {{0, wire::Shot{0.0f, 21.5f, 10.0f, 0.1f}},
                {140, PassTurn{}},
                {141, wire::Shot{-3.0f, -21.5f, 7.5f, -0.3f}},
                {300, SomeSync()},
                {301, PassTurn{}},
                {420, End{false, 2}}};
    r.fingerprint = 0x0123456789abcdefULL;
    return r;
}

Replay SomePractice() {
    Replay r = SomeMatch();
    r.header.mode = Mode::Practice;
    r.header.seat = Seat::Green;
    r.header.seedOrLevel = 1;
    r.header.redName.clear();
    r.header.runSeed = 0xC0FFEE;
    return r;
}

// Past the magic, version and length, and the version "v1.1" and the date.
constexpr qsizetype kModeAt = 14 + 5 + 8;

// The bytes with their checksum made right again.
QByteArray Resealed(QByteArray bytes) {
    const qsizetype at = bytes.size() - 4;
    const uLong crc = crc32(crc32(0, nullptr, 0),
                            reinterpret_cast<const Bytef*>(bytes.constData()), uInt(at));
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(crc >> (8 * i));
    return bytes;
}

ReadError ErrorOf(const QByteArray& bytes) {
    return DecodeReplay(bytes).error;
}

TEST(ReplayFormat, AReplayReadBackIsTheReplayWrittenWithItsNamesAndEveryKindOfEvent) {
    const Replay match = SomeMatch();
    const QByteArray bytes = EncodeReplay(match);
    const ReadResult read = DecodeReplay(bytes);
    ASSERT_EQ(read.error, ReadError::None) << DescribeReadError(read).toStdString();
    EXPECT_EQ(read.formatVersion, 1) << "a match is written in the oldest format, which holds it";
    EXPECT_EQ(read.replay, match);
    // A match is a few kilobytes at most, not positions on every step.
    EXPECT_LT(bytes.size(), 600);

    // A practice run carries its seed, which takes the second format.
    Replay practice = SomePractice();
    const ReadResult run = DecodeReplay(EncodeReplay(practice));
    ASSERT_EQ(run.error, ReadError::None) << DescribeReadError(run).toStdString();
    EXPECT_EQ(run.formatVersion, kFormatVersion);
    EXPECT_EQ(run.replay, practice);
    EXPECT_EQ(run.replay.header.runSeed, 0xC0FFEEu);
    // The red name's five bytes gone, the seed's four in.
    EXPECT_EQ(EncodeReplay(practice).size(), bytes.size() - 5 + 4);

    // A run recorded before its seed was kept reads as one without it.
    practice.header.runSeed.reset();
    const ReadResult unseeded = DecodeReplay(EncodeReplay(practice));
    EXPECT_EQ(unseeded.formatVersion, 1);
    EXPECT_EQ(unseeded.replay, practice);
}

TEST(ReplayFormat, NamesLongerThanTheFormatHoldsAreCutWhenWritten) {
    Replay r = SomeMatch();
    r.header.greenName = QString(100, u'a');
    const ReadResult read = DecodeReplay(EncodeReplay(r));
    ASSERT_EQ(read.error, ReadError::None);
    EXPECT_EQ(read.replay.header.greenName, QString(kMaxNameBytes, u'a'));
}

TEST(ReplayFormat, AFileCutAtAnyByteIsRefusedAsCutShort) {
    const QByteArray bytes = EncodeReplay(SomeMatch());
    EXPECT_EQ(ErrorOf({}), ReadError::NotAReplay);
    for (qsizetype n = 1; n < bytes.size(); ++n)
        EXPECT_EQ(ErrorOf(bytes.left(n)), ReadError::Truncated) << "cut at " << n;
}

TEST(ReplayFormat, AnySingleDamagedByteIsRefused) {
    const QByteArray bytes = EncodeReplay(SomeMatch());
    for (qsizetype at = 0; at < bytes.size(); ++at) {
        for (const char flip : {'\x01', '\x80', '\xff'}) {
            QByteArray damaged = bytes;
            damaged[at] = static_cast<char>(damaged[at] ^ flip);
            const ReadResult read = DecodeReplay(damaged);
            EXPECT_NE(read.error, ReadError::None) << "byte " << at << " ^ " << int(flip);
            EXPECT_EQ(read.replay, Replay{}) << "byte " << at;
        }
    }
    EXPECT_EQ(ErrorOf(bytes + '\0'), ReadError::Damaged) << "a byte too many";
}

TEST(ReplayFormat, AFileFromANewerFormatIsRefusedByItsVersion) {
    QByteArray bytes = EncodeReplay(SomeMatch());
    bytes[8] = 3;  // the version follows the magic
    const ReadResult read = DecodeReplay(bytes);
    EXPECT_EQ(read.error, ReadError::NewerFormat);
    EXPECT_EQ(read.formatVersion, 3);
    EXPECT_TRUE(DescribeReadError(read).contains(QStringLiteral("format 3")));
    EXPECT_EQ(ErrorOf("NOTREPLAYFILE"), ReadError::NotAReplay);
}

// Each breaks one rule of a recording behind an intact checksum, as a file
// made to look like a replay would.
TEST(ReplayFormat, AnIntactFileHoldingValuesNoRecordingWritesIsRefused) {
    const auto refused = [](auto change) {
        Replay r = SomeMatch();
        change(r);
        return ErrorOf(EncodeReplay(r)) == ReadError::Invalid;
    };
    constexpr float kNan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_TRUE(refused([](Replay& r) { r.events[0].event = wire::Shot{kNan, 21.5f, 10, 0}; }));
    EXPECT_TRUE(refused([](Replay& r) { r.events[0].event = wire::Shot{0, 21.5f, 1e9f, 0}; }));
    EXPECT_TRUE(refused([](Replay& r) { r.events[0].event = wire::Shot{0, 0, 10, 0}; }));
    EXPECT_TRUE(refused([](Replay& r) {
        wire::Sync s = SomeSync();
        s.positions[7] = std::numeric_limits<float>::infinity();
        r.events[3].event = s;
    }));
    EXPECT_TRUE(refused([](Replay& r) {
        wire::Sync s = SomeSync();
        s.side = 2;
        r.events[3].event = s;
    }));
    EXPECT_TRUE(refused([](Replay& r) { r.events[2].step = 100; }));      // steps go back
    EXPECT_TRUE(refused([](Replay& r) { r.events.pop_back(); }));         // no end
    EXPECT_TRUE(refused([](Replay& r) { r.events[1].event = End{}; }));   // an end midway
    EXPECT_TRUE(refused([](Replay& r) { r.events.clear(); }));
    EXPECT_TRUE(refused([](Replay& r) { r.events.back().event = End{false, kNoResult}; }));
    EXPECT_TRUE(refused([](Replay& r) { r.events.back().event = End{false, 3}; }));
    EXPECT_TRUE(refused([](Replay& r) { r.header.mode = static_cast<Mode>(9); }));
    EXPECT_TRUE(refused([](Replay& r) { r.header.seat = static_cast<Seat>(3); }));
    EXPECT_TRUE(refused([](Replay& r) { r.header.language = 0; }));
    EXPECT_TRUE(refused([](Replay& r) { r.header.seedOrLevel = 999; }));
    EXPECT_TRUE(refused([](Replay& r) { r.header.seedOrLevel = -1; }));
    EXPECT_TRUE(refused([](Replay& r) {
        r.header.mode = Mode::Practice;
        r.header.seat = Seat::Green;
        r.header.seedOrLevel = 21;
    }));
    EXPECT_TRUE(refused([](Replay& r) { r.events.back().step = 60u * 3600u * 7u; }));
    // The second format holds a practice run's seed and nothing else.
    QByteArray seededMatch = EncodeReplay(SomePractice());
    seededMatch[kModeAt] = static_cast<char>(Mode::Match);
    EXPECT_EQ(ErrorOf(Resealed(seededMatch)), ReadError::Invalid);
    EXPECT_EQ(ErrorOf(Resealed(EncodeReplay(SomePractice()))), ReadError::None);
    // The same rules let an abandoned recording without a result through.
    EXPECT_FALSE(refused([](Replay& r) { r.events.back().event = End{true, kNoResult}; }));
}

TEST(ReplayFormat, TheFingerprintTellsEveryDiscBitAndTheSideToMoveApart) {
    const wire::Sync sync = SomeSync();
    const uint64_t base = TableFingerprint(sync.positions, 0);
    EXPECT_NE(TableFingerprint(sync.positions, 1), base);
    for (size_t i = 0; i < sync.positions.size(); ++i) {
        wire::Positions moved = sync.positions;
        moved[i] = std::nextafter(moved[i], 100.0f);
        EXPECT_NE(TableFingerprint(moved, 0), base) << "value " << i;
    }
    EXPECT_EQ(TableFingerprint(sync.positions, 0), base);
}

}  // namespace
