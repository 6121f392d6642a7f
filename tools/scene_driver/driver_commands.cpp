#include "driver_commands.h"

#include <cstdio>
#include <sstream>

#include "platform/window/bare_window.h"
#include "virtual_gamepad.h"
#include "vexlib/exports.h"

namespace {

constexpr const char* kUsage =
    "commands: practice NAME | match SEAT(1 green, 2 red, 0 watch) SEED | intro | records | mirror 0/1 | quality 0/1 |\n"
    "  light 0/1 | music 0/1 | sound 0/1 | focus 0/1 | sensitivity S | shoot X Z FORCE ANGLE |\n"
    "  peer Z X FORCE ANGLE SHOW | pass | effect N | frames N | screenshot FILE | pixel X Y |\n"
    "  state | window | size W H | refresh 1/2/4 (draw every Nth tick) | pad plug | pad unplug | pad stick X Y (-32768..32767) |\n"
    "  pad button N 0/1 | aim | quit";

unsigned char Byte(std::istringstream& in) {
    int value = 0;
    in >> value;
    return static_cast<unsigned char>(value != 0);
}

// The options switched on and off with 0/1, by command.
struct Switch {
    const char* command;
    void (*set)(unsigned char);
};
const Switch kSwitches[] = {{"mirror", SetaMirror}, {"quality", SetaQualidade},
                            {"light", SetaLuz},     {"music", SetaMusica},
                            {"sound", SetaAudio},   {"focus", SetaFoco}};

const Switch* SwitchOf(const std::string& command) {
    for (const Switch& option : kSwitches)
        if (command == option.command) return &option;
    return nullptr;
}

void PrintState() {
    std::printf("STATE player %d seat %d moving %d points %d %d frame %.4f candraw %d\n",
                GetPlayer_Atual(), GetPlayer_Host(), GetIsMoving(), GetPlayer_Pts(0),
                GetPlayer_Pts(1), double(GetFT()), CanDraw());
}

// SDL's virtual joystick in the library's own process: a gamepad plugged
// in, handled and pulled out without hardware.
void RunPadCommand(std::istringstream& in, VirtualGamepad& pad) {
    std::string what;
    in >> what;
    if (what == "plug") {
        std::printf("PAD %s\n", pad.Plug() ? "plugged" : "failed");
    } else if (what == "unplug") {
        pad.Unplug();
    } else if (what == "stick") {
        int x = 0, y = 0;
        in >> x >> y;
        pad.Stick(int16_t(x), int16_t(y));
    } else if (what == "button") {
        int button = 0;
        in >> button;
        pad.Button(button, Byte(in) != 0);
    }
}

}  // namespace

CommandResult RunCommand(const std::string& line, DriverState& state) {
    std::istringstream in(line);
    std::string command;
    if (!(in >> command)) return CommandResult::kContinue;
    if (command == "practice") {
        std::string name = "Driver";
        in >> name;
        IniciaOffline(name.c_str());
        state.tableRestarted = true;
    } else if (command == "match") {
        int seat = 0, seed = 1;
        in >> seat >> seed;
        IniciaPartida(seat, seed);
        state.tableRestarted = true;
    } else if (command == "intro") {
        ShowIntro();
        state.tableRestarted = true;
    } else if (command == "records") {
        MostraRecordes();
        state.tableRestarted = true;
    } else if (const Switch* option = SwitchOf(command)) {
        option->set(Byte(in));
    } else if (command == "sensitivity") {
        float value = 100;
        in >> value;
        SetaMouseS(value);
    } else if (command == "shoot") {
        float x = 0, z = 0, force = 0, angle = 0;
        in >> x >> z >> force >> angle;
        std::printf("FIRED %d\n", DispararTiro(x, z, force, angle));
    } else if (command == "peer") {
        float z = 0, x = 0, force = 0, angle = 0;
        in >> z >> x >> force >> angle;
        SetaShooting(z, x, force, angle, Byte(in));
    } else if (command == "pass") {
        std::printf("PASSED %d\n", MudaJogador(0));
    } else if (command == "effect") {
        int effect = 0;
        in >> effect;
        PlaySFX(static_cast<int16_t>(effect));
    } else if (command == "refresh") {
        int divider = 1;
        in >> divider;
        state.refreshDivider = divider == 2 || divider == 4 ? divider : 1;
    } else if (command == "frames") {
        in >> state.framesToWait;
        return CommandResult::kContinue;
    } else if (command == "screenshot") {
        std::string path;
        in >> path;
        std::printf("SCREENSHOT %s %s\n", path.c_str(),
                    state.window.SavePng(path) ? "saved" : "failed");
    } else if (command == "pixel") {
        int x = 0, y = 0;
        in >> x >> y;
        uint32_t rgb = 0;
        if (state.window.Pixel(x, y, rgb))
            std::printf("PIXEL %d %d %06X\n", x, y, rgb);
        else
            std::printf("PIXEL %d %d none\n", x, y);
    } else if (command == "aim") {
        const SeenAim& a = state.aim;
        std::printf("AIMED %.4f %.4f %.4f %.4f %d\n", double(a.x), double(a.z), double(a.force),
                    double(a.angle), a.phase);
    } else if (command == "state") {
        PrintState();
    } else if (command == "size") {
        // The window and the scene together, as the window program resizes its panel.
        int width = 0, height = 0;
        in >> width >> height;
        state.window.Resize(width, height);
        std::printf("SIZE %d %d %s\n", width, height,
                    ResizeScene(width, height) == 0 ? "done" : "refused");
    } else if (command == "pad") {
        RunPadCommand(in, state.pad);
    } else if (command == "window") {
        std::printf("WINDOW %lu\n", state.window.id());
    } else if (command == "quit") {
        return CommandResult::kQuit;
    } else {
        std::printf("UNKNOWN %s\n%s\n", command.c_str(), kUsage);
    }
    std::printf("OK %s\n", command.c_str());
    return CommandResult::kContinue;
}
