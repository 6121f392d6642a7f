// A fresh folder for files a test writes, optionally made the current folder
// (the game writes its records and dumps there); removed again afterwards.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

class ScratchFolder {
public:
    enum Enter { kStayOutside, kEnter };

    explicit ScratchFolder(const std::string& name, Enter enter = kEnter)
        : path_(std::filesystem::temp_directory_path() /
                ("ringdisk_" + name + "_" + std::to_string(::getpid()))),
          previous_(std::filesystem::current_path()),
          entered_(enter == kEnter) {
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
        if (entered_) std::filesystem::current_path(path_);
    }
    ~ScratchFolder() {
        if (entered_) std::filesystem::current_path(previous_);
        std::filesystem::remove_all(path_);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_, previous_;
    bool entered_;
};

inline std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}
