// Reader of the asset package (dados.vpf): opens a package, checks its
// table, finds entries by name and loads an entry's bytes, unscrambling and
// inflating them as the format asks. Every refusal is a false, -1 or 0
// result with a log warning; nothing is left allocated by a failed open.
// All memory comes from the tracker, so leaks show in the log's statistics.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

#include "base/memory_tracker.h"
#include "engine/services/package_format.h"

struct PackageEntry {
    TrackedChars name;  // lower-cased A..Z
    uint32_t storedSize = 0;
    uint32_t unpackedSize = 0;
    uint32_t offset = 0;
};

class VEX_Package : public TrackedObject {
public:
    VEX_Package() = default;
    ~VEX_Package();
    VEX_Package(const VEX_Package&) = delete;
    VEX_Package& operator=(const VEX_Package&) = delete;

    // Opens the named package (closing any open one first) and checks its
    // table against the file; with list, writes the table to the log.
    bool Open(const char* name, bool list);
    bool Close();
    // With log, a closed package warns, naming what was wanted of it.
    bool IsOpen(bool log, const char* name = nullptr) const;

    // The first entry whose stored (lower-cased) name equals name exactly,
    // or -1.
    int16_t FindByName(const char* name, bool log) const;

    // Loads an entry into the package's own buffer (replacing what it held)
    // and puts the cursor at its start; answers the bytes loaded, 0 on failure.
    uint32_t ReadEntry(int16_t index, bool log);
    // Loads an entry into a new buffer that the caller owns afterwards; a
    // target that already holds a buffer is refused silently.
    uint32_t ReadEntryInto(int16_t index, TrackedBytes& target, bool log);
    void ReleaseData();
    const uint8_t* data() const { return data_.get(); }
    uint32_t size() const { return bytesLoaded_; }

    int16_t GetCount() const { return count_; }
    // Null for an index outside the table.
    const char* GetEntryName(int16_t index) const;
    const PackageEntry* GetEntry(int16_t index) const;

    // Little-endian reads at the cursor of the own buffer. When fewer bytes
    // remain than wanted they warn, leave the cursor and give 0.
    uint8_t ReadByte();
    int16_t ReadShort();
    int32_t ReadInt();
    float ReadFloat();
    // Copies count bytes to target; on a short buffer writes one 0 byte
    // there instead and answers false.
    bool ReadBytes(uint32_t count, void* target);
    // Fails (and leaves the cursor) for a position at or beyond the end.
    bool SetCursor(uint32_t position);
    uint32_t cursor() const { return cursor_; }

private:
    // Adds one record of the table being read; false when memory runs out.
    bool KeepEntry(const vpf::Record& record, uint32_t offset, int16_t count);
    void ReleaseTable();
    void ListTable(int version, uint32_t headerEnd) const;
    // Loads one entry's bytes into a new buffer; warns itself on failure.
    uint32_t ReadBlock(const PackageEntry& entry, TrackedBytes& out) const;
    bool CheckIndex(int16_t index, bool log) const;
    // The line an entry read writes when asked to log: failure or success.
    void LogReadOutcome(int16_t index, uint32_t loaded) const;
    // Takes count bytes at the cursor, or warns and answers null.
    const uint8_t* Take(uint32_t count);
    const char* PathText() const { return path_ ? path_.get() : ""; }

    std::vector<PackageEntry, TrackedAllocator<PackageEntry>> table_;
    int16_t count_ = 0;
    FILE* file_ = nullptr;
    bool open_ = false;
    TrackedChars path_;
    bool scrambled_ = false;
    bool compressed_ = false;
    uint32_t cursor_ = 0;
    uint32_t bytesLoaded_ = 0;
    TrackedBytes data_;
};
