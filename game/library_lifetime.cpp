// What happens when the library is attached to a process and detached again.
// Kept in one translation unit so the order is the order written here.
#include "game/game_state.h"
#include "game/owned_text.h"
#include "game/records.h"

namespace {

struct LibraryLifetime {
    LibraryLifetime() {
        SetLibraryStartDefaults(Game());
        LoadBestPlays();
    }
    ~LibraryLifetime() {
        FreeText(Game().playerName);
        Game().playerName = nullptr;
        ReleaseBestPlays();
    }
};

LibraryLifetime lifetime;

}  // namespace
