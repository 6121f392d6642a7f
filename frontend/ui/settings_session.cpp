#include "frontend/ui/settings_session.h"

SettingsSession::SettingsSession(QString path, SettingsBindings bindings, LibraryOptions& library)
    : path_(std::move(path)),
      bindings_(std::move(bindings)),
      library_(library),
      walker_(bindings_.forms, bindings_.notKept) {}

void SettingsSession::RestoreBeforeFirstShow() {
    ReadAndApply(true);
}

void SettingsSession::OnActivation() {
    if (!lastSeen_) {
        ReadAndApply(true);
    } else if (StampOf(path_) != *lastSeen_) {
        ReadAndApply(false);
    }
}

void SettingsSession::ReadAndApply(bool firstTime) {
    lastSeen_ = StampOf(path_);
    const std::optional<IniDocument> document = ReadSettingsFile(path_);
    // A file that went away since the last read leaves everything as it is.
    if (!document && !firstTime) return;
    if (document) walker_.Restore(*document);
    const GameOptions shown = bindings_.currentOptions();
    const GameOptions options = document ? ReadGameOptions(*document, shown) : shown;
    if (firstTime) {
        ApplyGameOptions(options, library_);
    } else {
        // Telling the library again what it already has would restart the music.
        ApplyGameOptionChanges(shown, options, library_);
    }
    bindings_.showOptions(options);
    if (document && bindings_.showLobby)
        bindings_.showLobby(ReadLobbySettings(*document, bindings_.currentLobby()));
    ApplyMouseSensitivity();
}

void SettingsSession::ApplyMouseSensitivity() {
    QSlider* slider = bindings_.mouseSensitivity;
    if (!slider) return;
    const int sensitivity = ClampMouseSensitivity(slider->value());
    slider->setValue(sensitivity);
    library_.SetMouseSensitivity(sensitivity);
}

bool SettingsSession::SaveAtClose() {
    // Read again, so that what a hand edit added since is kept as well.
    IniDocument document = ReadSettingsFile(path_).value_or(IniDocument());
    bool saved = walker_.Save(document, false);
    saved = WriteGameOptions(document, bindings_.currentOptions()) && saved;
    if (bindings_.currentLobby)
        saved = WriteLobbySettings(document, bindings_.currentLobby()) && saved;
    saved = WriteSettingsFile(path_, document) && saved;
    lastSeen_ = StampOf(path_);
    return saved;
}
