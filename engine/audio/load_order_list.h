// What the effect list and the song list share. Both number their items by
// the order of the adds, a failed add included, because the game addresses
// its effects and songs by fixed numbers; and both keep their levels as
// bytes that the mixer gets in hundredths of a decibel.
#pragma once

#include <cstdint>
#include <memory>
#include <new>
#include <vector>

#include "base/debug_log.h"
#include "base/memory_tracker.h"
#include "engine/services/string_tools.h"

template <typename Item>
using LoadOrderList = std::vector<std::unique_ptr<Item>, TrackedAllocator<std::unique_ptr<Item>>>;

// Appends an empty item holding name and answers it; null when the list is
// full or memory ran out (then logged as a failed read of name).
template <typename Item>
Item* AppendNamed(LoadOrderList<Item>& list, const char* name) {
    if (list.size() >= size_t(INT16_MAX)) return nullptr;
    try {
        list.push_back(std::make_unique<Item>());
    } catch (const std::bad_alloc&) {
        Log().FileReadError(name);
        return nullptr;
    }
    list.back()->name = StringTools::Duplicate(name);
    return list.back().get();
}

// Appends an item holding name and fills it with load, which logs its own
// failure; answers the item's index, or -1 when it could not be appended
// or loaded (its place is taken all the same).
template <typename Item, typename Load>
int16_t AddInLoadOrder(LoadOrderList<Item>& list, const char* name, Load load) {
    const int16_t index = int16_t(list.size());
    Item* item = AppendNamed(list, name);
    if (!item || !load(*item)) return -1;
    Log().FileLoadedAt(name, index);
    return index;
}

// 255 is full level (0); each step down is a fifth of a decibel.
inline int32_t LevelMillibels(uint8_t level) {
    return int32_t(level) * 20 - 5100;
}
