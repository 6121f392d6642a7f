#include "base/slot_list.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct Item : TrackedObject {
    explicit Item(int v) : value(v) {}
    int value;
};

int16_t Add(SlotList<Item>& list, int value) {
    return list.Insert(std::make_unique<Item>(value));
}

// An item named as the engine's lists name theirs: an owned C string that
// may be null.
struct Named {
    explicit Named(const char* text) {
        if (!text) return;
        name = std::make_unique<char[]>(std::strlen(text) + 1);
        std::strcpy(name.get(), text);
    }
    std::unique_ptr<char[]> name;
};

int16_t Add(SlotList<Named>& list, const char* name) {
    return list.Insert(std::make_unique<Named>(name));
}

}  // namespace

TEST(SlotList, FreedIndicesAreReusedFirstFreedFirstBeforeAppending) {
    SlotList<Item> list;
    for (int i = 0; i < 4; ++i) EXPECT_EQ(Add(list, i), i);
    EXPECT_TRUE(list.Remove(2));
    EXPECT_TRUE(list.Remove(0));
    EXPECT_EQ(list.LiveCount(), 2);
    EXPECT_EQ(list.SlotsUsed(), 4);
    EXPECT_FALSE(list.IsValid(2));
    EXPECT_EQ(list.Get(0), nullptr);

    EXPECT_EQ(Add(list, 20), 2);
    EXPECT_EQ(Add(list, 10), 0);
    EXPECT_EQ(Add(list, 4), 4);
    EXPECT_EQ(list.Get(2)->value, 20);
    EXPECT_EQ(list.Get(0)->value, 10);
    EXPECT_EQ(list.LiveCount(), 5);
}

TEST(SlotList, InvalidIndicesAreRefused) {
    SlotList<Item> list;
    Add(list, 1);
    EXPECT_FALSE(list.IsValid(-1));
    EXPECT_FALSE(list.IsValid(1));
    EXPECT_FALSE(list.Remove(1));
    EXPECT_TRUE(list.Remove(0));
    EXPECT_FALSE(list.Remove(0));
    EXPECT_EQ(list.LiveCount(), 0);
}

TEST(SlotList, ClearEmptiesEverythingAndReleasesItsMemory) {
    const MemoryCounters before = Tracker().Counters();
    {
        SlotList<Item> list;
        Add(list, 1);
        Add(list, 2);
        list.Remove(0);
        EXPECT_GT(Tracker().Counters().blocksInUse, before.blocksInUse);
        list.Clear();
        EXPECT_EQ(list.LiveCount(), 0);
        EXPECT_EQ(list.SlotsUsed(), 0);
        EXPECT_EQ(Add(list, 3), 0);  // the freed-index queue went too
        list.Clear();
        EXPECT_EQ(Tracker().Counters().blocksInUse, before.blocksInUse);
    }
    EXPECT_EQ(Tracker().Counters().bytesInUse, before.bytesInUse);
}

TEST(SlotList, RefusesMoreThanSixteenBitIndices) {
    SlotList<Item> list;
    for (int i = 0; i < INT16_MAX; ++i) ASSERT_EQ(Add(list, i), i);
    EXPECT_EQ(Add(list, -1), SlotList<Item>::kNone);
    EXPECT_EQ(list.LiveCount(), INT16_MAX);
    list.Remove(7);
    EXPECT_EQ(Add(list, 7), 7);
}

TEST(SlotList, FindsTheFirstLiveItemOfANameAndNothingForNullOrAbsentNames) {
    SlotList<Named> list;
    Add(list, "wood");
    Add(list, nullptr);
    Add(list, "felt");
    Add(list, "felt");
    EXPECT_EQ(list.FindNamed("felt"), 2);
    EXPECT_EQ(list.FindNamed("Felt"), SlotList<Named>::kNone);
    EXPECT_EQ(list.FindNamed("fel"), SlotList<Named>::kNone);
    EXPECT_EQ(list.FindNamed(nullptr), SlotList<Named>::kNone);
    EXPECT_EQ(list.FindNamed(""), SlotList<Named>::kNone);
    // A removed item is not found; a later one of the same name is.
    EXPECT_TRUE(list.Remove(2));
    EXPECT_EQ(list.FindNamed("felt"), 3);
    EXPECT_TRUE(list.Remove(0));
    EXPECT_EQ(list.FindNamed("wood"), SlotList<Named>::kNone);
}
