#include "engine/graphics/vex_texture_list.h"

#include <algorithm>
#include <cstring>

#include "base/debug_log.h"
#include "engine/graphics/vex_direct3d.h"
#include "engine/services/string_tools.h"
#include "engine/services/vex_package.h"
#include "engine/services/vex_resource.h"
#include "platform/gfx/gfx_formats.h"

using namespace gfx;

VEX_TextureList::VEX_TextureList(VEX_Direct3D& d3d) : d3d_(d3d) {
    Log().ModuleStarting("VEX_TextureList");
    SetFilters(kFilterTriangle, kFilterBox);
    InsertNullEntry();
    Log().ReportOk();
}

VEX_TextureList::~VEX_TextureList() {
    Log().ModuleFinishing("VEX_TextureList");
    if (Device* device = d3d_.device()) {
        device->SetTexture(0, nullptr);
        device->SetTexture(1, nullptr);
    }
    bound_[0] = bound_[1] = -1;
    Clear(true);
    Log().ReportOk();
}

void VEX_TextureList::InsertNullEntry() {
    auto entry = std::make_unique<TextureEntry>();
    entry->name = StringTools::Duplicate("null");
    TextureEntry* kept = entry.get();
    kept->index = slots_.Insert(std::move(entry));
}

void VEX_TextureList::SetFilters(uint32_t filter, uint32_t mipFilter) {
    settings_.filter = filter;
    settings_.mipFilter = mipFilter;
}

int16_t VEX_TextureList::Insert(const char* name, std::unique_ptr<Texture> texture,
                                const char* verb) {
    LevelDesc desc;
    texture->GetLevelDesc(0, desc);
    auto entry = std::make_unique<TextureEntry>();
    entry->name = StringTools::Duplicate(name);
    entry->texture = std::move(texture);
    entry->width = static_cast<int16_t>(desc.width);
    entry->height = static_cast<int16_t>(desc.height);
    entry->format = desc.format;
    entry->size = desc.size;
    entry->bits = gfx::FormatBits(desc.format);
    entry->inverseWidth = 1.0f / float(desc.width);
    entry->inverseHeight = 1.0f / float(desc.height);
    TextureEntry* kept = entry.get();
    const int16_t index = slots_.Insert(std::move(entry));
    if (index == SlotList<TextureEntry>::kNone) {
        Log().WriteWarning("Memória insuficiente para carregar textura <%s>.", name);
        return -1;
    }
    kept->index = index;
    Log().WriteLine("Textura <%s>(%dx%d - %s - %dKB) %s com sucesso em index <%d>.", name,
                    kept->width, kept->height, gfx::FormatName(kept->format), int(kept->size >> 10),
                    verb, index);
    return index;
}

int16_t VEX_TextureList::Load(const char* name) {
    Device* device = d3d_.device();
    if (!device || !name) return -1;
    const int16_t existing = FindIndex(name);
    if (existing >= 0) return existing;

    std::unique_ptr<Texture> texture;
    Result result;
    VEX_Resource& resource = Resource();
    if (VEX_Package* package = resource.currentPackage()) {
        if (!package->IsOpen(true, name)) return -1;
        const int16_t entry = package->FindByName(name, true);
        if (entry < 0) return -1;
        const uint32_t size = package->ReadEntry(entry, true);
        if (size == 0) return -1;
        result = CreateTextureFromMemory(*device, package->data(), size, settings_, texture);
        package->ReleaseData();
    } else {
        if (!resource.BuildPath(name) || !StringTools::FileExists(resource.path())) return -1;
        result = CreateTextureFromFile(*device, resource.path(), settings_, texture);
    }
    switch (result) {
        case Result::Ok:
            return Insert(name, std::move(texture), "carregada");
        case Result::OutOfVideoMemory:
            Log().WriteWarning("Sem memória de vídeo suficiente para carregar textura <%s>.", name);
            return -1;
        case Result::OutOfMemory:
            Log().WriteWarning("Memória insuficiente para carregar textura <%s>.", name);
            return -1;
        default:
            Log().WriteWarning("Erro inesperado ao carregar textura <%s>.", name);
            return -1;
    }
}

int16_t VEX_TextureList::Create(const char* name, int16_t width, int16_t height) {
    Device* device = d3d_.device();
    if (!device || !name || FindIndex(name) >= 0) return -1;
    // Without a forced format a blank texture gets the one every texel
    // operation knows and that keeps alpha.
    const Format format = settings_.format == kFormatUnknown ? kFormatA8R8G8B8 : settings_.format;
    std::unique_ptr<Texture> texture;
    const uint32_t levels = settings_.mipLevels < 0 ? 0 : uint32_t(settings_.mipLevels);
    if (width < 1 || height < 1 ||
        device->CreateTexture(uint32_t(width), uint32_t(height), levels, format, texture) !=
            Result::Ok) {
        Log().WriteWarning("Erro ao criar textura <%s>(%dx%d - %s).", name, width, height,
                           gfx::FormatName(settings_.format));
        return -1;
    }
    return Insert(name, std::move(texture), "criada");
}

int16_t VEX_TextureList::LoadAllFromPackage() {
    VEX_Package* package = Resource().currentPackage();
    if (!package || !package->IsOpen(false)) return -1;
    int16_t loaded = 0;
    for (int16_t i = 0; i < package->GetCount(); ++i) {
        const char* name = package->GetEntryName(i);
        const size_t length = name ? std::strlen(name) : 0;
        if (length < 3) continue;
        const char* tail = name + length - 3;
        if (std::strcmp(tail, "bmp") != 0 && std::strcmp(tail, "tga") != 0 &&
            std::strcmp(tail, "jpg") != 0)
            continue;
        if (Load(name) >= 0) ++loaded;
    }
    return loaded;
}

void VEX_TextureList::Remove(int16_t index) {
    if (!slots_.IsValid(index)) return;
    if (lockedIndex_ != 0) Unlock();
    // A stage must not keep drawing with a texture that is gone.
    for (uint32_t stage = 0; stage < 2; ++stage) {
        if (bound_[stage] != index) continue;
        if (Device* device = d3d_.device()) device->SetTexture(stage, nullptr);
        bound_[stage] = -1;
    }
    slots_.Remove(index);
}

bool VEX_TextureList::Clear(bool includeNull) {
    if (includeNull) Remove(0);
    for (int16_t i = 1; i < slots_.SlotsUsed(); ++i) Remove(i);
    if (slots_.SlotsUsed() > 1) {
        slots_.Clear();
        // Index 0 always means "no texture": a list that keeps its null
        // entry gets it back in slot 0, so new textures start at 1 again.
        if (!includeNull) InsertNullEntry();
    }
    return true;
}

void VEX_TextureList::ForgetBindings() {
    bound_[0] = bound_[1] = -1;
}

void VEX_TextureList::Bind(uint32_t stage, int16_t index) {
    if (!slots_.IsValid(index)) index = 0;
    if (stage > 1) return;
    Unlock();
    if (index == bound_[stage]) return;
    if (Device* device = d3d_.device()) device->SetTexture(stage, TextureOf(index));
    d3d_.AddTextureChanges(1);
    bound_[stage] = index;
}

int16_t VEX_TextureList::FindIndex(const char* name) const {
    return slots_.FindNamed(name);
}

const TextureEntry* VEX_TextureList::FindEntry(const char* name) const {
    const int16_t index = FindIndex(name);
    return index >= 0 ? slots_.Get(index) : slots_.Get(0);
}

Texture* VEX_TextureList::TextureOf(int16_t index) const {
    const TextureEntry* entry = slots_.Get(index);
    return entry ? entry->texture.get() : nullptr;
}

const TextureEntry* VEX_TextureList::EntryOf(int16_t index) const {
    return slots_.IsValid(index) ? slots_.Get(index) : slots_.Get(0);
}

int16_t VEX_TextureList::WidthOf(int16_t index) const {
    const TextureEntry* entry = slots_.Get(index);
    return entry ? entry->width : 0;
}

int16_t VEX_TextureList::HeightOf(int16_t index) const {
    const TextureEntry* entry = slots_.Get(index);
    return entry ? entry->height : 0;
}

const char* VEX_TextureList::NameOf(int16_t index) const {
    const TextureEntry* entry = slots_.Get(index);
    return entry ? entry->name.get() : nullptr;
}

Format VEX_TextureList::FormatOf(int16_t index) const {
    const TextureEntry* entry = slots_.Get(index);
    return entry ? entry->format : kFormatUnknown;
}

bool VEX_TextureList::Lock(int16_t index, bool readOnly) {
    Unlock();
    const TextureEntry* entry = slots_.Get(index);
    if (!entry || entry->bits == 0 || !entry->texture) return false;
    LockedRect locked;
    if (!entry->texture->LockRect(0, locked, readOnly ? kLockReadOnly | kLockNoDirtyUpdate : 0))
        return false;
    lockedIndex_ = index;
    lockedReadOnly_ = readOnly;
    lockedPitch_ = locked.pitch;
    lockedBits_ = locked.bits;
    return true;
}

void VEX_TextureList::Unlock() {
    if (lockedIndex_ == 0) return;
    if (Texture* texture = TextureOf(lockedIndex_)) texture->UnlockRect(0);
    lockedIndex_ = 0;
    lockedBits_ = nullptr;
    lockedPitch_ = 0;
}

bool VEX_TextureList::BorrowLock(int16_t index, bool readOnly) {
    if (index == -1 || index == lockedIndex_) return false;
    Unlock();
    Lock(index, readOnly);
    return true;
}

void VEX_TextureList::PutTexel(int16_t x, int16_t y, uint8_t r, uint8_t g, uint8_t b, uint8_t a,
                               int16_t index) {
    const bool borrowed = BorrowLock(index, false);
    const TextureEntry* entry = slots_.Get(lockedIndex_);
    if (lockedIndex_ != 0 && entry && !lockedReadOnly_ && CanPackTexel(entry->format) && x >= 0 &&
        x < entry->width && y >= 0 && y < entry->height) {
        const uint32_t packed = PackTexel(entry->format, {r, g, b, a});
        std::memcpy(lockedBits_ + size_t(y) * lockedPitch_ + size_t(x) * (entry->bits / 8), &packed,
                    entry->bits / 8);
    }
    if (borrowed) Unlock();
}

void VEX_TextureList::GetTexel(int16_t x, int16_t y, uint8_t& r, uint8_t& g, uint8_t& b, uint8_t& a,
                               int16_t index) {
    const bool borrowed = BorrowLock(index, true);
    Texel texel;
    const TextureEntry* entry = slots_.Get(lockedIndex_);
    if (lockedIndex_ != 0 && entry && CanPackTexel(entry->format)) {
        x = std::clamp<int16_t>(x, 0, int16_t(entry->width - 1));
        y = std::clamp<int16_t>(y, 0, int16_t(entry->height - 1));
        uint32_t value = 0;
        std::memcpy(&value, lockedBits_ + size_t(y) * lockedPitch_ + size_t(x) * (entry->bits / 8),
                    entry->bits / 8);
        texel = UnpackTexel(entry->format, value);
    }
    r = texel.r, g = texel.g, b = texel.b, a = texel.a;
    if (borrowed) Unlock();
}

bool VEX_TextureList::Save(int16_t index, const char* fileName) {
    const TextureEntry* entry = slots_.Get(index);
    VEX_Resource& resource = Resource();
    if (!entry || !fileName || !resource.BuildPath(fileName)) return false;
    if (entry->texture && SaveTextureToBmp(*entry->texture, resource.path())) {
        Log().WriteLine("Textura <%s> salva com sucesso em <%s>.", entry->name.get(),
                        resource.path());
        return true;
    }
    Log().WriteWarning("Erro ao salvar textura <%s> para arquivo <%s>.", entry->name.get(),
                       resource.path());
    return false;
}
