// The SOCKS5 client's reader of a relay's answers: any bytes as what the
// proxy sends, handed over in pieces of the sizes the input's first byte
// picks. Whatever it accepts must be what a well-behaved proxy could have
// sent (the method "none", then a successful reply), and it must never take
// a byte past that reply, which belongs to the relayed stream.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "frontend/lobby/socks5_connect.h"

using lobby::Socks5ReplyReader;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const size_t piece = 1 + data[0] % 8;
    ++data;
    --size;
    Socks5ReplyReader reader;
    size_t taken = 0;
    while (taken < size && reader.Wanted() > 0) {
        const size_t wanted = reader.Wanted();
        const size_t n = std::min({piece, wanted, size - taken});
        reader.Feed(data + taken, n);
        taken += n;
    }
    if (taken > size) std::abort();
    if (reader.Current() == Socks5ReplyReader::State::Refused && reader.Problem().empty()) std::abort();
    if (reader.Current() != Socks5ReplyReader::State::Done) return 0;
    // Accepted: "05 00", then "05 00 00 ATYP" and an address of its length.
    if (taken < 2 + 4 + 1 + 2 || data[0] != 5 || data[1] != 0 || data[2] != 5 || data[3] != 0 || data[4] != 0)
        std::abort();
    const uint8_t type = data[5];
    const size_t address = type == 1 ? 4 : type == 4 ? 16 : type == 3 ? size_t{1} + data[6] : 0;
    if (address == 0 || taken != 2 + 4 + address + 2) std::abort();
    return 0;
}
