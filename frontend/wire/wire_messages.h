// The messages of the game protocol: five-byte commands and the encodings of
// their payloads. Decoders check lengths and ranges and answer nullopt for a
// payload that cannot be what its command promises; they never read past the
// end of what arrived.
#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

namespace wire {

constexpr int kCommandLength = 5;

// Client to host.
inline const QByteArray kNick = "NICK:";
inline const QByteArray kQuit = "QUIT:";
inline const QByteArray kVersionAnswer = "VERM:";
inline const QByteArray kVersionAsk = "VERN:";
inline const QByteArray kResyncRequest = "RQSY:";
// Host to client.
inline const QByteArray kSlotId = "IDJG:";
inline const QByteArray kSlotEntry = "ENT2:";
inline const QByteArray kEntered = "ENTR:";
inline const QByteArray kInit = "INIT:";
inline const QByteArray kLeft = "SAIU:";
inline const QByteArray kKickedOther = "SAIK:";
inline const QByteArray kTimedOut = "TIOU:";
inline const QByteArray kKicked = "KIKD:";
inline const QByteArray kEnds = "ENDS:";
inline const QByteArray kNameTaken = "NICI:";
inline const QByteArray kFull = "FULL:";
inline const QByteArray kBadPassword = "INVS:";
inline const QByteArray kSync = "SYNC:";
inline const QByteArray kDump = "DUMP:";
// Both ways.
inline const QByteArray kText = "TEXT:";
inline const QByteArray kAim = "SJRM:";
inline const QByteArray kTurn = "MUDJ:";
inline const QByteArray kShot = "DISP:";
inline const QByteArray kVerify = "VERS:";
inline const QByteArray kShout = "PRCA:";

inline const QByteArray kVersionString = "v1.1";

constexpr int kShotBytes = 16;
constexpr int kAimBytes = 17;
constexpr int kSyncedDiscs = 20;
constexpr int kPositionBytes = kSyncedDiscs * 2 * 4;
constexpr int kSyncBytes = kPositionBytes + 1;
constexpr int kMinInitBytes = 3;
constexpr int kMaxIdChars = 10;

// A shot as the library fires it: the striker's spot, the cue's force and angle.
struct Shot {
    float x = 0, z = 0, force = 0, angle = 0;

    bool operator==(const Shot&) const = default;
};

// The aim of the player to move as the others are shown it: where the
// striker stands, the cue's force and angle, and the hand's phase (0 placing,
// 1 holding the button, 2 released). The wire carries Z before X.
struct Aim {
    float x = 0, z = 0, force = 0, angle = 0;
    uint8_t phase = 0;

    bool operator==(const Aim&) const = default;
};

// X then Z of discs 1..20.
using Positions = std::array<float, kSyncedDiscs * 2>;

struct Sync {
    Positions positions{};
    uint8_t side = 0;

    bool operator==(const Sync&) const = default;
};

struct Verify {
    Positions positions{};
    QByteArray id;  // the sender's slot as sent, at most kMaxIdChars characters

    bool operator==(const Verify&) const = default;
};

struct Init {
    uint8_t greenSlot = 0, redSlot = 0;
    int seed = 0;
};

struct SlotEntry {
    QString name;
    int slot = 0;
    int wins = 0;
};

struct Login {
    QString name;
    QString password;
};

// A message split into its command and payload.
struct Message {
    QByteArray command;
    QByteArray payload;
};
Message SplitMessage(const QByteArray& message);

enum class Direction { FromClient, FromHost };
// The shortest payload a command may carry in this direction; a shorter one
// is a packet error and is never read.
int MinimumPayload(const QByteArray& command, Direction direction);

// Unsigned ASCII decimal; nullopt for anything else or a value beyond int.
std::optional<int> ParseDecimal(const QByteArray& text);
bool IsPlayerSlot(int slot);

QByteArray EncodeShot(const Shot& s);
std::optional<Shot> DecodeShot(const QByteArray& payload);
QByteArray EncodeAim(const Aim& a);
std::optional<Aim> DecodeAim(const QByteArray& payload);
QByteArray EncodePositions(const Positions& p);
Positions DecodePositions(const QByteArray& payload);  // needs kPositionBytes
QByteArray EncodeSync(const Sync& s);
std::optional<Sync> DecodeSync(const QByteArray& payload);
QByteArray EncodeVerify(const Positions& p, int slot);
std::optional<Verify> DecodeVerify(const QByteArray& payload);
QByteArray EncodeInit(const Init& i);
std::optional<Init> DecodeInit(const QByteArray& payload);

QByteArray EncodeLogin(const Login& l);
Login DecodeLogin(const QByteArray& payload);
// "ENT2:" carries name, slot, wins; "ENTR:" name and slot.
QByteArray EncodeSlotEntry(const SlotEntry& e, bool withWins);
std::optional<SlotEntry> DecodeSlotEntry(const QByteArray& payload, bool withWins);

// "VERM:" with the answering player's name and the version.
QByteArray VersionAnswer(const QString& name);

// The ready-made frames of the replies written straight to one connection.
QByteArray RefusalFrame(const QByteArray& command);

}  // namespace wire
