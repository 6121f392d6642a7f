#include "fuzz/scratch_file.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

// TMPDIR when set; otherwise memory, where it can be had, since a file is
// written and read back for every input.
std::string TemporaryRoot() {
    const char* tmp = std::getenv("TMPDIR");
    if (tmp && *tmp) return tmp;
    if (access("/dev/shm", W_OK) == 0) return "/dev/shm";
    return "/tmp";
}

std::string MakeFolder() {
    std::string pattern = TemporaryRoot() + "/ringdisk-fuzz-XXXXXX";
    if (!mkdtemp(pattern.data())) {
        std::perror("ringdisk fuzz: mkdtemp");
        std::abort();
    }
    static const std::string removeAtExit = pattern;
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(removeAtExit, ignored);
    });
    return pattern;
}

}  // namespace

const std::string& ScratchFolder() {
    static const std::string folder = MakeFolder();
    return folder;
}

ScratchFile::ScratchFile(const char* name) : path_(ScratchFolder() + "/" + name) {}

const char* ScratchFile::Write(const uint8_t* data, size_t size) {
    FILE* f = std::fopen(path_.c_str(), "wb");
    if (!f || (size && std::fwrite(data, 1, size, f) != size) || std::fclose(f) != 0) {
        std::perror(path_.c_str());
        std::abort();
    }
    return path_.c_str();
}
