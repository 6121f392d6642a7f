// The audio engine started on the disk speakers, with loaders reading a
// package made for the test (or loose files when none is given).
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/audio/vex_audio.h"
#include "engine/services/vex_package.h"
#include "engine/services/vex_resource.h"
#include "tests/engine/audio/disk_speakers.h"
#include "tools/vpfpack/package_writer.h"

class AudioTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(audio.Initialise()) << "no sound through SDL's disk driver";
    }
    void TearDown() override { Resource().SetPackage(nullptr); }

    // Makes a package of the entries and lets the loaders read it.
    void UsePackage(const std::vector<PackageSource>& entries) {
        const std::string path = "audio_test.vpf";
        std::string error;
        ASSERT_TRUE(WritePackage(path, 103, entries, error)) << error;
        ASSERT_TRUE(package.Open(path.c_str(), false));
        Resource().SetPackage(&package);
    }

    DiskSpeakers speakers;  // before the device opens
    VEX_Package package;
    VEX_Audio audio;
};
