#include "frontend/settings/game_options.h"

#include <QString>
#include <algorithm>

#include "frontend/settings/config_section.h"

namespace {

// The key names are the file's and are kept byte for byte, "Musica" without
// its accent and the misspelt "Modo Ortogral" included.
constexpr char16_t kSpecularLight[] = u"Luz especular";
constexpr char16_t kReflection[] = u"Reflexão";
constexpr char16_t kQuality[] = u"Qualidade";
constexpr char16_t kRefreshRate[] = u"Taxa de atualização";
constexpr char16_t kSoundEffects[] = u"Efeitos sonoros";
constexpr char16_t kMusic[] = u"Musica";
constexpr char16_t kChatEffects[] = u"Efeitos do chat";
constexpr char16_t kOrthogonalMode[] = u"Modo Ortogral";
// Newer than the rest: a file without it starts in a window, and a window
// leaves the key out, so that such a file stays as it was.
constexpr char16_t kFullScreen[] = u"Tela cheia";
// Newer still: a file without it has the classic discs, and a classic
// choice leaves the key out, so that such a file stays as it was.
constexpr char16_t kDiscColours[] = u"Cores dos discos";
// Newer again, and on unless the key says "0": a file without it keeps
// asking the router, and an option left on leaves the key out.
constexpr char16_t kPortMapping[] = u"Abrir porta no roteador";

std::optional<int> ReadInteger(const IniDocument& document, const char16_t* key) {
    const std::optional<QByteArray> value = document.Value(kConfigSection, ConfigKey(key));
    if (!value) return std::nullopt;
    const std::optional<int> number = ParseIniInteger(*value);
    if (!number) {
        qWarning("settings: Config/%s is not a number; the menu keeps its state",
                 qPrintable(QString::fromUtf16(key)));
    }
    return number;
}

void ReadBool(const IniDocument& document, const char16_t* key, bool& option) {
    if (const std::optional<int> number = ReadInteger(document, key)) option = *number != 0;
}

}  // namespace

int RenderDividerFor(RefreshRate rate) {
    switch (rate) {
        case RefreshRate::Normal60:
            return 1;
        case RefreshRate::Medium30:
            return 2;
        case RefreshRate::Slow15:
            return 4;
    }
    return 1;
}

int ClampMouseSensitivity(int sensitivity) {
    return std::clamp(sensitivity, kMouseSensitivityMinimum, kMouseSensitivityMaximum);
}

GameOptions ReadGameOptions(const IniDocument& document, const GameOptions& current) {
    GameOptions options = current;
    ReadBool(document, kSpecularLight, options.specularLight);
    ReadBool(document, kReflection, options.reflection);
    ReadBool(document, kQuality, options.highQuality);
    if (const std::optional<int> rate = ReadInteger(document, kRefreshRate);
        rate && *rate >= 0 && *rate <= 2) {
        options.refreshRate = RefreshRate(*rate);
    }
    ReadBool(document, kSoundEffects, options.soundEffects);
    ReadBool(document, kMusic, options.music);
    ReadBool(document, kChatEffects, options.chatEffects);
    ReadBool(document, kOrthogonalMode, options.orthogonalMode);
    ReadBool(document, kFullScreen, options.fullScreen);
    if (const std::optional<int> look = ReadInteger(document, kDiscColours);
        look && (*look == 0 || *look == 1)) {
        options.discColours = DiscColours(*look);
    }
    ReadBool(document, kPortMapping, options.portMapping);
    return options;
}

bool WriteGameOptions(IniDocument& document, const GameOptions& options) {
    bool written = true;
    const auto write = [&](const char16_t* key, int value) {
        written = document.SetValue(kConfigSection, ConfigKey(key), QByteArray::number(value)) && written;
    };
    write(kSpecularLight, options.specularLight);
    write(kReflection, options.reflection);
    write(kQuality, options.highQuality);
    write(kRefreshRate, int(options.refreshRate));
    write(kSoundEffects, options.soundEffects);
    write(kMusic, options.music);
    write(kChatEffects, options.chatEffects);
    write(kOrthogonalMode, options.orthogonalMode);
    // The newer keys are left out at their defaults: a file from before them
    // is written back byte for byte.
    const auto writeUnlessDefault = [&](const char16_t* key, bool atDefault, int value) {
        if (atDefault)
            document.RemoveKey(kConfigSection, ConfigKey(key));
        else
            write(key, value);
    };
    writeUnlessDefault(kFullScreen, !options.fullScreen, 1);
    writeUnlessDefault(kDiscColours, options.discColours == DiscColours::Classic,
                       int(options.discColours));
    writeUnlessDefault(kPortMapping, options.portMapping, 0);
    return written;
}

void ApplyGameOptions(const GameOptions& options, LibraryOptions& library) {
    library.SetSpecularLight(options.specularLight);
    library.SetReflection(options.reflection);
    library.SetHighQuality(options.highQuality);
    library.SetSoundEffects(options.soundEffects);
    library.SetMusic(options.music);
    // The library starts classic; a classic start says nothing more to it.
    if (options.discColours != DiscColours::Classic) library.SetDiscColours(options.discColours);
}

void ApplyGameOptionChanges(const GameOptions& given, const GameOptions& options,
                            LibraryOptions& library) {
    if (options.specularLight != given.specularLight)
        library.SetSpecularLight(options.specularLight);
    if (options.reflection != given.reflection) library.SetReflection(options.reflection);
    if (options.highQuality != given.highQuality) library.SetHighQuality(options.highQuality);
    if (options.soundEffects != given.soundEffects) library.SetSoundEffects(options.soundEffects);
    if (options.music != given.music) library.SetMusic(options.music);
    if (options.discColours != given.discColours) library.SetDiscColours(options.discColours);
}
