// A stand-in for the game library under the front end's real door: a table
// of exported functions that records what the front end asks of the library
// and plays a table just well enough: a shot keeps the discs moving for a few
// physics steps, a turn change waits for them, a match puts green to move.
// Every export of the library's list has a member that does nothing and
// answers zero; those the front end uses are played below. The menus'
// options are written down in order under the door's names, as "SetMusic(1)".
#pragma once

#include <QString>
#include <algorithm>
#include <functional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "frontend/library/exported_game_library.h"
#include "frontend/wire/wire_text.h"

// What the stand-in's table has been asked and holds. It is built before the
// door, which registers the library's callbacks through the table.
class StandInTable {
public:
    struct StartedMatch {
        int seat, seed;
    };
    struct StartedRun {
        QString name;
        uint32_t seed;
        bool watched;
    };

    static constexpr int kShotSteps = 3;
    bool initializeSucceeds = true;
    quintptr initializedWindow = 0;
    std::pair<int, int> initializedSize{};
    // Every size the panel was resized to, in order.
    std::vector<std::pair<int, int>> resizes;
    bool initializedDebug = false;
    int initializedLanguage = 0;
    int bestScoresShown = 0;
    std::vector<int> effects;
    std::vector<bool> focusCalls;
    bool moving = false;
    int stepsUntilRest = kShotSteps;
    int refuseShots = 0;
    int shootCalls = 0;
    int side = 0;
    int seat = 0;
    int steps = 0;
    int renders = 0;
    std::vector<wire::Shot> shots;
    // The shown aims; the phase holds the library's "show" byte.
    std::vector<wire::Aim> shownAims;
    wire::Positions positions{};

    int introsShown = 0;
    std::vector<StartedMatch> matches;
    QString practiceName;
    std::vector<StartedRun> practiceRuns;
    int dumps = 0;
    bool mouseFocus = true;
    int shutdowns = 0;
    // What had been asked when the library was shut down.
    int introsAtShutdown = 0;
    size_t focusCallsAtShutdown = 0;
    // What the library says during the next step through its callbacks: a
    // shot, a turn passed, an aim or a victory. Other reports are the door's
    // own and cannot be said.
    LibraryReports duringNextStep;
    // Run inside the next step, as the library's own rules would.
    std::function<void()> insideNextStep;
    uint32_t practiceSeed = 1765300000;
    std::vector<std::string> optionCalls;

protected:
    LibraryExports Exports() {
        LibraryExports e;
#define VEX_EXPORT(result, name, parameters) \
    e.name = [](auto&&...) -> result { return static_cast<result>(0); };
#define VEX_EXPORT_CPP(result, name, parameters, decorated) VEX_EXPORT(result, name, parameters)
#include "vexlib/export_list.h"
#undef VEX_EXPORT
#undef VEX_EXPORT_CPP

        e.IniciarD3D = [this](void* window, void*, int width, int height, int flag,
                              int language) {
            initializedWindow = reinterpret_cast<quintptr>(window);
            initializedSize = {width, height};
            initializedDebug = flag != 0;
            initializedLanguage = language;
            return initializeSucceeds ? 0 : -1;
        };
        e.ResizeScene = [this](int width, int height) {
            resizes.emplace_back(width, height);
            return 0;
        };
        e.FinalizaD3D = [this] {
            ++shutdowns;
            introsAtShutdown = introsShown;
            focusCallsAtShutdown = focusCalls.size();
        };

        e.GetIsMoving = [this] { return static_cast<unsigned char>(moving); };
        e.DispararTiro = [this](float x, float z, float force, float angle) -> unsigned char {
            ++shootCalls;
            if (moving || refuseShots > 0) {
                refuseShots = std::max(0, refuseShots - 1);
                return 0;
            }
            shots.push_back({x, z, force, angle});
            moving = true;
            return 1;
        };
        e.MudaJogador = [this](int) -> unsigned char {
            if (moving) return 0;
            side = 1 - side;
            return 1;
        };
        e.GetPlayer_Atual = [this] { return side; };
        e.SetPlayer_Atual = [this](int s) { side = s; };
        e.GetPlayer_Host = [this] { return seat; };
        e.SetPlayer_Host = [this](int s) { seat = s; };
        e.SetaShooting = [this](float z, float x, float force, float angle, unsigned char show) {
            shownAims.push_back({x, z, force, angle, show});
        };
        e.GetDiscoX = [this](int disc) { return Read(disc, 0); };
        e.GetDiscoZ = [this](int disc) { return Read(disc, 1); };
        e.SetDiscoX = [this](int disc, float v) { Write(disc, 0, v); };
        e.SetDiscoZ = [this](int disc, float v) { Write(disc, 1, v); };
        e.AtualizaDiscos = [this] { Step(); };
        e.RenderCena = [this] {
            ++renders;
            return 0;
        };

        e.ShowIntro = [this] { ++introsShown; };
        e.IniciaPartida = [this](int s, int seed) {
            matches.push_back({s, seed});
            side = 0;
            seat = s == 1 ? 0 : s == 2 ? 1 : 2;
        };
        e.StartPracticeRun = [this](const char* name, unsigned int seed, int watched) {
            practiceName = FromWireText(QByteArray(name));
            practiceRuns.push_back({practiceName, seed, watched != 0});
            side = 0;
            seat = 0;
        };
        e.MostraRecordes = [this] { ++bestScoresShown; };
        e.SalvaDump = [this] { ++dumps; };
        e.PlaySFX = [this](int16_t effect) { effects.push_back(effect); };
        e.SetaFoco = [this](unsigned char hasFocus) {
            mouseFocus = hasFocus != 0;
            focusCalls.push_back(mouseFocus);
        };

        e.SetaLuz = [this](unsigned char on) { NoteOption("SetSpecularLight", on); };
        e.SetaMirror = [this](unsigned char on) { NoteOption("SetReflection", on); };
        e.SetaQualidade = [this](unsigned char high) { NoteOption("SetHighQuality", high); };
        e.SetaAudio = [this](unsigned char on) { NoteOption("SetSoundEffects", on); };
        e.SetaMusica = [this](unsigned char on) { NoteOption("SetMusic", on); };
        e.SetaMouseS = [this](float s) { NoteOption("SetMouseSensitivity", int(s)); };
        e.SetDiscLook = [this](int look) { NoteOption("SetDiscColours", look); };

        e.SetaCallBackShoot = [this](VexShootCallback c) { sayShot_ = c; };
        e.SetaCallBackMudaJogador = [this](VexMudaJogadorCallback c) { sayTurn_ = c; };
        e.SetaCallBackShooting = [this](VexShootingCallback c) { sayAim_ = c; };
        e.SetaCallBackVitoria = [this](VexVitoriaCallback c) { sayVictory_ = c; };
        return e;
    }

private:
    // The synced discs' coordinates (axis 0 x, 1 z); no others are kept.
    static bool Synced(int disc) { return disc >= 1 && disc <= wire::kSyncedDiscs; }
    float Read(int disc, int axis) const {
        return Synced(disc) ? positions[(disc - 1) * 2 + axis] : 0.0f;
    }
    void Write(int disc, int axis, float value) {
        if (Synced(disc)) positions[(disc - 1) * 2 + axis] = value;
    }
    void Step() {
        ++steps;
        if (insideNextStep) std::exchange(insideNextStep, {})();
        if (moving && --stepsUntilRest <= 0) {
            moving = false;
            stepsUntilRest = kShotSteps;
        }
        for (const LibraryReport& report : std::exchange(duringNextStep, {})) Say(report);
    }
    // Through the callback the door registered, as the library says it.
    void Say(const LibraryReport& report) {
        std::visit(
            [this](const auto& r) {
                using R = std::decay_t<decltype(r)>;
                if constexpr (std::is_same_v<R, wire::Shot>) sayShot_(r.x, r.z, r.force, r.angle);
                if constexpr (std::is_same_v<R, report::TurnPassed>) sayTurn_(side);
                if constexpr (std::is_same_v<R, wire::Aim>)
                    sayAim_(r.z, r.x, r.force, r.angle, float(r.phase));
                if constexpr (std::is_same_v<R, report::Victory>) sayVictory_(r.result);
            },
            report);
    }
    void NoteOption(const char* name, int value) {
        optionCalls.push_back(std::string(name) + "(" + std::to_string(value) + ")");
    }

    VexShootCallback sayShot_ = nullptr;
    VexMudaJogadorCallback sayTurn_ = nullptr;
    VexShootingCallback sayAim_ = nullptr;
    VexVitoriaCallback sayVictory_ = nullptr;
};

class RecordingLibrary : public StandInTable, public ExportedGameLibrary {
public:
    RecordingLibrary() : ExportedGameLibrary(Exports()) {}

protected:
    uint32_t PracticeSeed() override { return practiceSeed; }
};
