// Seeds for the best-plays target: the file a first save writes (the
// default table), and the file after a practice run made the table.
//
//   records_seeds FOLDER
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "fuzz/seeds/seed_folder.h"
#include "game/game_state.h"
#include "game/records.h"

int main(int argc, char** argv) {
    const std::optional<std::filesystem::path> folder = SeedFolder(argc, argv);
    if (!folder) return 2;
    // A run enters its record into ringdisk.dat in the working folder.
    if (chdir(folder->c_str()) != 0) return 1;
    LoadBestPlays("no-records-yet.dat");
    if (!SaveBestPlays("first_save.dat")) return 1;

    GameState run;
    run.practiceLevel = 4;
    run.elapsedSeconds = 3725;
    run.shotsTaken = 41;
    run.playerName.Assign("Jo\xE3o da Silva");
    EnterBestPlay(run);
    ReleaseBestPlays();
    return run.newRecordRow == 0 ? 0 : 1;
}
