// Seeds for the best-plays target: the file a first save writes (the
// default table), and the file after a practice run made the table.
//
//   records_seeds FOLDER
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "game/game_state.h"
#include "game/owned_text.h"
#include "game/records.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: records_seeds FOLDER\n");
        return 2;
    }
    std::filesystem::create_directories(argv[1]);
    // A run enters its record into ringdisk.dat in the working folder.
    if (chdir(argv[1]) != 0) return 1;
    LoadBestPlays("no-records-yet.dat");
    if (!SaveBestPlays("first_save.dat")) return 1;

    GameState run;
    run.practiceLevel = 4;
    run.elapsedSeconds = 3725;
    run.shotsTaken = 41;
    run.playerName = CopyText("Jo\xE3o da Silva", 127);
    EnterBestPlay(run);
    FreeText(run.playerName);
    run.playerName = nullptr;
    ReleaseBestPlays();
    return run.newRecordRow == 0 ? 0 : 1;
}
