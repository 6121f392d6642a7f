// What happens when the library is attached to a process and detached again.
// Kept in one translation unit so the order is the order written here: the
// best-play rows and the memory tracker need no start (they are ready before
// any constructor runs), then the log and the engine modules, then the game's
// defaults and the best plays. Detaching runs the same steps backwards, and
// the log closes with its statistics unless a clean finish deleted it.
#include "engine/modules/engine_modules.h"
#include "game/game_state.h"
#include "game/records.h"

namespace {

struct LibraryLifetime {
    EngineLifetime engine;

    LibraryLifetime() {
        SetLibraryStartDefaults(Game());
        LoadBestPlays();
    }
    ~LibraryLifetime() {
        ReleaseBestPlays();
    }
};

LibraryLifetime lifetime;

}  // namespace
