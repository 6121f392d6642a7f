// For readers that take a path instead of bytes: each fuzz input is written
// to one file in a scratch folder of this process, removed at exit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class ScratchFile {
public:
    explicit ScratchFile(const char* name);
    // Replaces the file's content; answers its path.
    const char* Write(const uint8_t* data, size_t size);
    const char* path() const { return path_.c_str(); }

private:
    std::string path_;
};

// The scratch folder itself, created on first use.
const std::string& ScratchFolder();
