// "Play against the computer": a game hosted here on a free port with a
// random password, joined by a `ringdisk-bot` process started beside this
// program, and its match started as soon as the bot has its seat. Leaving
// the game or closing the window ends the bot. It hears the online game's
// session events for as long as it lives.
#pragma once

#include <QProcess>
#include <QString>

#include "frontend/session/frontend_core.h"

class ComputerOpponent {
public:
    // botProgram: the path of ringdisk-bot.
    ComputerOpponent(FrontendCore& core, QString botProgram);
    ~ComputerOpponent();

    // level: "beginner", "club" or "master"; botName in the player's language.
    // False when the game could not be hosted or the bot not started (the
    // player has been told about a hosting failure; a bot that would not
    // start is reported on stderr and the game closed again).
    bool Start(const QString& level, const QString& botName);
    bool Running() const { return bot_.state() != QProcess::NotRunning; }

private:
    // A player sat down: the bot, whose match starts; the session ended:
    // the bot goes.
    void OnSessionEvent(const SessionEvent& event);
    void StopBot();

    FrontendCore& core_;
    QString botProgram_;
    QProcess bot_;
    bool startWhenSeated_ = false;
};
