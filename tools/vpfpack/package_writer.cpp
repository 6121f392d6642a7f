#include "tools/vpfpack/package_writer.h"

#include <zlib.h>

#include <cstdio>
#include <memory>

#include "engine/services/package_format.h"

namespace {

struct StoredEntry {
    vpf::Record record;
    std::string bytes;
};

// The entry's bytes as they go into the file: deflated when the version
// allows it and it pays, then scrambled when the version asks for it.
StoredEntry StoreEntry(int version, const PackageSource& source) {
    StoredEntry stored;
    stored.record.unpackedSize = static_cast<uint32_t>(source.bytes.size());
    stored.record.nameLength = static_cast<uint8_t>(source.name.size());
    source.name.copy(stored.record.name, source.name.size());
    stored.bytes.assign(source.bytes.begin(), source.bytes.end());
    if (vpf::StoresSizes(version) && !source.bytes.empty()) {
        uLongf packedSize = compressBound(static_cast<uLong>(source.bytes.size()));
        std::string packed(packedSize, '\0');
        if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize, source.bytes.data(),
                      static_cast<uLong>(source.bytes.size()), Z_BEST_COMPRESSION) == Z_OK &&
            packedSize < source.bytes.size()) {
            packed.resize(packedSize);
            stored.bytes = std::move(packed);
        }
    }
    stored.record.storedSize = static_cast<uint32_t>(stored.bytes.size());
    if (vpf::IsScrambled(version)) {
        vpf::Scramble(reinterpret_cast<uint8_t*>(stored.bytes.data()), stored.bytes.size());
    }
    return stored;
}

}  // namespace

bool BuildPackage(int version, const std::vector<PackageSource>& entries, std::string& out,
                  std::string& error) {
    if (!vpf::IsKnownVersion(version)) {
        error = "format " + std::to_string(version) + " is not one of 100 to 103";
        return false;
    }
    if (entries.empty() || entries.size() > static_cast<size_t>(vpf::kMaxEntries)) {
        error = "a package holds 1 to " + std::to_string(vpf::kMaxEntries) + " entries, not " +
                std::to_string(entries.size());
        return false;
    }
    uint64_t tableBytes = vpf::kHeaderBytes;
    uint64_t dataBytes = 0;
    for (const PackageSource& source : entries) {
        if (source.name.size() > vpf::kMaxNameBytes) {
            error = "name longer than 255 bytes: " + source.name;
            return false;
        }
        if (source.bytes.size() > UINT32_MAX) {
            error = "entry larger than 4 GiB: " + source.name;
            return false;
        }
        tableBytes += vpf::RecordBytes(version, source.name.size());
    }

    std::vector<StoredEntry> stored;
    stored.reserve(entries.size());
    for (const PackageSource& source : entries) {
        stored.push_back(StoreEntry(version, source));
        dataBytes += stored.back().bytes.size();
    }
    if (tableBytes + dataBytes > UINT32_MAX) {
        error = "package larger than 4 GiB";
        return false;
    }

    vpf::Header header;
    header.version = version;
    header.count = static_cast<int16_t>(entries.size());
    header.headerEnd = static_cast<uint32_t>(tableBytes);
    out.clear();
    out.reserve(static_cast<size_t>(tableBytes + dataBytes));
    vpf::AppendHeader(out, header);
    for (const StoredEntry& entry : stored) vpf::AppendRecord(out, version, entry.record);
    for (const StoredEntry& entry : stored) out += entry.bytes;
    return true;
}

bool WritePackage(const std::string& path, int version, const std::vector<PackageSource>& entries,
                  std::string& error) {
    std::string bytes;
    if (!BuildPackage(version, entries, bytes, error)) return false;
    const std::string temporary = path + ".tmp";
    FILE* f = std::fopen(temporary.c_str(), "wb");
    bool written = f != nullptr;
    if (f) {
        written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
        written = std::fclose(f) == 0 && written;
    }
    if (written) written = std::rename(temporary.c_str(), path.c_str()) == 0;
    if (!written) {
        std::remove(temporary.c_str());
        error = "cannot write " + path;
    }
    return written;
}

bool ListPackage(const std::string& path, const std::function<void(const char* line)>& writeLine,
                 std::string& error) {
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) {
        error = "cannot open " + path;
        return false;
    }
    vpf::Header header;
    std::vector<std::string> names;
    std::vector<vpf::ListingEntry> entries;
    const vpf::TableCheck check =
        vpf::ReadTable(file.get(), header, [&](const vpf::Record& record, uint32_t offset) {
            names.emplace_back(record.name, record.nameLength);
            entries.push_back({nullptr, record.unpackedSize, record.storedSize, offset});
            return true;
        });
    switch (check) {
        case vpf::TableCheck::kOk:
            break;
        case vpf::TableCheck::kBadMagic:
            error = path + " is not a VEX package";
            return false;
        case vpf::TableCheck::kBadVersion:
            error = "unknown package version " + std::to_string(header.version);
            return false;
        case vpf::TableCheck::kBadCount:
            error = "invalid entry count " + std::to_string(header.count);
            return false;
        case vpf::TableCheck::kRefused:
        case vpf::TableCheck::kCorrupt:
            error = path + " is damaged: its table does not match its length";
            return false;
    }
    vpf::ListTable(
        header,
        [&](int i) {
            vpf::ListingEntry e = entries[static_cast<size_t>(i)];
            e.name = names[static_cast<size_t>(i)].c_str();
            return e;
        },
        writeLine);
    return true;
}
