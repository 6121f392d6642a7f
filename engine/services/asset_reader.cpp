#include "engine/services/asset_reader.h"

#include <cstdio>

#include "engine/services/string_tools.h"
#include "engine/services/vex_package.h"
#include "engine/services/vex_resource.h"

namespace {

// Sizes are handed on as signed 32-bit counts further down.
constexpr long kLargestFile = 0x7FFFFFFF;

uint32_t ReadLooseFile(const char* path, TrackedBytes& out) {
    FILE* file = std::fopen(path, "rb");
    if (!file) return 0;
    uint32_t read = 0;
    long size = 0;
    if (std::fseek(file, 0, SEEK_END) == 0 && (size = std::ftell(file)) > 0 &&
        size <= kLargestFile && std::fseek(file, 0, SEEK_SET) == 0) {
        out.reset(static_cast<uint8_t*>(TrackedAlloc(uint32_t(size))));
        if (out && std::fread(out.get(), 1, size_t(size), file) == size_t(size)) {
            read = uint32_t(size);
        } else {
            out.reset();
        }
    }
    std::fclose(file);
    return read;
}

}  // namespace

uint32_t ReadAssetBytes(const char* name, TrackedBytes& out) {
    out.reset();
    if (!name) return 0;
    VEX_Resource& resource = Resource();
    if (VEX_Package* package = resource.currentPackage()) {
        if (!package->IsOpen(true, name)) return 0;
        const int16_t entry = package->FindByName(name, true);
        if (entry < 0) return 0;
        return package->ReadEntryInto(entry, out, true);
    }
    if (!resource.BuildPath(name) || !StringTools::FileExists(resource.path())) return 0;
    return ReadLooseFile(resource.path(), out);
}
