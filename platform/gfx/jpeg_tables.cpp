#include "platform/gfx/jpeg_tables.h"

namespace gfx {

namespace {

constexpr uint8_t kMarker = 0xFF;
constexpr uint8_t kStartOfImage = 0xD8;
constexpr uint8_t kEndOfImage = 0xD9;
constexpr uint8_t kDefineHuffmanTables = 0xC4;
constexpr size_t kMaxSymbols = 256;
constexpr size_t kCountBytes = 16;

// Markers that stand alone, without a length: the restart markers, the
// start of the image, the temporary marker, and a stuffed 0xFF in
// entropy-coded data (0xFF 0x00).
bool StandsAlone(uint8_t marker) {
    return (marker >= 0xD0 && marker <= 0xD7) || marker == kStartOfImage || marker == 0x01 ||
           marker == 0x00;
}

// The tables of one DHT segment, read as the codec reads them: while the
// length the segment declares is not used up, a class and slot byte, sixteen
// counts, then as many symbols as the counts add up to. A last table may
// reach past the declared length into the bytes after it, which the codec
// reads all the same; bytes past the end of the data read as 0.
bool TablesFit(const uint8_t* data, size_t size, size_t at, long declared) {
    auto byteAt = [&](size_t i) -> size_t { return i < size ? data[i] : 0; };
    while (declared > 0) {
        size_t symbols = 0;
        for (size_t i = 0; i < kCountBytes; ++i) symbols += byteAt(at + 1 + i);
        if (symbols > kMaxSymbols) return false;
        at += 1 + kCountBytes + symbols;
        declared -= long(1 + kCountBytes + symbols);
        if (at >= size) return true;
    }
    return true;
}

}  // namespace

bool JpegHuffmanTablesFit(const uint8_t* data, size_t size) {
    // The codec, like any marker, takes the start of the image after any
    // number of 0xFF fill bytes.
    size_t start = 0;
    while (start + 1 < size && data && data[start] == kMarker && data[start + 1] == kMarker)
        ++start;
    if (!data || start + 2 > size || data[start] != kMarker || data[start + 1] != kStartOfImage)
        return true;
    // Segments are skipped by their length; between them (after a scan's
    // header, its entropy-coded data) every byte is looked at, as the codec
    // looks for the next marker there.
    size_t at = start + 2;
    while (at + 1 < size) {
        if (data[at] != kMarker || data[at + 1] == kMarker) {
            ++at;
            continue;
        }
        const uint8_t marker = data[at + 1];
        if (marker == kEndOfImage) return true;
        if (StandsAlone(marker)) {
            at += 2;
            continue;
        }
        if (at + 4 > size) return true;
        const size_t length = size_t(data[at + 2]) << 8 | data[at + 3];
        if (length < 2) return true;  // the codec refuses it
        if (marker == kDefineHuffmanTables && !TablesFit(data, size, at + 4, long(length) - 2))
            return false;
        at += 2 + length;
    }
    return true;
}

}  // namespace gfx
