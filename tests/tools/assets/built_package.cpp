#include "built_package.h"

#include <memory>

#include "engine/services/vex_package.h"

namespace {

VEX_Package& Package() {
    static const std::unique_ptr<VEX_Package> package = [] {
        auto p = std::make_unique<VEX_Package>();
        p->Open(RINGDISK_PACKAGE_PATH, false);
        return p;
    }();
    return *package;
}

}  // namespace

const std::string& BuiltPackageError() {
    static const std::string error = Package().IsOpen(false)
                                         ? std::string()
                                         : std::string("cannot open ") + RINGDISK_PACKAGE_PATH;
    return error;
}

std::vector<uint8_t> PackageEntryBytes(const char* name) {
    VEX_Package& package = Package();
    const int16_t index = package.FindByName(name, false);
    if (index < 0) return {};
    TrackedBytes bytes;
    const uint32_t size = package.ReadEntryInto(index, bytes, false);
    return std::vector<uint8_t>(bytes.get(), bytes.get() + size);
}

std::vector<std::string> PackageEntryNames() {
    std::vector<std::string> names;
    for (int16_t i = 0; i < Package().GetCount(); ++i)
        names.emplace_back(Package().GetEntryName(i));
    return names;
}
