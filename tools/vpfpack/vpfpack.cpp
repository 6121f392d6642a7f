// vpfpack: writes the game's asset package and lists a package's table.
//
//   vpfpack create [--format N] OUTPUT.vpf FILE...
//       N is 100 to 103 (default 103); each FILE is stored under its base
//       file name exactly as spelled.
//   vpfpack list PACKAGE.vpf
//       prints the table, one line per entry.
//
// Exits 0 on success, 1 with a message on standard error otherwise.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tools/vpfpack/package_writer.h"

namespace {

constexpr int kDefaultFormat = 103;

int Fail(const std::string& message) {
    std::fprintf(stderr, "vpfpack: %s\n", message.c_str());
    return 1;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: vpfpack create [--format N] OUTPUT.vpf FILE...\n"
                 "       vpfpack list PACKAGE.vpf\n");
    return 1;
}

std::string BaseName(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool ReadFile(const std::string& path, std::vector<uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool ParseFormat(const char* text, int& format) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < 100 || value > 103) return false;
    format = static_cast<int>(value);
    return true;
}

int Create(int argc, char** argv) {
    int format = kDefaultFormat;
    int next = 2;
    if (next < argc && std::strcmp(argv[next], "--format") == 0) {
        if (next + 1 >= argc || !ParseFormat(argv[next + 1], format)) {
            return Fail("--format wants a number from 100 to 103");
        }
        next += 2;
    }
    if (argc - next < 2) return Usage();
    const std::string output = argv[next++];
    std::vector<PackageSource> sources;
    for (; next < argc; ++next) {
        PackageSource source;
        source.name = BaseName(argv[next]);
        if (source.name.empty()) return Fail(std::string("no file name in ") + argv[next]);
        if (!ReadFile(argv[next], source.bytes))
            return Fail(std::string("cannot read ") + argv[next]);
        sources.push_back(std::move(source));
    }
    std::string error;
    if (!WritePackage(output, format, sources, error)) return Fail(error);
    return 0;
}

int List(int argc, char** argv) {
    if (argc != 3) return Usage();
    std::string error;
    if (!ListPackage(
            argv[2], [](const char* line) { std::puts(line); }, error))
        return Fail(error);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "create") == 0) return Create(argc, argv);
    if (argc >= 2 && std::strcmp(argv[1], "list") == 0) return List(argc, argv);
    return Usage();
}
