// ringdisk: the game's window program.
//
// Start: the forms, in their order; the library creates its scene in the
// game panel's X window (a failure ends the program before anything shows,
// with exit status 1 and the settings file untouched); the settings are
// restored once; the frame tick starts; the window shows. The close box,
// "Sair", SIGTERM, SIGINT and the end of the desktop session all close the
// same orderly way: peers told, settings saved, exit status 0.
#include <QApplication>
#include <QLocale>
#include <QMessageBox>
#include <cstdio>

#include "frontend/session/frontend_core.h"
#include "frontend/session/stop_signals.h"
#include "frontend/settings/settings_location.h"
#include "frontend/texts/user_language.h"
#include "frontend/texts/window_command_line.h"
#include "frontend/texts/window_texts.h"
#include "frontend/ui/main_window.h"
#include "frontend/ui/settings_session.h"

namespace {

// The first sentence is the one players have always seen.
constexpr char kStartFailure[] =
    "Direct3D couldn't be initialized.\n"
    "Please check that OpenGL drivers with EGL are installed and that a display is available.";

}  // namespace

int main(int argc, char** argv) {
    // Answered before Qt looks for a display: help and a refusal need none.
    QStringList raw;
    for (int i = 1; i < argc; ++i) raw << QString::fromLocal8Bit(argv[i]);
    if (const CommandLineVerdict verdict = CheckWindowCommandLine(raw);
        verdict.kind != CommandLineVerdict::kRun)
        return AnswerCommandLine("ringdisk", verdict, WindowHelp());

    // The library draws into an X11 window; under Wayland winId() is not one.
    qputenv("QT_QPA_PLATFORM", "xcb");
    // High-density displays scale the window as Qt scales it; the library is
    // told the game panel's size in the display's own pixels and draws at
    // full resolution.
    QApplication app(argc, argv);
    QApplication::setApplicationName(kApplicationTitle);

    // What QApplication left of the arguments (it takes -display and the like).
    const CommandLineOptions options = ParseCommandLine(app.arguments().mid(1));
    const int language = UiLanguageFor(QLocale::system());
    const SettingsLocation settings =
        LocateSettingsFile(QCoreApplication::applicationDirPath(),
                           QProcessEnvironment::systemEnvironment(), kSettingsFileName);
    if (!settings.refusal.isEmpty())
        std::fprintf(stderr, "ringdisk: %s\n", qPrintable(settings.refusal));
    MainWindow window(language, settings.path);
    const SettingsLocation replays = LocateReplayFolder(QCoreApplication::applicationDirPath(),
                                                        QProcessEnvironment::systemEnvironment());
    if (!replays.refusal.isEmpty()) std::fprintf(stderr, "ringdisk: %s\n", qPrintable(replays.refusal));
    window.SetReplayFolder(replays.path);
    if (!window.InitializeLibrary(options.debug)) {
        std::fprintf(stderr,
                     "ringdisk: the game library could not create its scene in the game panel "
                     "(IniciarD3D failed; see debug.log and the messages above)\n");
        QMessageBox::critical(nullptr, kApplicationTitle, kStartFailure);
        return 1;
    }
    StopSignals stop([&window] { window.close(); });
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window,
                     [&window] { window.close(); });
    window.Start(options.highTimer);
    if (!options.replayFile.isEmpty()) window.WatchReplayFile(options.replayFile);
    return app.exec();
}
