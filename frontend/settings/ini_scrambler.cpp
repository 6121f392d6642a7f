#include "frontend/settings/ini_scrambler.h"

#include <array>

namespace {

constexpr std::array<unsigned char, 4> kKey = {0x3C, 0x91, 0x0A, 0xE7};

}  // namespace

QByteArray Scramble(QByteArrayView text) {
    QByteArray out(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        out[i] = static_cast<char>(static_cast<unsigned char>(text[i]) ^ kKey[i % kKey.size()]);
    }
    return out;
}
