// A managed texture: every mip level lives in system memory in its own
// format, and the backend's copy is refreshed from it when a level is
// unlocked after writing. Locks therefore never fail for lack of video
// memory, and a device reset loses nothing.
#pragma once

#include <cstdint>
#include <vector>

#include "base/memory_tracker.h"
#include "platform/gfx/gfx_types.h"

namespace gfx {

struct LevelDesc {
    Format format = kFormatUnknown;
    uint32_t width = 0, height = 0;
    uint32_t size = 0;  // bytes
};

struct LockedRect {
    uint32_t pitch = 0;
    uint8_t* bits = nullptr;
};

enum LockFlags : uint32_t { kLockReadOnly = 0x10, kLockNoDirtyUpdate = 0x8000 };

class Texture : public TrackedObject {
public:
    virtual ~Texture() = default;
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    uint32_t LevelCount() const { return static_cast<uint32_t>(levels_.size()); }
    bool GetLevelDesc(uint32_t level, LevelDesc& desc) const;
    // One lock at a time per level; false for a bad level or a second lock.
    bool LockRect(uint32_t level, LockedRect& locked, uint32_t flags);
    // Ends the lock; a lock without the read-only or no-dirty flags sends
    // the level to the backend.
    bool UnlockRect(uint32_t level);

    // Read access for backends and savers.
    const uint8_t* LevelBits(uint32_t level) const { return levels_[level].bits.data(); }
    uint32_t LevelPitch(uint32_t level) const { return levels_[level].pitch; }

protected:
    // Storage for levels x width x height texels of the format (halving down
    // to 1 x 1); false when the format has no texel size.
    Texture() = default;
    bool Allocate(uint32_t width, uint32_t height, uint32_t levels, Format format);
    // The backend takes the level's contents.
    virtual void Upload(uint32_t level) = 0;

private:
    struct Level {
        LevelDesc desc;
        uint32_t pitch = 0;
        std::vector<uint8_t, TrackedAllocator<uint8_t>> bits;
        bool locked = false;
        bool dirtyOnUnlock = false;
    };
    std::vector<Level, TrackedAllocator<Level>> levels_;
};

// The number of levels of a full chain down to 1 x 1.
uint32_t FullChainLevels(uint32_t width, uint32_t height);

}  // namespace gfx
