// What a player does with the lobby window and what they read on it, for
// the window's tests: the status line, the list of open games row by row,
// the buttons under it, the chat, and the questions the window asks. Tests
// never reach the widgets behind them, so the window may rearrange itself
// without the tests following.
#pragma once

#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>

class LobbyWindow;
class QInputDialog;

class LobbyWindowDriver {
public:
    explicit LobbyWindowDriver(LobbyWindow& lobby) : lobby_(lobby) {}

    // The status line, and whether it shows a problem rather than news.
    QString Status() const;
    bool StatusShowsProblem() const;

    // The list's rows top to bottom, each its cells as the player reads them.
    QList<QStringList> Rows() const;
    // The row the player has chosen; -1 when none is.
    int ChosenRow() const;
    // As a hand does it: a click chooses the row, a second one doubles it.
    void ClickRow(int row);
    void DoubleClickRow(int row);

    bool JoinOffered() const;
    void PressJoin();
    void PressSignIn();

    // Types the line into the chat's field and presses Return.
    void SendChatLine(const QString& line);
    // What is left in the chat's field.
    QString TypedChatLine() const;
    QString Chat() const;

    // The question on screen, waiting up to waitMs for one; null when none came.
    QInputDialog* Question(int waitMs = 3000) const;
    int QuestionsShown() const;

private:
    QPoint RowCentre(int row) const;

    LobbyWindow& lobby_;
};
