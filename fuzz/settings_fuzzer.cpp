// The settings file's reader without the program's forms: any bytes parsed
// as ringdisk.ini, the menus' options read from it, every option then
// written with a different value and the document read again. A parsed
// document must write the same bytes however often it is read and written,
// writing it must not change what it reads as, writing the options must
// leave every other line alone, and what was written must be what is read.
// The forms' own round trip is the settings_forms target's.
#include <QByteArray>
#include <QByteArrayView>
#include <cstdint>
#include <cstdlib>

#include "frontend/settings/game_options.h"
#include "frontend/settings/ini_document.h"
#include "fuzz/quiet_qt_messages.h"

namespace {

// Parses what the document writes, after checking that those bytes are a
// fixed point of parsing and writing.
IniDocument Reread(const IniDocument& document) {
    const QByteArray once = document.Serialize();
    IniDocument again = IniDocument::Parse(once);
    if (again.Serialize() != once) std::abort();
    return again;
}

// Every option the other way, so that each key the file holds is replaced
// and each one it lacks is added.
GameOptions Toggled(const GameOptions& options) {
    GameOptions toggled;
    toggled.specularLight = !options.specularLight;
    toggled.reflection = !options.reflection;
    toggled.highQuality = !options.highQuality;
    toggled.refreshRate = RefreshRate((int(options.refreshRate) + 1) % 3);
    toggled.soundEffects = !options.soundEffects;
    toggled.music = !options.music;
    toggled.chatEffects = !options.chatEffects;
    toggled.orthogonalMode = !options.orthogonalMode;
    return toggled;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Every unreadable option is a warning.
    SilenceQtMessagesButFatal();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    IniDocument document =
        IniDocument::Parse(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    const GameOptions read = ReadGameOptions(document, GameOptions{});
    if (ReadGameOptions(Reread(document), GameOptions{}) != read) std::abort();

    const int damaged = document.DamagedLineCount();
    const GameOptions written = Toggled(read);
    if (!WriteGameOptions(document, written)) std::abort();
    if (document.DamagedLineCount() != damaged) std::abort();
    // Read over the options before the write: a key the write missed shows.
    if (ReadGameOptions(Reread(document), read) != written) std::abort();
    return 0;
}
