#include "platform/gfx/gfx_texture.h"

#include <algorithm>
#include <new>

#include "platform/gfx/gfx_formats.h"

namespace gfx {

uint32_t FullChainLevels(uint32_t width, uint32_t height) {
    uint32_t levels = 1;
    while (width > 1 || height > 1) {
        width = std::max(1u, width / 2);
        height = std::max(1u, height / 2);
        ++levels;
    }
    return levels;
}

bool Texture::Allocate(uint32_t width, uint32_t height, uint32_t levels, Format format) {
    const uint32_t bytesPerTexel = FormatBits(format) / 8;
    if (bytesPerTexel == 0 || width == 0 || height == 0 || IsDepthFormat(format)) return false;
    levels = std::min(levels == 0 ? FullChainLevels(width, height) : levels,
                      FullChainLevels(width, height));
    try {
        levels_.resize(levels);
        for (Level& level : levels_) {
            level.desc = {format, width, height, width * height * bytesPerTexel};
            level.pitch = width * bytesPerTexel;
            level.bits.assign(level.desc.size, 0);
            width = std::max(1u, width / 2);
            height = std::max(1u, height / 2);
        }
    } catch (const std::bad_alloc&) {
        levels_.clear();
        return false;
    }
    return true;
}

bool Texture::GetLevelDesc(uint32_t level, LevelDesc& desc) const {
    if (level >= levels_.size()) return false;
    desc = levels_[level].desc;
    return true;
}

bool Texture::LockRect(uint32_t level, LockedRect& locked, uint32_t flags) {
    if (level >= levels_.size() || levels_[level].locked) return false;
    Level& l = levels_[level];
    l.locked = true;
    l.dirtyOnUnlock = (flags & (kLockReadOnly | kLockNoDirtyUpdate)) == 0;
    locked.pitch = l.pitch;
    locked.bits = l.bits.data();
    return true;
}

bool Texture::UnlockRect(uint32_t level) {
    if (level >= levels_.size() || !levels_[level].locked) return false;
    levels_[level].locked = false;
    if (levels_[level].dirtyOnUnlock) Upload(level);
    return true;
}

}  // namespace gfx
