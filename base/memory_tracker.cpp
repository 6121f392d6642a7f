#include "base/memory_tracker.h"

#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/debug_log.h"

namespace {

// A block is [header | caller's bytes | guard byte]. The header keeps the
// block's whole size in its last four bytes, right before the caller's
// address; it is as wide as malloc's alignment so that the caller's address
// keeps that alignment (objects with 8- and 16-byte members live here).
constexpr uint32_t kHeaderBytes = alignof(std::max_align_t);
constexpr uint32_t kOverheadBytes = kHeaderBytes + 1;
constexpr uint8_t kGuardByte = 254;

constinit MemoryTracker tracker;

void RaisePeak(int64_t& peak, int64_t value) {
    if (value > peak) peak = value;
}

// Bytes mapped from files into the process (the library and the modules it
// uses), from the kernel's table of mappings.
uint64_t MappedModuleBytes() {
    FILE* maps = std::fopen("/proc/self/maps", "r");
    if (!maps) return 0;
    uint64_t total = 0;
    char line[1024];
    while (std::fgets(line, sizeof line, maps)) {
        unsigned long long start = 0, end = 0, inode = 0;
        if (std::sscanf(line, "%llx-%llx %*s %*s %*s %llu", &start, &end, &inode) == 3 &&
            inode != 0) {
            total += end - start;
        }
    }
    std::fclose(maps);
    return total;
}

}  // namespace

MemoryTracker& Tracker() {
    return tracker;
}

void* MemoryTracker::Allocate(uint32_t n) {
    if (n > UINT32_MAX - kOverheadBytes) return nullptr;
    const uint32_t blockSize = n + kOverheadBytes;
    auto* block = static_cast<uint8_t*>(std::malloc(blockSize));
    if (!block) return nullptr;
    std::memcpy(block + kHeaderBytes - 4, &blockSize, 4);
    block[blockSize - 1] = kGuardByte;
    counters_.bytesAllocated += int64_t(n);
    counters_.blocksAllocated += 1;
    counters_.bytesInUse += int64_t(n);
    counters_.blocksInUse += 1;
    RaisePeak(counters_.peakBytes, counters_.bytesInUse);
    RaisePeak(counters_.peakBlocks, counters_.blocksInUse);
    return block + kHeaderBytes;
}

void MemoryTracker::Free(void* p) {
    if (!p) return;
    uint8_t* block = static_cast<uint8_t*>(p) - kHeaderBytes;
    uint32_t blockSize;
    std::memcpy(&blockSize, block + kHeaderBytes - 4, 4);
    const uint32_t n = blockSize - kOverheadBytes;
    if (block[blockSize - 1] != kGuardByte) {
        Log().WriteWarning("Detectado overflow em bloco de memória tamanho <%d>.",
                           static_cast<int>(n));
    }
    std::free(block);
    counters_.bytesInUse -= int64_t(n);
    counters_.blocksInUse -= 1;
}

void MemoryTracker::AccountBytes(uint32_t n) {
    counters_.bytesAllocated += int64_t(n);
    counters_.bytesInUse += int64_t(n);
    RaisePeak(counters_.peakBytes, counters_.bytesInUse);
}

void MemoryTracker::UnaccountBytes(uint32_t size, uint32_t count) {
    counters_.bytesInUse -= int64_t(size) * count;
}

void MemoryTracker::WriteStatistics(DebugLog& log, bool detailed) const {
    const MemoryCounters& c = counters_;
    log.WriteLine("\nEstatística do uso de memória:");
    const auto line = [&log](const char* label, int64_t bytes, int64_t blocks) {
        log.WriteLine(" * %s: %lldKB (%lld bytes) em %lld blocos.", label,
                      static_cast<long long>(bytes / 1024), static_cast<long long>(bytes),
                      static_cast<long long>(blocks));
    };
    line("Total de memória alocada", c.bytesAllocated, c.blocksAllocated);
    line("Pico de uso de memória..", c.peakBytes, c.peakBlocks);
    line("Memória em uso..........", c.bytesInUse, c.blocksInUse);
    if (detailed) {
        const struct mallinfo2 heap = mallinfo2();
        const auto heapBytes = static_cast<int>(heap.uordblks);
        log.WriteLine(" * Heap....................: %dKB (%d bytes)", heapBytes / 1024, heapBytes);
        log.WriteLine(" * Módulos carregados......: %3.2fMB",
                      static_cast<double>(MappedModuleBytes()) / 1024.0 / 1024.0);
    }
    if (c.bytesInUse != 0 || c.blocksInUse != 0) {
        log.WriteWarning("\n Houve um erro com o uso da memória.");
    }
}

void* TrackedObject::operator new(size_t size) {
    void* p = size <= UINT32_MAX ? TrackedAlloc(static_cast<uint32_t>(size)) : nullptr;
    if (!p) throw std::bad_alloc();
    return p;
}

void* TrackedObject::operator new[](size_t size) {
    return TrackedObject::operator new(size);
}
