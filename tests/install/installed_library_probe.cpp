// Loads the game library from the file named on the command line, exactly as
// an installed program loads it, and makes through its exported interface
// every kind of file the library writes: it plays a practice run whose tries
// all go on fouls (the run then enters the best plays, which the library
// saves at once) and asks for a position dump. Where those files land is for
// the caller to check; the probe only watches for the best plays to appear
// where the caller expects them, to know the run is over.
//
//   installed_library_probe LIBRARY PLAYER_NAME EXPECTED_RECORDS_FILE
//
// Prints "SAVED" once that file is there, "DUMPED" after the dump; exit
// status 0 when both happened.
#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>

#include "tools/table_probe/table_probe.h"
#include "vexlib/exports.h"

namespace {

template <typename Function>
Function Find(void* library, const char* name) {
    return reinterpret_cast<Function>(dlsym(library, name));
}

decltype(&MudaJogador) passTurn = nullptr;

// Practice keeps one side at the table: the turn comes straight back, as
// the window program gives it back.
void GiveTurnBack(int) {
    passTurn(0);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr,
                     "usage: installed_library_probe LIBRARY PLAYER_NAME EXPECTED_RECORDS_FILE\n");
        return 2;
    }
    void* library = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        std::fprintf(stderr, "probe: %s\n", dlerror());
        return 1;
    }
    const auto startPractice = Find<decltype(&IniciaOffline)>(library, "IniciaOffline");
    const auto shoot = Find<decltype(&DispararTiro)>(library, "DispararTiro");
    const auto step = Find<decltype(&AtualizaDiscos)>(library, "AtualizaDiscos");
    const auto moving = Find<decltype(&GetIsMoving)>(library, "GetIsMoving");
    const auto onTurn =
        Find<decltype(&SetaCallBackMudaJogador)>(library, "SetaCallBackMudaJogador");
    const auto onVictory = Find<decltype(&SetaCallBackVitoria)>(library, "SetaCallBackVitoria");
    const auto dump = Find<decltype(&SalvaDump)>(library, "SalvaDump");
    passTurn = Find<decltype(&MudaJogador)>(library, "MudaJogador");
    if (!startPractice || !shoot || !step || !moving || !onTurn || !onVictory || !dump ||
        !passTurn) {
        std::fprintf(stderr, "probe: the library lacks an export: %s\n", dlerror());
        return 1;
    }
    onTurn(GiveTurnBack);
    startPractice(argv[2]);

    // Hard shots along the line at sweeping angles: shots that pocket
    // nothing cost no try, but sooner or later the striker falls, four
    // times, and the run is over.
    const char* records = argv[3];
    for (int shot = 0; access(records, F_OK) != 0; ++shot) {
        if (shot == 2000) {
            std::fprintf(stderr, "probe: no %s after %d shots\n", records, shot);
            return 1;
        }
        const float x = -20.0f + float((shot * 7) % 40);
        const float angle = -1.3f + 2.6f * float((shot * 13) % 27) / 26.0f;
        shoot(x, 21.5f, 10.0f, angle);
        for (int i = 0; i < table_probe::kMaxStepsPerShot && moving(); ++i) step();
        step();
    }
    std::printf("SAVED\n");
    dump();
    std::printf("DUMPED\n");
    std::fflush(stdout);
    onVictory(nullptr);
    onTurn(nullptr);
    return 0;
}
