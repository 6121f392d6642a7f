// Seeds for the SOCKS5 reply target: what a relay answers, each after a
// byte that picks how the answer is cut into pieces: the lobby server's
// relay opening a stream and refusing one, replies bound to IPv4 and IPv6
// addresses, and a proxy that wants a password.
//
//   socks5_seeds FOLDER
#include <cstdio>
#include <fstream>
#include <string>

#include "fuzz/seeds/seed_folder.h"

namespace {

std::string Bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) s += static_cast<char>(v);
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    const std::optional<std::filesystem::path> place = SeedFolder(argc, argv);
    if (!place) return 2;
    const std::string folder = place->string();
    const std::string chosen = Bytes({5, 0});
    const std::string hash = "3291193b582d909fec824a7d3bbf3ecc0d84ea2e";
    const std::pair<const char*, std::string> seeds[] = {
        {"relay-opens", Bytes({7}) + chosen + Bytes({5, 0, 0, 3, 40}) + hash + Bytes({0, 0}) + "stream"},
        {"relay-refuses", Bytes({0}) + chosen + Bytes({5, 1, 0, 3, 0, 0, 0})},
        {"bound-ipv4", Bytes({1}) + chosen + Bytes({5, 0, 0, 1, 192, 0, 2, 1, 0x13, 0x88})},
        {"bound-ipv6", Bytes({3}) + chosen + Bytes({5, 0, 0, 4}) + std::string(16, '\1') + Bytes({0, 80})},
        {"wants-password", Bytes({2, 5, 2})},
    };
    for (const auto& [name, bytes] : seeds) {
        std::ofstream file(folder + "/" + name, std::ios::binary);
        file << bytes;
        if (!file) return 1;
    }
    return 0;
}
