// The settings file through the program's forms: any bytes as
// ringdisk.ini, restored into the program's forms and menus before the
// first show, then saved at close over whatever the file held. What was
// saved must read back as the options the menus were given and write the
// same bytes however often it is read and written. Restoring Qt dialogs
// makes this slow; the reader alone is the settings target's.
#include <QApplication>
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <cstdlib>

#include "frontend/settings/game_options.h"
#include "frontend/settings/ini_document.h"
#include "frontend/ui/settings_session.h"
#include "fuzz/quiet_qt_messages.h"
#include "fuzz/scratch_file.h"
#include "tests/frontend/core/recording_library.h"
#include "tests/frontend/ui/program_forms.h"

namespace {

void ExpectStableRoundTrip(const IniDocument& document) {
    const QByteArray once = document.Serialize();
    if (IniDocument::Parse(once).Serialize() != once) std::abort();
}

// The program's forms live as long as the process: building five dialogs
// for every input would leave little time for the reader. Restoring sets
// everything a file names, so what one input leaves is at most a value that
// the next does not mention.
struct Program {
    Program() : bindings(forms.Bindings(menus, shown)) {}
    ProgramForms forms;
    GameOptions menus;
    std::vector<GameOptions> shown;
    RecordingLibrary library;
    SettingsBindings bindings;
};
Program* program = nullptr;

}  // namespace

// Qt Gui's font cache keeps fontconfig's patterns until after the leak check
// at exit (see cmake/lsan.supp). fontconfig is built without frame pointers,
// so the fast unwinder that a run of thousands of inputs needs stops inside
// it and the Qt Gui frame that the suppression names is not seen. This
// program calls fontconfig only through Qt: our own font lookup is not in it.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(*argc, *argv);
    // Damaged lines and unreadable options are warnings.
    SilenceQtMessagesButFatal();
    program = new Program();  // lives as long as the process
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static ScratchFile file(kSettingsFileName);
    const QString path = QString::fromLocal8Bit(file.Write(data, size));
    program->menus = GameOptions{};
    program->shown.clear();
    program->library.optionCalls.clear();
    {
        SettingsSession session(path, program->bindings, program->library);
        session.RestoreBeforeFirstShow();
        // A value the file holds that could not be written back (a lone CR
        // inside it) makes the save report failure and stay as it was; the
        // rest is saved all the same, which the reading below checks.
        session.SaveAtClose();
    }
    const std::optional<IniDocument> saved = ReadSettingsFile(path);
    if (!saved) std::abort();
    ExpectStableRoundTrip(*saved);
    if (ReadGameOptions(*saved, GameOptions{}) != program->menus) std::abort();
    return 0;
}
