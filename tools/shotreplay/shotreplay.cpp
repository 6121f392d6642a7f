// shotreplay: plays shots on a seeded match table, hot-seat style (this
// machine takes whichever side is to shoot), using nothing but the library's
// exported interface, then writes the position dump and prints the score.
//
//   shotreplay SEED [SHOTFILE]
//   shotreplay --replay FILE
//   shotreplay --help | --version
//
// SHOTFILE holds one shot per line: "x z force angle" (angle in radians, 0 is
// straight at the far side of the shooter). Without a file a built-in demo
// sequence is played. '#' starts a comment.
//
// With --replay it plays a recorded match as a spectator's table would and
// checks that it ends on the recorded table; the exit status is 0 when it
// does, 1 when it does not or the file was refused.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "frontend/texts/command_line.h"
#include "tools/shotreplay/replay_check.h"
#include "tools/table_probe/table_probe.h"
#include "vexlib/exports.h"

namespace {

struct Shot {
    float x, z, force, angle;
};

// A short demonstration: each side breaks from its own shooting line.
const std::vector<Shot> kDemoShots = {
    {0.0f, 21.5f, 10.0f, 0.0f},  {0.0f, -21.5f, 10.0f, 0.0f}, {-8.0f, 21.5f, 8.0f, 0.2f},
    {8.0f, -21.5f, 8.0f, -0.2f}, {12.0f, 21.5f, 9.0f, -0.3f}, {-12.0f, -21.5f, 9.0f, 0.3f},
};

bool ReadShots(const char* path, std::vector<Shot>& shots) {
    std::ifstream in(path);
    if (!in) return false;
    std::string line;
    while (std::getline(in, line)) {
        const size_t hash = line.find('#');
        if (hash != std::string::npos) line.erase(hash);
        std::istringstream fields(line);
        Shot s;
        if (fields >> s.x >> s.z >> s.force >> s.angle) shots.push_back(s);
    }
    return true;
}

int result = -1;
void OnVitoria(int r) {
    result = r;
}

constexpr char kHelp[] =
    "usage: shotreplay SEED [SHOTFILE]\n"
    "       shotreplay --replay FILE\n"
    "       shotreplay --help | --version\n"
    "\n"
    "Plays shots on the match table SEED lays out, each by the side to move, then\n"
    "writes the position dump (dump_host_0.log) and prints the score after each shot.\n"
    "SHOTFILE holds one shot a line, \"x z force angle\" ('#' starts a comment);\n"
    "without it a short demonstration is played.\n"
    "\n"
    "  --replay FILE  plays a recorded match as a spectator's table would and checks\n"
    "                 that it ends on the recorded table: exit status 0 when it does,\n"
    "                 1 when it does not or the file was refused\n"
    "  --help         shows this text\n"
    "  --version      shows the program's name and version\n";

// A whole number, as a seed is written.
bool IsWholeNumber(const std::string& text) {
    size_t digits = text.starts_with('-') ? 1 : 0;
    return text.size() > digits &&
           text.find_first_not_of("0123456789", digits) == std::string::npos;
}

CommandLineVerdict CheckArguments(int argc, char** argv) {
    const std::string first = argc > 1 ? argv[1] : "";
    if (first == "--help") return {CommandLineVerdict::kHelp, {}};
    if (first == "--version") return {CommandLineVerdict::kVersion, {}};
    if (argc < 2) return CommandLineVerdict::Refused(QStringLiteral("a seed or --replay FILE is needed"));
    if (first == "--replay")
        return argc == 3 ? CommandLineVerdict{}
                         : CommandLineVerdict::Refused(QStringLiteral("--replay takes one file"));
    if (!IsWholeNumber(first)) {
        return CommandLineVerdict::Refused(first.starts_with('-')
                                               ? QStringLiteral("unknown option '%1'").arg(argv[1])
                                               : QStringLiteral("the seed '%1' is not a whole number").arg(argv[1]));
    }
    if (argc > 3) return CommandLineVerdict::Refused(QStringLiteral("unexpected argument '%1'").arg(argv[3]));
    return {};
}

}  // namespace

int main(int argc, char** argv) {
    if (const CommandLineVerdict verdict = CheckArguments(argc, argv);
        verdict.kind != CommandLineVerdict::kRun)
        return AnswerCommandLine("shotreplay", verdict, QString::fromUtf8(kHelp));
    if (std::string(argv[1]) == "--replay") return CheckReplayFile(argv[2]);
    const int seed = std::atoi(argv[1]);
    std::vector<Shot> shots;
    if (argc > 2) {
        if (!ReadShots(argv[2], shots)) {
            std::fprintf(stderr, "shotreplay: cannot read %s\n", argv[2]);
            return 1;
        }
    } else {
        shots = kDemoShots;
    }

    SetaCallBackVitoria(OnVitoria);
    IniciaPartida(1, seed);
    for (const Shot& s : shots) {
        SetPlayer_Host(GetPlayer_Atual());
        const int shooter = GetPlayer_Atual();
        DispararTiro(s.x, s.z, s.force, s.angle);
        table_probe::RunShotToRest();
        std::printf("%s shot: green %d, red %d, next %s\n", shooter == 0 ? "green" : "red",
                    GetPlayer_Pts(0), GetPlayer_Pts(1), GetPlayer_Atual() == 0 ? "green" : "red");
        if (result >= 0) break;
    }
    SetPlayer_Host(0);
    SalvaDump();
    if (result >= 0) std::printf("result: %d\n", result);
    return 0;
}
