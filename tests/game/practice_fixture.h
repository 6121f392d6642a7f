// Common ground for the practice tests: the best plays as the library starts
// them, each run's end heard (Vitoria), the turn handed straight back to
// green as the program does in practice, and a scratch folder as the working
// folder, where a run's best play is saved.
#pragma once

#include <string>
#include <vector>

#include "game/records.h"
#include "tests/game/game_fixture.h"
#include "tests/game/scratch_folder.h"
#include "vexlib/exports.h"

class PracticeFixture : public GameTest {
protected:
    explicit PracticeFixture(const std::string& folderName) : folder_(folderName) {}

    void SetUp() override {
        GameTest::SetUp();
        LoadBestPlays();
        RunsOver().clear();
        SetaCallBackVitoria([](int result) { RunsOver().push_back(result); });
        SetaCallBackMudaJogador([](int) { MudaJogador(0); });
    }
    void TearDown() override {
        SetaCallBackVitoria(nullptr);
        SetaCallBackMudaJogador(nullptr);
        LoadBestPlays("/nonexistent/ringdisk.dat");
        GameTest::TearDown();
    }
    // The results the library reported, in order.
    static std::vector<int>& RunsOver() {
        static std::vector<int> results;
        return results;
    }

private:
    ScratchFolder folder_;
};
