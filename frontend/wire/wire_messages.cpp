#include "frontend/wire/wire_messages.h"

#include <QList>
#include <bit>
#include <cstring>
#include <limits>

#include "frontend/wire/frame_codec.h"
#include "frontend/wire/wire_text.h"

namespace wire {

namespace {

// Floats travel as their four bytes in little-endian order, which is the
// order in memory on every machine this program builds for.
static_assert(std::endian::native == std::endian::little);

void AppendFloat(QByteArray& out, float v) {
    char bytes[4];
    std::memcpy(bytes, &v, 4);
    out.append(bytes, 4);
}

float ReadFloat(const QByteArray& in, qsizetype at) {
    float v;
    std::memcpy(&v, in.constData() + at, 4);
    return v;
}

}  // namespace

Message SplitMessage(const QByteArray& message) {
    return {message.left(kCommandLength), message.mid(kCommandLength)};
}

int MinimumPayload(const QByteArray& command, Direction direction) {
    const bool fromHost = direction == Direction::FromHost;
    if (command == kShot) return kShotBytes;
    if (command == kAim) return kAimBytes;
    if (fromHost && command == kSync) return kSyncBytes;
    if (fromHost && command == kInit) return kMinInitBytes;
    if (!fromHost && command == kVerify) return kPositionBytes;
    return 0;
}

std::optional<int> ParseDecimal(const QByteArray& text) {
    if (text.isEmpty()) return std::nullopt;
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > std::numeric_limits<int>::max()) return std::nullopt;
    }
    return static_cast<int>(value);
}

bool IsPlayerSlot(int slot) {
    return slot >= 1 && slot <= 4;
}

QByteArray EncodeShot(const Shot& s) {
    QByteArray out;
    for (float v : {s.x, s.z, s.force, s.angle}) AppendFloat(out, v);
    return out;
}

std::optional<Shot> DecodeShot(const QByteArray& payload) {
    if (payload.size() < kShotBytes) return std::nullopt;
    return Shot{ReadFloat(payload, 0), ReadFloat(payload, 4), ReadFloat(payload, 8),
                ReadFloat(payload, 12)};
}

QByteArray EncodeAim(const Aim& a) {
    QByteArray out;
    for (float v : {a.z, a.x, a.force, a.angle}) AppendFloat(out, v);
    out.append(static_cast<char>(a.phase));
    return out;
}

std::optional<Aim> DecodeAim(const QByteArray& payload) {
    if (payload.size() < kAimBytes) return std::nullopt;
    return Aim{.x = ReadFloat(payload, 4),
               .z = ReadFloat(payload, 0),
               .force = ReadFloat(payload, 8),
               .angle = ReadFloat(payload, 12),
               .phase = static_cast<uint8_t>(payload[16])};
}

QByteArray EncodePositions(const Positions& p) {
    QByteArray out;
    out.reserve(kPositionBytes);
    for (float v : p) AppendFloat(out, v);
    return out;
}

Positions DecodePositions(const QByteArray& payload) {
    Positions p{};
    for (size_t i = 0; i < p.size(); ++i) p[i] = ReadFloat(payload, static_cast<qsizetype>(i) * 4);
    return p;
}

QByteArray EncodeSync(const Sync& s) {
    QByteArray out = EncodePositions(s.positions);
    out.append(static_cast<char>(s.side));
    return out;
}

std::optional<Sync> DecodeSync(const QByteArray& payload) {
    if (payload.size() < kSyncBytes) return std::nullopt;
    return Sync{DecodePositions(payload), static_cast<uint8_t>(payload[kPositionBytes])};
}

QByteArray EncodeVerify(const Positions& p, int slot) {
    return EncodePositions(p) + QByteArray::number(slot);
}

std::optional<Verify> DecodeVerify(const QByteArray& payload) {
    if (payload.size() < kPositionBytes) return std::nullopt;
    return Verify{DecodePositions(payload), payload.mid(kPositionBytes, kMaxIdChars)};
}

QByteArray EncodeInit(const Init& i) {
    QByteArray out;
    out.append(static_cast<char>(i.greenSlot));
    out.append(static_cast<char>(i.redSlot));
    out.append(QByteArray::number(i.seed));
    return out;
}

std::optional<Init> DecodeInit(const QByteArray& payload) {
    if (payload.size() < kMinInitBytes) return std::nullopt;
    const auto seed = ParseDecimal(payload.mid(2));
    if (!seed) return std::nullopt;
    return Init{static_cast<uint8_t>(payload[0]), static_cast<uint8_t>(payload[1]), *seed};
}

QByteArray EncodeLogin(const Login& l) {
    return ToWireText(l.name) + ',' + ToWireText(l.password);
}

Login DecodeLogin(const QByteArray& payload) {
    const qsizetype comma = payload.indexOf(',');
    if (comma < 0) return {FromWireText(payload), QString()};
    return {FromWireText(payload.left(comma)), FromWireText(payload.mid(comma + 1))};
}

QByteArray EncodeSlotEntry(const SlotEntry& e, bool withWins) {
    QByteArray out = ToWireText(e.name) + ',' + QByteArray::number(e.slot);
    if (withWins) out += ',' + QByteArray::number(e.wins);
    return out;
}

std::optional<SlotEntry> DecodeSlotEntry(const QByteArray& payload, bool withWins) {
    const QList<QByteArray> fields = payload.split(',');
    if (fields.size() < (withWins ? 3 : 2)) return std::nullopt;
    const auto slot = ParseDecimal(fields[1]);
    const auto wins = withWins ? ParseDecimal(fields[2]) : std::optional<int>(0);
    if (!slot || !wins) return std::nullopt;
    return SlotEntry{FromWireText(fields[0]), *slot, *wins};
}

QByteArray VersionAnswer(const QString& name) {
    return kVersionAnswer + ToWireText(name) + " version: " + kVersionString;
}

QByteArray RefusalFrame(const QByteArray& command) {
    return MakeFrame(command);
}

}  // namespace wire
