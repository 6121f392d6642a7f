#include "engine/services/package_format.h"

#include <cstring>

namespace vpf {

namespace {

constexpr uint8_t kKey[4] = {0x5C, 0x21, 0x93, 0x7A};

uint32_t LoadU32(const uint8_t* b) {
    return static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
           static_cast<uint32_t>(b[2]) << 16 | static_cast<uint32_t>(b[3]) << 24;
}

void AppendU32(std::string& out, uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

bool ReadExactly(FILE* file, void* target, size_t count) {
    return std::fread(target, 1, count, file) == count;
}

}  // namespace

void Scramble(uint8_t* bytes, size_t count) {
    for (size_t i = 0; i < count; ++i) bytes[i] ^= static_cast<uint8_t>(kKey[i % 4] + 10);
}

// Reads one record; false when the file ends inside it.
bool ReadRecord(FILE* file, int version, Record& record) {
    uint8_t sizes[8];
    const size_t sizeBytes = StoresSizes(version) ? 8 : 4;
    if (!ReadExactly(file, sizes, sizeBytes)) return false;
    record.unpackedSize = LoadU32(sizes);
    record.storedSize = StoresSizes(version) ? LoadU32(sizes + 4) : record.unpackedSize;
    if (!ReadExactly(file, &record.nameLength, 1)) return false;
    if (!ReadExactly(file, record.name, record.nameLength)) return false;
    record.name[record.nameLength] = '\0';
    return true;
}

TableCheck ReadTable(FILE* file, Header& header,
                     const std::function<bool(const Record&, uint32_t offset)>& keep) {
    if (std::fseek(file, 0, SEEK_SET) != 0) return TableCheck::kCorrupt;
    char magic[sizeof kMagic];
    if (!ReadExactly(file, magic, sizeof magic) || std::memcmp(magic, kMagic, sizeof kMagic) != 0) {
        return TableCheck::kBadMagic;
    }
    uint8_t version;
    if (!ReadExactly(file, &version, 1)) return TableCheck::kCorrupt;
    header.version = version;
    if (!IsKnownVersion(version)) return TableCheck::kBadVersion;
    uint8_t count[2];
    if (!ReadExactly(file, count, 2)) return TableCheck::kCorrupt;
    header.count = static_cast<int16_t>(count[0] | count[1] << 8);
    if (header.count <= 0 || header.count > kMaxEntries) return TableCheck::kBadCount;
    uint8_t headerEnd[4];
    if (!ReadExactly(file, headerEnd, 4)) return TableCheck::kCorrupt;
    header.headerEnd = LoadU32(headerEnd);

    // Summed wide, so damaged sizes cannot wrap around to the right length.
    uint64_t end = header.headerEnd;
    for (int i = 0; i < header.count; ++i) {
        Record record;
        if (!ReadRecord(file, header.version, record)) return TableCheck::kCorrupt;
        if (!keep(record, static_cast<uint32_t>(end))) return TableCheck::kRefused;
        end += record.storedSize;
        if (end > UINT32_MAX) return TableCheck::kCorrupt;
    }
    if (std::fseek(file, 0, SEEK_END) != 0) return TableCheck::kCorrupt;
    const long length = std::ftell(file);
    if (length < 0 || static_cast<uint64_t>(length) != end) return TableCheck::kCorrupt;
    std::fseek(file, 0, SEEK_SET);
    return TableCheck::kOk;
}

size_t RecordBytes(int version, size_t nameLength) {
    return (StoresSizes(version) ? 8 : 4) + 1 + nameLength;
}

void AppendHeader(std::string& out, const Header& header) {
    out.append(kMagic, sizeof kMagic);
    out.push_back(static_cast<char>(header.version));
    const auto count = static_cast<uint16_t>(header.count);
    out.push_back(static_cast<char>(count & 0xFF));
    out.push_back(static_cast<char>(count >> 8));
    AppendU32(out, header.headerEnd);
}

void AppendRecord(std::string& out, int version, const Record& record) {
    AppendU32(out, record.unpackedSize);
    if (StoresSizes(version)) AppendU32(out, record.storedSize);
    out.push_back(static_cast<char>(record.nameLength));
    out.append(record.name, record.nameLength);
}

void ListTable(const Header& header, const std::function<ListingEntry(int)>& entryAt,
               const std::function<void(const char* line)>& writeLine) {
    char line[512];
    std::snprintf(line, sizeof line, " Versão: %d ", header.version);
    writeLine(line);
    std::snprintf(line, sizeof line, " Numero de arquivos no pacote: %d ", header.count);
    writeLine(line);
    std::snprintf(line, sizeof line, " Fim do hearder: %d ", static_cast<int>(header.headerEnd));
    writeLine(line);
    writeLine(" Listagem dos arquivo no pacote:");
    for (int i = 0; i < header.count; ++i) {
        const ListingEntry e = entryAt(i);
        char tail[32] = "";
        if (StoresSizes(header.version)) {
            if (e.storedSize != e.unpackedSize) {
                std::snprintf(tail, sizeof tail, "[comprimido:%d]", static_cast<int>(e.storedSize));
            } else {
                std::snprintf(tail, sizeof tail, "[não comprimido]");
            }
        }
        std::snprintf(line, sizeof line, "   #%d Arquivo: %s - Tamanho/Posição: %d / %d %s", i,
                      e.name, static_cast<int>(e.unpackedSize), static_cast<int>(e.offset), tail);
        writeLine(line);
    }
    writeLine("");
}

}  // namespace vpf
