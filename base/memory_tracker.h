// Counts every block the engine allocates and keeps a guard byte behind each
// one, so that the log can tell at the end of a run how much memory was used,
// whether anything was left allocated and whether a block was overrun.
//
// The tracker is deliberately not the global operator new: the standard
// library and the program that loads us allocate on their own, and mixing
// their blocks with ours would corrupt the heap. Engine code opts in instead:
// classes derive from TrackedObject, buffers and names come from TrackedAlloc,
// and containers that must be counted use TrackedAllocator.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>

class DebugLog;

// Wide enough for a long session: the totals only grow, and a game that
// loads and releases its assets over hours passes 2 GB of them.
struct MemoryCounters {
    int64_t blocksAllocated = 0;  // never decreases
    int64_t peakBlocks = 0;
    int64_t blocksInUse = 0;
    int64_t bytesAllocated = 0;  // never decreases
    int64_t peakBytes = 0;
    int64_t bytesInUse = 0;
};

class MemoryTracker {
public:
    constexpr MemoryTracker() = default;

    // n usable bytes (not cleared), or null when the heap refuses.
    void* Allocate(uint32_t n);
    // Null is ignored. Warns when the guard byte behind the block was
    // overwritten, and frees the block either way.
    void Free(void* p);

    // Memory a module holds outside tracked blocks.
    void AccountBytes(uint32_t n);
    void UnaccountBytes(uint32_t size, uint32_t count);

    // The statistics block of the log; the detailed form adds the process's
    // heap and mapped modules.
    void WriteStatistics(DebugLog& log, bool detailed) const;

    const MemoryCounters& Counters() const { return counters_; }

private:
    MemoryCounters counters_;
};

// The library's one tracker; usable from the first static constructor to the
// last static destructor.
MemoryTracker& Tracker();

inline void* TrackedAlloc(uint32_t n) {
    return Tracker().Allocate(n);
}
inline void TrackedFree(void* p) {
    Tracker().Free(p);
}

// Owning pointers to tracked blocks.
struct TrackedFreeDeleter {
    void operator()(void* p) const { TrackedFree(p); }
};
using TrackedBytes = std::unique_ptr<uint8_t[], TrackedFreeDeleter>;
using TrackedChars = std::unique_ptr<char[], TrackedFreeDeleter>;

// Base of every engine class whose objects are counted.
struct TrackedObject {
    static void* operator new(size_t size);
    static void* operator new[](size_t size);
    static void operator delete(void* p) noexcept { TrackedFree(p); }
    static void operator delete[](void* p) noexcept { TrackedFree(p); }
};

// Allocator for standard containers whose storage must be counted.
template <typename T>
struct TrackedAllocator {
    using value_type = T;

    TrackedAllocator() = default;
    template <typename U>
    TrackedAllocator(const TrackedAllocator<U>&) {}

    T* allocate(size_t n) {
        if (n > UINT32_MAX / sizeof(T)) throw std::bad_alloc();
        void* p = TrackedAlloc(static_cast<uint32_t>(n * sizeof(T)));
        if (!p) throw std::bad_alloc();
        return static_cast<T*>(p);
    }
    void deallocate(T* p, size_t) { TrackedFree(p); }

    template <typename U>
    bool operator==(const TrackedAllocator<U>&) const {
        return true;
    }
};
