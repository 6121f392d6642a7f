// The package file format ("[VEXPKGFILE]", versions 100 to 103), shared by
// the engine's reader and the build's writer so both speak exactly one
// format. All integers are little-endian.
//
//   header:  magic (12) | version (1) | count (2, signed) | headerEnd (4)
//   records: unpacked size (4) | stored size (4, versions 102/103 only)
//            | name length L (1) | L name bytes
//   data:    from headerEnd, each entry's stored bytes in table order; the
//            file ends right after the last entry.
//
// 102 and 103 may store an entry as a zlib stream (stored size differs from
// unpacked size); 101 and 103 scramble every entry's stored bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

namespace vpf {

inline constexpr char kMagic[12] = {'[', 'V', 'E', 'X', 'P', 'K', 'G', 'F', 'I', 'L', 'E', ']'};
inline constexpr int kFirstVersion = 100;
inline constexpr int kLastVersion = 103;
inline constexpr int kMaxEntries = 4096;
inline constexpr size_t kMaxNameBytes = 255;
inline constexpr size_t kHeaderBytes = 19;

constexpr bool IsKnownVersion(int version) {
    return version >= kFirstVersion && version <= kLastVersion;
}
// Versions whose records carry a stored size, so entries may be compressed.
constexpr bool StoresSizes(int version) {
    return version == 102 || version == 103;
}
constexpr bool IsScrambled(int version) {
    return version == 101 || version == 103;
}

// Scrambles or unscrambles (the operation is its own inverse) the stored
// bytes of one entry; the key position starts at the entry's first byte.
void Scramble(uint8_t* bytes, size_t count);

struct Header {
    int version = kLastVersion;
    int16_t count = 0;
    uint32_t headerEnd = 0;
};

struct Record {
    uint32_t unpackedSize = 0;
    uint32_t storedSize = 0;
    uint8_t nameLength = 0;
    char name[kMaxNameBytes + 1] = {};  // NUL-terminated
};

// What reading a package's table found; each failure has its own message.
enum class TableCheck { kOk, kBadMagic, kBadVersion, kBadCount, kRefused, kCorrupt };

// Reads the header and every record from the start of the file, handing
// each record with its data offset to keep (which answers false to give up:
// kRefused), then checks that the entries' data ends exactly where the file
// ends. The header is filled as far as it was read, so a caller can report
// the version or count it refused. A table cut short is kCorrupt.
TableCheck ReadTable(FILE* file, Header& header,
                     const std::function<bool(const Record&, uint32_t offset)>& keep);

void AppendHeader(std::string& out, const Header& header);
void AppendRecord(std::string& out, int version, const Record& record);
size_t RecordBytes(int version, size_t nameLength);

// The listing of a package's table, as full lines without line ends.
struct ListingEntry {
    const char* name;
    uint32_t unpackedSize, storedSize, offset;
};
void ListTable(const Header& header, const std::function<ListingEntry(int)>& entryAt,
               const std::function<void(const char* line)>& writeLine);

}  // namespace vpf
