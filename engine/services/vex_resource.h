// Where every loader finds its files: the current package when one is set,
// loose files otherwise, plus the shared scratch buffers for composed paths
// and texts.
#pragma once

#include <cstdint>
#include <vector>

#include "base/memory_tracker.h"

class VEX_Package;

class VEX_Resource : public TrackedObject {
public:
    static constexpr size_t kTextBufferBytes = 4096;

    VEX_Resource();
    ~VEX_Resource();
    VEX_Resource(const VEX_Resource&) = delete;
    VEX_Resource& operator=(const VEX_Resource&) = delete;

    // Composes the path of a named file. Files are named relative to the
    // working folder, so the path is the name itself, with Windows
    // separators turned to '/'. False when no name is given or the path
    // does not fit.
    bool BuildPath(const char* name);
    const char* path() const { return path_; }

    // Reads a named asset whole: from the current package when one is set
    // (asking it quietly unless log is set), otherwise from the loose file
    // at the composed path, whose absence is always reported. False when
    // nothing could be read; an empty loose file reads as no bytes.
    bool ReadAsset(const char* name, bool log, std::vector<uint8_t>& bytes);

    // The package loaders read from; it must outlive its registration.
    void SetPackage(VEX_Package* package) { currentPackage_ = package; }
    VEX_Package* currentPackage() const { return currentPackage_; }

    // Shared scratch space for formatted texts; one text at a time.
    char* textBuffer() { return textBuffer_; }

private:
    char textBuffer_[kTextBufferBytes] = {};
    char path_[1024] = {};
    VEX_Package* currentPackage_ = nullptr;
};

// The running resource module; valid while the engine is up.
VEX_Resource& Resource();
