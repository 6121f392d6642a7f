// A replay: everything needed to play a match or a practice run again on a
// table of its own. Every machine of a match reaches the same table from the
// same seed and the same events, so a replay holds no positions, only the
// header (who, when, which table), the events with the physics step on which
// each took effect, and the fingerprint of the table at the end to prove the
// playback reached the same place. docs/replay-format.md describes the bytes.
//
// DecodeReplay is the only way in for a file from outside: it refuses
// anything damaged, cut short or out of range, and names a newer format
// rather than guessing at it.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

#include "frontend/wire/wire_messages.h"

namespace replay {

// The newest format this program reads. A file is written in the oldest one
// that holds it: 1 for a match, 2 for a practice run, which carries its seed.
constexpr uint16_t kFormatVersion = 2;
inline const QByteArray kMagic = QByteArrayLiteral("RDREPLAY");
// Longer names are cut when written; a file holding longer ones is refused.
constexpr int kMaxNameBytes = 64;
// A whole match is a few hundred events; this bounds what a reader accepts.
constexpr uint32_t kMaxEvents = 100000;

enum class Mode : uint8_t {
    Match = 1,     // an online match, watched or played
    Practice = 2,  // a practice run
    Computer = 3,  // a match against the computer player
};

// The seat of the machine that recorded: it plays green or red, or watches.
enum class Seat : uint8_t { Green = 0, Red = 1, Watching = 2 };

struct Header {
    QString gameVersion;  // the program's version, such as "v1.1"
    int64_t date = 0;     // when the recording began, seconds since 1970 (UTC)
    Mode mode = Mode::Match;
    Seat seat = Seat::Watching;
    uint8_t language = 2;  // 1 Portuguese, 2 English, 3 Spanish
    // A match's seed (0..998), or the level a practice run began on.
    int32_t seedOrLevel = 0;
    QString greenName;  // practice: the player
    QString redName;    // practice: empty
    // A practice run's seed, from which its table follows; none in a match
    // nor in a run recorded before runs could be watched (format 1).
    std::optional<uint32_t> runSeed;

    bool operator==(const Header&) const = default;
};

struct PassTurn {
    bool operator==(const PassTurn&) const = default;
};

// How a recording ended: the match decided (result 0 draw, 1 green won, 2
// red won; a practice run over: 0), or abandoned before that.
constexpr uint8_t kNoResult = 255;
struct End {
    bool abandoned = false;
    uint8_t result = kNoResult;

    bool operator==(const End&) const = default;
};

using Event = std::variant<wire::Shot, PassTurn, wire::Sync, End>;

struct TimedEvent {
    // Physics steps run before the event took effect, counted from the
    // start of the match or run.
    uint32_t step = 0;
    Event event;

    bool operator==(const TimedEvent&) const = default;
};

struct Replay {
    Header header;
    // Ends with exactly one End, which no other event follows.
    std::vector<TimedEvent> events;
    // The table after the End's step: TableFingerprint of discs 1..20 and the
    // side to move.
    uint64_t fingerprint = 0;

    bool operator==(const Replay&) const = default;
};

// The short fingerprint of a table that machines of one match compare:
// FNV-1a over the bits of discs 1..20 (x then z) and the side to move as a
// 32-bit integer, all little-endian.
uint64_t TableFingerprint(const wire::Positions& positions, int side);

QByteArray EncodeReplay(const Replay& replay);

enum class ReadError {
    None,
    NotAReplay,   // no replay's magic at the start
    NewerFormat,  // written by a newer program; the format number is given
    Truncated,    // the file ends before its checksum
    Damaged,      // the checksum does not match the contents
    Invalid,      // intact, but holds values no recording writes
};

struct ReadResult {
    ReadError error = ReadError::None;
    uint16_t formatVersion = 0;  // as found in the file, once the magic matched
    Replay replay;               // only when error is None
};

ReadResult DecodeReplay(const QByteArray& bytes);

// The refusal in plain English, for tools and logs.
QString DescribeReadError(const ReadResult& result);

}  // namespace replay
