// Seeds for the settings target, written by the program's own settings
// session on the program's forms: the file a first run leaves at close,
// and the same file saved again with scrambling turned on.
//
//   settings_seeds FOLDER
#include <QApplication>
#include <QDir>
#include <cstdio>

#include "frontend/ui/settings_session.h"
#include "fuzz/seeds/seed_folder.h"
#include "tests/frontend/core/recording_library.h"
#include "tests/frontend/ui/program_forms.h"

namespace {

bool RunOnce(const QString& path) {
    ProgramForms forms;
    GameOptions menus;
    std::vector<GameOptions> shown;
    RecordingLibrary library;
    SettingsSession session(path, forms.Bindings(menus, shown), library);
    session.RestoreBeforeFirstShow();
    forms.nick->setText(QStringLiteral("Jo\u00e3o"));
    forms.joinAddress->setText(QStringLiteral("192.168.0.7"));
    forms.joinPassword->setText(QStringLiteral("segredo"));
    forms.trackBar->setValue(180);
    menus.music = false;
    menus.refreshRate = RefreshRate::Medium30;
    return session.SaveAtClose();
}

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const std::optional<std::filesystem::path> place = SeedFolder(argc, argv);
    if (!place) return 2;
    QDir folder(QString::fromLocal8Bit(place->c_str()));
    const QString plain = folder.filePath(QStringLiteral("first_run.ini"));
    const QString scrambled = folder.filePath(QStringLiteral("scrambled.ini"));
    QFile::remove(plain);
    QFile::remove(scrambled);
    if (!RunOnce(plain)) return 1;

    // Scrambling is the file's own switch: a player turns it on by hand.
    std::optional<IniDocument> document = ReadSettingsFile(plain);
    if (!document || !document->SetValue("Encript", "Enable", "1") ||
        !WriteSettingsFile(scrambled, *document))
        return 1;
    return RunOnce(scrambled) ? 0 : 1;
}
