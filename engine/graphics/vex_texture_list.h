// VEX_TextureList: the engine's one texture store, a list of named textures
// addressed by small indices. It loads TGA, BMP and JPG images from the open
// package or from disk with its loader settings (levels, forced format,
// colour key), creates blank textures, binds textures to the two stages
// counting every real change, reads and writes single texels under a lock,
// and saves a texture as BMP. Entry 0, "null", stands for no texture.
#pragma once

#include <cstdint>
#include <memory>

#include "base/memory_tracker.h"
#include "base/slot_list.h"
#include "platform/gfx/gfx_image.h"
#include "platform/gfx/gfx_texture.h"

class VEX_Direct3D;

struct TextureEntry : TrackedObject {
    int16_t index = -1;
    TrackedChars name;
    std::unique_ptr<gfx::Texture> texture;  // null for the "null" entry
    int16_t width = 0, height = 0;
    uint8_t bits = 0;
    gfx::Format format = gfx::kFormatUnknown;
    uint32_t size = 0;  // bytes of level 0
    float inverseWidth = 0, inverseHeight = 0;
};

class VEX_TextureList : public TrackedObject {
public:
    explicit VEX_TextureList(VEX_Direct3D& d3d);
    ~VEX_TextureList();
    VEX_TextureList(const VEX_TextureList&) = delete;
    VEX_TextureList& operator=(const VEX_TextureList&) = delete;

    void SetFilters(uint32_t filter, uint32_t mipFilter);
    void SetColorKey(uint32_t argb) { settings_.colorKey = argb; }
    void SetFormat(gfx::Format format) { settings_.format = format; }
    // 0 asks for a full chain.
    void SetMipLevels(int32_t count) { settings_.mipLevels = count == 0 ? -1 : count; }
    const gfx::ImageLoadSettings& settings() const { return settings_; }

    int16_t Load(const char* name);
    int16_t Create(const char* name, int16_t width, int16_t height);
    int16_t LoadAllFromPackage();
    void Remove(int16_t index);
    bool Clear(bool includeNull);

    void Bind(uint32_t stage, int16_t index);
    // After a device reset the stages hold nothing, whatever was bound.
    void ForgetBindings();
    int16_t boundIndex(uint32_t stage) const { return stage < 2 ? bound_[stage] : int16_t(-1); }

    int16_t FindIndex(const char* name) const;
    const TextureEntry* FindEntry(const char* name) const;
    bool IsValid(int16_t index) const { return slots_.IsValid(index); }
    gfx::Texture* TextureOf(int16_t index) const;
    const TextureEntry* EntryOf(int16_t index) const;
    int16_t WidthOf(int16_t index) const;
    int16_t HeightOf(int16_t index) const;
    const char* NameOf(int16_t index) const;
    gfx::Format FormatOf(int16_t index) const;
    int16_t SlotsUsed() const { return slots_.SlotsUsed(); }
    int16_t LiveCount() const { return slots_.LiveCount(); }

    bool Lock(int16_t index, bool readOnly);
    void Unlock();
    // index -1 works on the locked texture; any other index is locked for
    // the one texel and unlocked again.
    void PutTexel(int16_t x, int16_t y, uint8_t r, uint8_t g, uint8_t b, uint8_t a, int16_t index);
    void GetTexel(int16_t x, int16_t y, uint8_t& r, uint8_t& g, uint8_t& b, uint8_t& a,
                  int16_t index);

    bool Save(int16_t index, const char* fileName);

private:
    VEX_Direct3D& d3d_;
    int16_t Insert(const char* name, std::unique_ptr<gfx::Texture> texture, const char* verb);
    // Locks another index for one texel; answers whether it did.
    bool BorrowLock(int16_t index, bool readOnly);
    void InsertNullEntry();

    SlotList<TextureEntry> slots_;
    int16_t bound_[2] = {-1, -1};
    gfx::ImageLoadSettings settings_;
    int16_t lockedIndex_ = 0;
    bool lockedReadOnly_ = false;
    uint32_t lockedPitch_ = 0;
    uint8_t* lockedBits_ = nullptr;
};
