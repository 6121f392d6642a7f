// The replay reader: any bytes as a replay file, and the same bytes again
// with their length and checksum made right, so that the reader's checks
// behind the checksum see hostile contents too. Whatever it accepts must
// write back to exactly the bytes it read.
#include <zlib.h>

#include <QByteArray>
#include <cstdint>
#include <cstdlib>

#include "frontend/replay/replay_format.h"
#include "fuzz/quiet_qt_messages.h"

namespace {

constexpr qsizetype kLengthAt = 10;  // after the magic and the version
constexpr qsizetype kSmallest = 14 + 12;

void PutLittle(QByteArray& bytes, qsizetype at, uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(v >> (8 * i));
}

// The input with a true length and checksum.
QByteArray Sealed(QByteArray bytes) {
    if (bytes.size() < kSmallest) return bytes;
    PutLittle(bytes, kLengthAt, static_cast<uint32_t>(bytes.size()));
    const uLong crc = crc32(crc32(0, nullptr, 0), reinterpret_cast<const Bytef*>(bytes.constData()),
                            static_cast<uInt>(bytes.size() - 4));
    PutLittle(bytes, bytes.size() - 4, static_cast<uint32_t>(crc));
    return bytes;
}

void Check(const QByteArray& bytes) {
    const replay::ReadResult read = replay::DecodeReplay(bytes);
    if (read.error != replay::ReadError::None) {
        if (read.replay != replay::Replay{}) std::abort();
        if (replay::DescribeReadError(read).isEmpty()) std::abort();
        return;
    }
    if (replay::EncodeReplay(read.replay) != bytes) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SilenceQtMessagesButFatal();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    Check(bytes);
    Check(Sealed(bytes));
    return 0;
}
