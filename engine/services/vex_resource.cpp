#include "engine/services/vex_resource.h"

#include <cstring>
#include <fstream>
#include <iterator>

#include "base/debug_log.h"
#include "engine/services/string_tools.h"
#include "engine/services/vex_package.h"

namespace {

// The engine runs one resource module at a time; the loaders of every layer
// above find it here rather than through the module list above them.
constinit VEX_Resource* running = nullptr;

}  // namespace

VEX_Resource::VEX_Resource() {
    Log().ModuleStarting("VEX_Resource");
    running = this;
    Log().ReportOk();
}

VEX_Resource::~VEX_Resource() {
    Log().ModuleFinishing("VEX_Resource");
    if (running == this) running = nullptr;
    Log().ReportOk();
}

VEX_Resource& Resource() {
    return *running;
}

bool VEX_Resource::BuildPath(const char* name) {
    if (!name) return false;
    // A cut path would name another file; refuse it instead.
    const size_t length = std::strlen(name);
    if (length >= sizeof path_) {
        path_[0] = '\0';
        return false;
    }
    std::memcpy(path_, name, length + 1);
    for (char* c = path_; *c; ++c) {
        if (*c == '\\') *c = '/';
    }
    return true;
}

bool VEX_Resource::ReadAsset(const char* name, bool log, std::vector<uint8_t>& bytes) {
    bytes.clear();
    if (VEX_Package* package = currentPackage_) {
        if (!package->IsOpen(log, name)) return false;
        const int16_t entry = package->FindByName(name, log);
        if (entry < 0) return false;
        const uint32_t size = package->ReadEntry(entry, log);
        if (size == 0) return false;
        bytes.assign(package->data(), package->data() + size);
        package->ReleaseData();
        return true;
    }
    if (!BuildPath(name) || !StringTools::FileExists(path_)) return false;
    std::ifstream in(path_, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}
