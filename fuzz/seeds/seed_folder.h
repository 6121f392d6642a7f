// The folder a seed maker writes to: its one argument, made when missing.
// Nothing, after saying why, when the call is wrong or the folder cannot be
// made.
#pragma once

#include <cstdio>
#include <filesystem>
#include <optional>
#include <system_error>

inline std::optional<std::filesystem::path> SeedFolder(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argc > 0 ? argv[0] : "seeds");
        return std::nullopt;
    }
    std::error_code error;
    std::filesystem::create_directories(argv[1], error);
    if (error) {
        std::fprintf(stderr, "%s: %s cannot be made: %s\n", argv[0], argv[1], error.message().c_str());
        return std::nullopt;
    }
    return std::filesystem::path(argv[1]);
}
