#include "fuzz/recording_engine.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "base/debug_log.h"
#include "engine/modules/engine_modules.h"
#include "engine/services/vex_package.h"
#include "fuzz/scratch_file.h"
#include "platform/gfx/recording/recording_device.h"
#include "tools/vpfpack/package_writer.h"

void StartRecordingEngine() {
    static bool started = false;
    if (started) return;
    started = true;
    // Created before the engine, the log stays where it points: the engine's
    // own Create leaves an open log alone.
    Log().Create("/dev/null");
    static EngineLifetime* engine = new EngineLifetime();  // lives as long as the process
    (void)engine;
    // A device that takes textures up to 256 texels a side: larger pictures
    // are refused from their headers, so that a long run spends its time on
    // the readers rather than on filling large textures.
    gfx::RecordingConfig config;
    config.caps.maxTextureSize = 256;
    Direct3D().UseSystem(std::make_unique<gfx::RecordingSystem>(config));
    if (!Direct3D().Start({.width = 640, .height = 480, .bpp = 32})) {
        std::fputs("recording device did not start\n", stderr);
        std::abort();
    }
}

void ServeAsOnlyEntry(const char* name, const uint8_t* data, size_t size) {
    static ScratchFile file("asset.vpf");
    static VEX_Package package;
    std::string bytes, error;
    if (!BuildPackage(vpf::kFirstVersion, {{name, std::vector<uint8_t>(data, data + size)}}, bytes,
                      error)) {
        std::fprintf(stderr, "package of one entry refused: %s\n", error.c_str());
        std::abort();
    }
    file.Write(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    if (!package.Open(file.path(), false)) std::abort();
    Resource().SetPackage(&package);
}
