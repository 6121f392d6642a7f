// The scene in a bare X window, driven only through the game library's
// exports: a 570 x 400 window, the library's frame and physics at 60 Hz,
// commands on standard input, the library's callbacks printed on standard
// output. For the display tests, and for anyone who wants to see the scene
// without the window program.
//
//   scene_driver            (in the folder that holds dados.vpf)
//
// Prints "STARTING", then "READY <window id>" once the scene is up, or
// "START FAILED" and exits 1. A shot the library hands back is fired once the table is still,
// and a passed turn comes back to this same machine, as in practice.
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <thread>

#include "driver_commands.h"
#include "virtual_gamepad.h"
#include "platform/window/bare_window.h"
#include "vexlib/callbacks.h"
#include "vexlib/exports.h"

namespace {

constexpr int kWidth = 570, kHeight = 400;
constexpr auto kTick = std::chrono::microseconds(16667);

struct Shot {
    float x, z, force, angle;
};
std::optional<Shot> pendingShot;
bool pendingPass = false;
SeenAim seenAim;

void OnShoot(float x, float z, float force, float angle) {
    // Six decimals tell apart every point of the 1/65536 grid shots are kept on.
    std::printf("SHOOT %.6f %.6f %.6f %.6f\n", double(x), double(z), double(force), double(angle));
    pendingShot = Shot{x, z, force, angle};
}
void OnTurn(int player) {
    std::printf("TURN %d\n", player);
    pendingPass = true;
}
// The aim arrives every frame; only its phase changes are worth a line,
// the rest is kept for the "aim" command.
void OnAim(float z, float x, float force, float angle, float phase) {
    const int lastPhase = seenAim.phase;
    seenAim = SeenAim{x, z, force, angle, int(phase)};
    if (seenAim.phase != lastPhase) std::printf("AIM %d\n", seenAim.phase);
}
void OnPoint(int kind) {
    std::printf("POINT %d\n", kind);
}
void OnVictory(int result) {
    std::printf("VICTORY %d\n", result);
}

// What the program's frame tick does between frames: the shot and the turn
// the library handed back, once the table lets them through.
void RunQueuedMoves() {
    if (pendingShot && DispararTiro(pendingShot->x, pendingShot->z, pendingShot->force,
                                    pendingShot->angle))
        pendingShot.reset();
    if (pendingPass && !pendingShot && MudaJogador(0)) pendingPass = false;
}

// Runs the whole lines already read, stopping at a "frames" wait.
void RunLines(std::string& partial, DriverState& state, bool& quit) {
    size_t newline;
    while (!quit && state.framesToWait == 0 && (newline = partial.find('\n')) != std::string::npos) {
        const std::string line = partial.substr(0, newline);
        partial.erase(0, newline + 1);
        quit = RunCommand(line, state) == CommandResult::kQuit;
        if (state.tableRestarted) {
            pendingShot.reset();
            pendingPass = false;
            state.tableRestarted = false;
        }
        std::fflush(stdout);
    }
}

// Reads what standard input has without blocking; false at its end.
bool ReadInput(std::string& partial) {
    pollfd fd{STDIN_FILENO, POLLIN, 0};
    while (poll(&fd, 1, 0) > 0) {
        char buffer[512];
        const ssize_t n = read(STDIN_FILENO, buffer, sizeof buffer);
        if (n <= 0) return false;
        partial.append(buffer, size_t(n));
    }
    return true;
}

}  // namespace

int main() {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    BareWindow window(kWidth, kHeight, "Ringdisk scene driver");
    if (!window.ok()) {
        std::fprintf(stderr, "scene_driver: no X display\n");
        return 1;
    }
    SetaCallBackShoot(OnShoot);
    SetaCallBackMudaJogador(OnTurn);
    SetaCallBackShooting(OnAim);
    SetaCallBackPoint(OnPoint);
    SetaCallBackVitoria(OnVictory);
    std::printf("STARTING\n");
    const int started =
        IniciarD3D(reinterpret_cast<void*>(window.id()), nullptr, kWidth, kHeight, 0, 2);
    if (started != 0) {
        // As the window program does: no finish, so debug.log keeps the
        // reason for the next person to read.
        std::printf("START FAILED %d\n", started);
        return 1;
    }
    std::printf("READY %lu\n", window.id());

    VirtualGamepad pad;
    DriverState state{window, pad, seenAim};
    std::string partial;
    bool quit = false, inputOpen = true;
    auto next = std::chrono::steady_clock::now();
    long tick = 0;
    while (!quit) {
        if (inputOpen) inputOpen = ReadInput(partial);
        RunLines(partial, state, quit);
        const bool waiting = state.framesToWait > 0 || partial.find('\n') != std::string::npos;
        if (quit || (!inputOpen && !waiting)) break;
        // A driver that fell behind does not catch up in a burst: frames
        // stay a tick apart, so N frames are always at least N ticks of the
        // library's clock (fades and timers the tests wait for).
        next = std::max(next + kTick, std::chrono::steady_clock::now());
        std::this_thread::sleep_until(next);
        window.Pump();
        RunQueuedMoves();
        AtualizaDiscos();
        if (++tick % state.refreshDivider == 0) RenderCena();
        if (state.framesToWait > 0 && --state.framesToWait == 0) std::printf("FRAMES done\n");
    }
    // The library lets go of the window before the window goes.
    FinalizaD3D();
    window.Destroy();
    std::printf("BYE\n");
    return 0;
}
