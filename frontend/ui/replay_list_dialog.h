// The list of recent replays to watch: one line each (date, kind of game,
// players, winner), newest first, and a button to open any replay file.
#pragma once

#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <QString>

#include "frontend/replay/replay_format.h"

// The line a replay gets in the list, in the player's language.
QString ReplaySummary(const replay::Replay& replay, int uiLanguage);

class ReplayListDialog : public QDialog {
public:
    ReplayListDialog(QWidget* parent, const QString& folder, int uiLanguage);

    // The file chosen, once the dialog was accepted.
    QString Chosen() const { return chosen_; }

    QListWidget* list;
    QPushButton* openFile;

private:
    QString folder_;
    QString chosen_;
};
