#include "base/memory_tracker.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "base/debug_log.h"
#include "tests/base/log_tail.h"

namespace {

struct Probe : TrackedObject {
    char bytes[40];
};

std::string ReadAll(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

TEST(MemoryTracker, CountsBlocksAndBytesAndKeepsPeaks) {
    MemoryTracker tracker;
    void* a = tracker.Allocate(100);
    void* b = tracker.Allocate(0);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    std::memset(a, 0x55, 100);
    MemoryCounters c = tracker.Counters();
    EXPECT_EQ(c.blocksAllocated, 2);
    EXPECT_EQ(c.blocksInUse, 2);
    EXPECT_EQ(c.bytesAllocated, 100);
    EXPECT_EQ(c.bytesInUse, 100);

    tracker.Free(a);
    tracker.Free(b);
    tracker.Free(nullptr);
    void* d = tracker.Allocate(30);
    c = tracker.Counters();
    EXPECT_EQ(c.blocksAllocated, 3);
    EXPECT_EQ(c.bytesAllocated, 130);
    EXPECT_EQ(c.peakBytes, 100);
    EXPECT_EQ(c.peakBlocks, 2);
    EXPECT_EQ(c.bytesInUse, 30);
    EXPECT_EQ(c.blocksInUse, 1);
    tracker.Free(d);
    EXPECT_EQ(tracker.Counters().bytesInUse, 0);
    EXPECT_EQ(tracker.Counters().blocksInUse, 0);
}

TEST(MemoryTracker, BlocksKeepTheHeapsAlignment) {
    MemoryTracker tracker;
    for (uint32_t n : {0u, 1u, 3u, 17u, 1000u}) {
        void* p = tracker.Allocate(n);
        EXPECT_EQ(reinterpret_cast<uintptr_t>(p) % alignof(std::max_align_t), 0u) << n;
        tracker.Free(p);
    }
}

TEST(MemoryTracker, RefusesSizesThatCannotBeRecorded) {
    MemoryTracker tracker;
    EXPECT_EQ(tracker.Allocate(UINT32_MAX), nullptr);
    EXPECT_EQ(tracker.Counters().blocksAllocated, 0);
}

TEST(MemoryTracker, AnOverrunIsReportedAndTheBlockStillFreed) {
    LogTail log;
    MemoryTracker tracker;
    auto* p = static_cast<uint8_t*>(tracker.Allocate(10));
    p[10] = 0;  // one past the end: the guard byte
    tracker.Free(p);
    EXPECT_TRUE(log.HasLine("AVISO: Detectado overflow em bloco de memória tamanho <10>."));
    EXPECT_EQ(tracker.Counters().blocksInUse, 0);
}

TEST(MemoryTracker, AccountedBytesCountWithoutBlocks) {
    MemoryTracker tracker;
    tracker.AccountBytes(24);
    tracker.AccountBytes(24);
    tracker.UnaccountBytes(24, 2);
    const MemoryCounters c = tracker.Counters();
    EXPECT_EQ(c.bytesAllocated, 48);
    EXPECT_EQ(c.peakBytes, 48);
    EXPECT_EQ(c.bytesInUse, 0);
    EXPECT_EQ(c.blocksAllocated, 0);
}

// A long session loads and releases far more than 2 GB in total; the
// totals keep counting where a 32-bit count would overflow.
TEST(MemoryTracker, TotalsPastTwoGigabytesKeepCounting) {
    MemoryTracker tracker;
    constexpr uint32_t kBlock = 1u << 30;  // the counts matter, not the memory
    for (int i = 0; i < 3; ++i) tracker.AccountBytes(kBlock);
    tracker.UnaccountBytes(kBlock, 3);
    void* p = tracker.Allocate(100);
    ASSERT_NE(p, nullptr);
    tracker.Free(p);
    const MemoryCounters c = tracker.Counters();
    EXPECT_EQ(c.bytesAllocated, 3 * int64_t(kBlock) + 100);
    EXPECT_EQ(c.peakBytes, 3 * int64_t(kBlock));
    EXPECT_EQ(c.bytesInUse, 0);
    EXPECT_EQ(c.blocksInUse, 0);
}

TEST(MemoryTracker, StatisticsWarnOnlyWhenSomethingIsLeft) {
    const char* path = "statistics_test.log";
    MemoryTracker tracker;
    void* kept = tracker.Allocate(2048);
    tracker.Free(tracker.Allocate(1000));

    DebugLog log;
    log.Create(path);
    tracker.WriteStatistics(log, false);
    tracker.Free(kept);
    tracker.WriteStatistics(log, false);
    const std::string text = ReadAll(path);
    log.CloseAndDelete();

    const std::string block = ToWindows1252(
        "\r\nEstatística do uso de memória:\r\n"
        " * Total de memória alocada: 2KB (3048 bytes) em 2 blocos.\r\n"
        " * Pico de uso de memória..: 2KB (3048 bytes) em 2 blocos.\r\n");
    const std::string leaked = ToWindows1252(
        " * Memória em uso..........: 2KB (2048 bytes) em 1 blocos.\r\n"
        "AVISO: \r\n Houve um erro com o uso da memória.\r\n");
    const std::string clean =
        ToWindows1252(" * Memória em uso..........: 0KB (0 bytes) em 0 blocos.\r\n");
    EXPECT_NE(text.find(block + leaked + block + clean), std::string::npos) << text;
    EXPECT_EQ(text.find("Houve"), text.rfind("Houve"));
    EXPECT_EQ(text.find("Heap"), std::string::npos);  // short form
}

TEST(MemoryTracker, DetailedStatisticsAddHeapAndModules) {
    const char* path = "statistics_detail_test.log";
    MemoryTracker tracker;
    DebugLog log;
    log.Create(path);
    tracker.WriteStatistics(log, true);
    const std::string text = ReadAll(path);
    log.CloseAndDelete();
    EXPECT_NE(text.find(" * Heap....................: "), std::string::npos);
    EXPECT_NE(text.find(ToWindows1252(" * Módulos carregados......: ")), std::string::npos);
}

// The program that loads the library allocates through the standard
// operators; only what the engine owns may show in the statistics.
TEST(MemoryTracker, CountsTheEngineAndNothingElse) {
    const MemoryCounters before = Tracker().Counters();
    {
        std::string text(5000, 'x');
        text += text;
        auto numbers = std::make_unique<std::vector<int>>(1000, 7);
        void* raw = std::malloc(300);
        std::free(raw);
        delete[] new char[77];
    }
    EXPECT_EQ(Tracker().Counters().blocksAllocated, before.blocksAllocated);
    EXPECT_EQ(Tracker().Counters().bytesAllocated, before.bytesAllocated);

    auto probe = std::make_unique<Probe>();
    std::vector<int, TrackedAllocator<int>> counted(10);
    EXPECT_EQ(Tracker().Counters().blocksInUse, before.blocksInUse + 2);
    EXPECT_EQ(Tracker().Counters().bytesInUse,
              before.bytesInUse + static_cast<int32_t>(sizeof(Probe) + 10 * sizeof(int)));
    probe.reset();
    counted = {};
    counted.shrink_to_fit();
    EXPECT_EQ(Tracker().Counters().blocksInUse, before.blocksInUse);
    EXPECT_EQ(Tracker().Counters().bytesInUse, before.bytesInUse);
}
