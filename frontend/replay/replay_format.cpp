#include "frontend/replay/replay_format.h"

#include <zlib.h>

#include <cmath>
#include <cstring>
#include <optional>
#include <type_traits>

#include "frontend/wire/shot_limits.h"
#include "frontend/wire/wire_text.h"

namespace replay {
namespace {

// Past the magic: the format version and the whole file's length, so that a
// file cut short says so rather than failing its checksum.
constexpr int kPrefixBytes = 8 + 2 + 4;
// The fingerprint and the CRC-32 of everything before the CRC.
constexpr int kFooterBytes = 8 + 4;
constexpr uint32_t kMaxFileBytes = 16u << 20;
// Six hours of physics steps at 60 a second: longer than any match is played.
constexpr uint32_t kMaxStep = 60u * 3600u * 6u;
constexpr int32_t kMaxMatchSeed = 998;
constexpr int32_t kPracticeLevels = 20;
// Disc centres stay within the table; a position far outside it is no table.
constexpr float kMaxCoordinate = 1000.0f;
constexpr uint8_t kLanguages = 3;

enum Kind : uint8_t { kShot = 1, kPassTurn = 2, kSync = 3, kEnd = 4 };

class Writer {
public:
    void U8(uint8_t v) { bytes_.append(static_cast<char>(v)); }
    void U16(uint16_t v) { Little(v, 2); }
    void U32(uint32_t v) { Little(v, 4); }
    void U64(uint64_t v) { Little(v, 8); }
    void F32(float v) {
        uint32_t bits;
        std::memcpy(&bits, &v, 4);
        U32(bits);
    }
    void Text(const QByteArray& text) {
        const QByteArray cut = text.left(kMaxNameBytes);
        U8(static_cast<uint8_t>(cut.size()));
        bytes_.append(cut);
    }
    void Raw(const QByteArray& raw) { bytes_.append(raw); }
    QByteArray& Bytes() { return bytes_; }

private:
    void Little(uint64_t v, int n) {
        for (int i = 0; i < n; ++i) U8(static_cast<uint8_t>(v >> (8 * i)));
    }
    QByteArray bytes_;
};

// Reads from a span whose size it always checks first: an answer of nullopt
// means the span ended too soon.
class Reader {
public:
    Reader(const char* data, size_t size) : data_(data), size_(size) {}

    std::optional<uint64_t> Little(int n) {
        if (size_ - at_ < static_cast<size_t>(n)) return std::nullopt;
        uint64_t v = 0;
        for (int i = 0; i < n; ++i) v |= uint64_t(static_cast<uint8_t>(data_[at_ + i])) << (8 * i);
        at_ += n;
        return v;
    }
    std::optional<float> F32() {
        const auto bits = Little(4);
        if (!bits) return std::nullopt;
        const uint32_t b = static_cast<uint32_t>(*bits);
        float v;
        std::memcpy(&v, &b, 4);
        return v;
    }
    std::optional<QByteArray> Text() {
        const auto n = Little(1);
        if (!n || *n > kMaxNameBytes || size_ - at_ < *n) return std::nullopt;
        QByteArray text(data_ + at_, static_cast<qsizetype>(*n));
        at_ += *n;
        return text;
    }
    bool AtEnd() const { return at_ == size_; }

private:
    const char* data_;
    size_t size_;
    size_t at_ = 0;
};

uint32_t Crc32(const char* data, size_t size) {
    return static_cast<uint32_t>(
        crc32(crc32(0, nullptr, 0), reinterpret_cast<const Bytef*>(data), static_cast<uInt>(size)));
}

bool IsCoordinate(float v) {
    return std::isfinite(v) && std::fabs(v) <= kMaxCoordinate;
}

void WriteEvent(Writer& w, const TimedEvent& timed) {
    std::visit(
        [&](const auto& e) {
            using T = std::decay_t<decltype(e)>;
            if constexpr (std::is_same_v<T, wire::Shot>) {
                w.U8(kShot);
                w.U32(timed.step);
                w.F32(e.x), w.F32(e.z), w.F32(e.force), w.F32(e.angle);
            } else if constexpr (std::is_same_v<T, PassTurn>) {
                w.U8(kPassTurn);
                w.U32(timed.step);
            } else if constexpr (std::is_same_v<T, wire::Sync>) {
                w.U8(kSync);
                w.U32(timed.step);
                for (float v : e.positions) w.F32(v);
                w.U8(e.side);
            } else {
                w.U8(kEnd);
                w.U32(timed.step);
                w.U8(e.abandoned ? 1 : 0);
                w.U8(e.result);
            }
        },
        timed.event);
}

std::optional<Event> ReadEventBody(Reader& r, uint8_t kind) {
    switch (kind) {
        case kShot: {
            wire::Shot s;
            const auto x = r.F32(), z = r.F32(), force = r.F32(), angle = r.F32();
            if (!x || !z || !force || !angle) return std::nullopt;
            s = {*x, *z, *force, *angle};
            if (!std::isfinite(s.x) || !std::isfinite(s.z) || !std::isfinite(s.force) ||
                !std::isfinite(s.angle))
                return std::nullopt;
            // Only a shot the game could have made, by one side or the other.
            if (!wire::IsPlayableShot(s, 0) && !wire::IsPlayableShot(s, 1)) return std::nullopt;
            return s;
        }
        case kPassTurn:
            return PassTurn{};
        case kSync: {
            wire::Sync s;
            for (float& v : s.positions) {
                const auto f = r.F32();
                if (!f || !IsCoordinate(*f)) return std::nullopt;
                v = *f;
            }
            const auto side = r.Little(1);
            if (!side || *side > 1) return std::nullopt;
            s.side = static_cast<uint8_t>(*side);
            return s;
        }
        case kEnd: {
            const auto abandoned = r.Little(1), result = r.Little(1);
            if (!abandoned || !result || *abandoned > 1) return std::nullopt;
            End e{*abandoned == 1, static_cast<uint8_t>(*result)};
            // A decided end has a result; an abandoned one may have none.
            if (e.result > 2 && (e.result != kNoResult || !e.abandoned)) return std::nullopt;
            return e;
        }
        default:
            return std::nullopt;
    }
}

constexpr uint16_t kSeededRunFormat = 2;

// Format 2 is written for a seeded practice run and for nothing else.
uint16_t FormatOf(const Header& h) {
    return h.mode == Mode::Practice && h.runSeed ? kSeededRunFormat : 1;
}

std::optional<Header> ReadHeader(Reader& r, uint16_t format) {
    Header h;
    const auto version = r.Text();
    const auto date = r.Little(8), mode = r.Little(1), seat = r.Little(1), language = r.Little(1),
               seed = r.Little(4);
    if (!version || !date || !mode || !seat || !language || !seed) return std::nullopt;
    if (format >= kSeededRunFormat) {
        const auto runSeed = r.Little(4);
        if (!runSeed) return std::nullopt;
        h.runSeed = static_cast<uint32_t>(*runSeed);
    }
    const auto green = r.Text(), red = r.Text();
    if (!green || !red) return std::nullopt;
    if (*mode < 1 || *mode > 3 || *seat > 2 || *language < 1 || *language > kLanguages)
        return std::nullopt;
    h.gameVersion = QString::fromLatin1(*version);
    h.date = static_cast<int64_t>(*date);
    h.mode = static_cast<Mode>(*mode);
    h.seat = static_cast<Seat>(*seat);
    h.language = static_cast<uint8_t>(*language);
    h.seedOrLevel = static_cast<int32_t>(static_cast<uint32_t>(*seed));
    h.greenName = FromWireText(*green);
    h.redName = FromWireText(*red);
    const bool practice = h.mode == Mode::Practice;
    const int32_t low = practice ? 1 : 0, high = practice ? kPracticeLevels : kMaxMatchSeed;
    if (h.seedOrLevel < low || h.seedOrLevel > high) return std::nullopt;
    if (practice && h.seat != Seat::Green) return std::nullopt;
    if (FormatOf(h) != format) return std::nullopt;
    return h;
}

// The body between the prefix and the footer, already known intact.
std::optional<Replay> ReadBody(Reader& r, uint16_t format) {
    Replay replay;
    const auto header = ReadHeader(r, format);
    const auto count = r.Little(4);
    if (!header || !count || *count == 0 || *count > kMaxEvents) return std::nullopt;
    replay.header = *header;
    uint32_t lastStep = 0;
    for (uint64_t i = 0; i < *count; ++i) {
        const auto kind = r.Little(1), step = r.Little(4);
        if (!kind || !step || *step > kMaxStep || *step < lastStep) return std::nullopt;
        auto event = ReadEventBody(r, static_cast<uint8_t>(*kind));
        if (!event) return std::nullopt;
        // The end comes last and only once.
        if (std::holds_alternative<End>(*event) != (i + 1 == *count)) return std::nullopt;
        lastStep = static_cast<uint32_t>(*step);
        replay.events.push_back({lastStep, std::move(*event)});
    }
    const auto fingerprint = r.Little(8);
    if (!fingerprint || !r.AtEnd()) return std::nullopt;
    replay.fingerprint = *fingerprint;
    return replay;
}

}  // namespace

uint64_t TableFingerprint(const wire::Positions& positions, int side) {
    uint64_t hash = 14695981039346656037ull;
    const auto mix = [&hash](uint32_t v) {
        for (int i = 0; i < 4; ++i) hash = (hash ^ ((v >> (8 * i)) & 0xFF)) * 1099511628211ull;
    };
    for (float v : positions) {
        uint32_t bits;
        std::memcpy(&bits, &v, 4);
        mix(bits);
    }
    mix(static_cast<uint32_t>(side));
    return hash;
}

QByteArray EncodeReplay(const Replay& replay) {
    Writer w;
    const Header& h = replay.header;
    const uint16_t format = FormatOf(h);
    w.Raw(kMagic);
    w.U16(format);
    w.U32(0);  // the length, filled in below
    w.Text(h.gameVersion.toLatin1());
    w.U64(static_cast<uint64_t>(h.date));
    w.U8(static_cast<uint8_t>(h.mode));
    w.U8(static_cast<uint8_t>(h.seat));
    w.U8(h.language);
    w.U32(static_cast<uint32_t>(h.seedOrLevel));
    if (format >= kSeededRunFormat) w.U32(*h.runSeed);
    w.Text(ToWireText(h.greenName));
    w.Text(ToWireText(h.redName));
    w.U32(static_cast<uint32_t>(replay.events.size()));
    for (const TimedEvent& e : replay.events) WriteEvent(w, e);
    w.U64(replay.fingerprint);
    QByteArray& bytes = w.Bytes();
    const uint32_t length = static_cast<uint32_t>(bytes.size() + 4);
    for (int i = 0; i < 4; ++i) bytes[10 + i] = static_cast<char>(length >> (8 * i));
    w.U32(Crc32(bytes.constData(), static_cast<size_t>(bytes.size())));
    return bytes;
}

ReadResult DecodeReplay(const QByteArray& bytes) {
    ReadResult result;
    const qsizetype magicBytes = kMagic.size();
    if (!bytes.startsWith(kMagic)) {
        // A file cut inside the magic is still recognisably one of ours.
        const bool cutMagic = !bytes.isEmpty() && bytes.size() < magicBytes &&
                              kMagic.startsWith(bytes);
        result.error = cutMagic ? ReadError::Truncated : ReadError::NotAReplay;
        return result;
    }
    Reader prefix(bytes.constData() + magicBytes, static_cast<size_t>(bytes.size() - magicBytes));
    const auto version = prefix.Little(2);
    if (!version) {
        result.error = ReadError::Truncated;
        return result;
    }
    result.formatVersion = static_cast<uint16_t>(*version);
    // A newer program may lay out everything after the version differently.
    if (result.formatVersion > kFormatVersion) {
        result.error = ReadError::NewerFormat;
        return result;
    }
    const auto length = prefix.Little(4);
    if (!length) {
        result.error = ReadError::Truncated;
        return result;
    }
    if (result.formatVersion == 0 || *length > kMaxFileBytes ||
        *length < static_cast<uint64_t>(kPrefixBytes + kFooterBytes)) {
        result.error = ReadError::Damaged;
        return result;
    }
    if (static_cast<uint64_t>(bytes.size()) < *length) {
        result.error = ReadError::Truncated;
        return result;
    }
    const size_t size = static_cast<size_t>(*length);
    Reader crc(bytes.constData() + size - 4, 4);
    if (static_cast<uint64_t>(bytes.size()) > *length ||
        Crc32(bytes.constData(), size - 4) != *crc.Little(4)) {
        result.error = ReadError::Damaged;
        return result;
    }
    Reader body(bytes.constData() + kPrefixBytes, size - kPrefixBytes - 4);
    auto replay = ReadBody(body, result.formatVersion);
    if (!replay) {
        result.error = ReadError::Invalid;
        return result;
    }
    result.replay = std::move(*replay);
    return result;
}

QString DescribeReadError(const ReadResult& result) {
    switch (result.error) {
        case ReadError::None:
            return QStringLiteral("a good replay");
        case ReadError::NotAReplay:
            return QStringLiteral("not a replay file");
        case ReadError::NewerFormat:
            return QStringLiteral(
                       "the replay was written by a newer version of the game (replay format "
                       "%1; this version reads format %2 and older)")
                .arg(result.formatVersion)
                .arg(kFormatVersion);
        case ReadError::Truncated:
            return QStringLiteral("the replay file is cut short");
        case ReadError::Damaged:
            return QStringLiteral("the replay file is damaged (its checksum does not match)");
        case ReadError::Invalid:
            return QStringLiteral("the replay file holds values no recording writes");
    }
    return {};
}

}  // namespace replay
