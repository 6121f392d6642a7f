// The storage of every indexed engine list (textures, lights, fonts,
// sprites, particles). Items keep their index for life; a freed index is
// handed out again before the list grows, the one freed first going first,
// so indices stay small and stable. Indices are signed 16-bit; -1 is none.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "base/memory_tracker.h"

template <typename T>
class SlotList {
public:
    static constexpr int16_t kNone = -1;

    // Takes the item; answers its index, or kNone when every one of the
    // 32767 indices is taken (the item is then destroyed).
    int16_t Insert(std::unique_ptr<T> item) {
        int16_t index;
        if (!freeIndices_.empty()) {
            index = freeIndices_.front();
            freeIndices_.erase(freeIndices_.begin());
            slots_[static_cast<size_t>(index)] = std::move(item);
        } else {
            if (slots_.size() >= static_cast<size_t>(INT16_MAX)) return kNone;
            index = static_cast<int16_t>(slots_.size());
            slots_.push_back(std::move(item));
        }
        ++liveCount_;
        return index;
    }

    // Destroys the item of a valid index and frees the index; false for an
    // index that holds no item.
    bool Remove(int16_t index) {
        if (!IsValid(index)) return false;
        slots_[static_cast<size_t>(index)].reset();
        --liveCount_;
        freeIndices_.push_back(index);
        return true;
    }

    bool IsValid(int16_t index) const {
        return index >= 0 && index < SlotsUsed() && slots_[static_cast<size_t>(index)] != nullptr;
    }

    // The item of an index, or null when the index holds none.
    T* Get(int16_t index) const {
        return IsValid(index) ? slots_[static_cast<size_t>(index)].get() : nullptr;
    }

    // The first index whose item carries this name (items with a `name`
    // that may be null), or kNone; a null name finds nothing.
    int16_t FindNamed(const char* name) const {
        if (!name) return kNone;
        for (int16_t i = 0; i < SlotsUsed(); ++i) {
            const T* item = Get(i);
            if (item && item->name && std::strcmp(item->name.get(), name) == 0) return i;
        }
        return kNone;
    }

    // Room for count items before the list's own storage grows.
    void Reserve(int16_t count) {
        slots_.reserve(static_cast<size_t>(count));
        freeIndices_.reserve(static_cast<size_t>(count));
    }

    void Clear() {
        slots_.clear();
        slots_.shrink_to_fit();
        freeIndices_.clear();
        freeIndices_.shrink_to_fit();
        liveCount_ = 0;
    }

    int16_t LiveCount() const { return liveCount_; }
    int16_t SlotsUsed() const { return static_cast<int16_t>(slots_.size()); }

private:
    std::vector<std::unique_ptr<T>, TrackedAllocator<std::unique_ptr<T>>> slots_;
    // Oldest first. A vector rather than a deque: a deque holds memory even
    // when empty, and a cleared list must give all of its memory back.
    std::vector<int16_t, TrackedAllocator<int16_t>> freeIndices_;
    int16_t liveCount_ = 0;
};
