// The main window's menu bar: the game commands, the video, sound and input
// options, the hidden "Outros" menu and "Sobre" on the bar itself. Each item
// carries its component name as object name; the radio groups are exclusive
// and the options read and show as one GameOptions value.
#pragma once

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

#include "frontend/settings/game_options.h"

struct MainMenus {
    explicit MainMenus(QMenuBar& bar);

    void SetCaptions(int uiLanguage);
    GameOptions Options() const;
    // Checks the items; calls nothing.
    void Show(const GameOptions& options);
    RefreshRate CheckedRate() const;

    QMenu* game;
    QAction* newGame;
    QMenu* playComputer;
    QAction* beginner;
    QAction* club;
    QAction* master;
    QAction* bestScores;
    QAction* exit;
    QAction* watchReplay;
    QAction* onlineLobby;    // Ctrl+L as well
    QAction* playOnlineNow;  // quick match through the lobby
    QMenu* replay;  // the controls of a replay being watched
    QAction* replayPause;
    QAction* replaySpeed1;
    QAction* replaySpeed2;
    QAction* replaySpeed4;
    QAction* replayNextShot;
    QAction* replayStop;

    QMenu* configuration;
    QMenu* video;
    QMenu* refreshRate;
    QAction* slow15;
    QAction* medium30;
    QAction* normal60;
    QMenu* quality;
    QAction* low;
    QAction* high;
    QAction* specularLight;
    QAction* reflections;
    QMenu* sound;
    QAction* soundEffects;
    QAction* music;
    QAction* chatEffects;
    QMenu* input;
    QAction* mouseSensitivity;
    QMenu* other;
    QAction* ortogralMode;
    QAction* fullScreen;  // F11 as well
    QAction* colourSafeDiscs;  // unchecked: the classic discs
    QAction* portMapping;      // a hosted game asks the router to forward its port

    QAction* about;
};
