#include "game/position_dump.h"

#include <cstdio>
#include <optional>

#include "base/library_folders.h"
#include "game/game_log.h"

std::string DumpFileName(const GameState& g) {
    const char* format = g.localSeat == kSideGreen ? "dump_host_%d.log"
                         : g.localSeat == kSideRed ? "dump_remote_%d.log"
                                                   : "dump_spec_%d.log";
    char name[32];
    std::snprintf(name, sizeof name, format, static_cast<int>(g.dumpCounter));
    return name;
}

bool SavePositionDump(GameState& g) {
    const std::string name = DumpFileName(g);
    const std::optional<std::string> path =
        PlayerFileForWriting(PlayerFolder::kState, name.c_str());
    if (!path) return false;
    FILE* f = std::fopen(path->c_str(), "w");
    if (!f) {
        const std::string text = "não foi possível criar " + *path + ".";
        LogGameWarning(text.c_str());
        return false;
    }
    for (int k = 1; k < kDiscCount; ++k) {
        std::fprintf(f, "%d : %f,%f\n", k, static_cast<double>(g.discs[k].x),
                     static_cast<double>(g.discs[k].z));
    }
    std::fclose(f);
    // A signed byte: after file 127 the numbering goes on at -128.
    g.dumpCounter = static_cast<int8_t>(static_cast<uint8_t>(g.dumpCounter) + 1);
    return true;
}
