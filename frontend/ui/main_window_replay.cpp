// The main window's part in replays: where they are kept, the list to pick
// one from, and the controls of the one being watched.
#include "frontend/replay/replay_store.h"
#include "frontend/texts/ui_texts.h"
#include "frontend/ui/main_window.h"
#include "frontend/ui/replay_list_dialog.h"

namespace {

QString RefusalText(const replay::ReadResult& read, int uiLanguage) {
    switch (read.error) {
        case replay::ReadError::NewerFormat:
            return Tr(UiText::ReplayNewerFormat, uiLanguage)
                .arg(read.formatVersion)
                .arg(replay::kFormatVersion);
        case replay::ReadError::Truncated:
            return Tr(UiText::ReplayCutShort, uiLanguage);
        case replay::ReadError::Damaged:
            return Tr(UiText::ReplayDamaged, uiLanguage);
        case replay::ReadError::Invalid:
            return Tr(UiText::ReplayInvalid, uiLanguage);
        case replay::ReadError::None:
        case replay::ReadError::NotAReplay:
            break;
    }
    return Tr(UiText::ReplayNotAReplay, uiLanguage);
}

}  // namespace

void MainWindow::SetReplayFolder(const QString& folder) {
    replayFolder_ = folder;
    core_->SetReplayFolder(folder);
}

bool MainWindow::WatchReplayFile(const QString& path) {
    const replay::ReadResult read = LoadReplay(path);
    if (read.error != replay::ReadError::None) {
        ShowMessage(RefusalText(read, uiLanguage_));
        return false;
    }
    LoseMouse();
    const bool watching = core_->WatchReplay(read.replay);
    if (watching) menus.replaySpeed1->setChecked(true);
    EnableReplayControls();
    return watching;
}

void MainWindow::ConnectReplayMenu() {
    connect(menus.watchReplay, &QAction::triggered, this, [this] {
        LoseMouse();
        ReplayListDialog dialog(this, replayFolder_, uiLanguage_);
        if (dialog.exec() == QDialog::Accepted) WatchReplayFile(dialog.Chosen());
    });
    connect(menus.replayPause, &QAction::triggered, this, [this] {
        if (ReplayWatch* w = core_->Watching()) w->SetPaused(!w->Paused());
    });
    const std::pair<QAction*, int> speeds[] = {
        {menus.replaySpeed1, 1}, {menus.replaySpeed2, 2}, {menus.replaySpeed4, 4}};
    for (const auto& [action, speed] : speeds) {
        connect(action, &QAction::triggered, this, [this, speed = speed] {
            if (ReplayWatch* w = core_->Watching()) w->SetSpeed(speed);
        });
    }
    connect(menus.replayNextShot, &QAction::triggered, this, [this] {
        if (ReplayWatch* w = core_->Watching()) w->SkipToNextShot();
    });
    connect(menus.replayStop, &QAction::triggered, this, [this] {
        core_->StopWatching();
        EnableReplayControls();
    });
    // Starting anything else ends the watching: the controls follow.
    connect(menus.game, &QMenu::aboutToShow, this, [this] { EnableReplayControls(); });
    EnableReplayControls();
}

void MainWindow::EnableReplayControls() {
    const bool watching = core_->Watching() != nullptr;
    menus.replay->setEnabled(watching);
    for (QAction* a : menus.replay->actions()) a->setEnabled(watching);
}
