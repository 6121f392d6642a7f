// The main window's right-hand side, 190 wide and at least 400 high: the
// connection panel `Conexao` (nickname, join, create, practice) and, in the
// same place while a game or practice runs, `Panel2` (players, chat, start
// and close). A taller window gives its extra height to the chat.
#pragma once

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <array>
#include <cstdint>

// One player row: the name, the coloured box and the win count drawn on it.
struct PlayerRow {
    QLabel* name = nullptr;   // playerN
    QFrame* box = nullptr;    // ShapeN
    QLabel* wins = nullptr;   // PTSN, over the box
    void SetBoxColor(uint32_t rgb);
    uint32_t BoxColor() const;
};

struct SidePanels {
    static constexpr int kWidth = 190;
    static constexpr int kHeight = 400;

    explicit SidePanels(QWidget* parent);
    // The chat grows by what the panel has over kHeight; the chat line and
    // the buttons stay below it.
    void FitHeight(int height);

    QStackedWidget* stack;

    QWidget* connection;
    QLabel* nickLabel;
    QLineEdit* nick;
    QGroupBox* playOnline;
    QPushButton* join;
    QPushButton* create;
    QPushButton* practice;

    QWidget* players;
    QLabel* playersLabel;
    std::array<PlayerRow, 4> rows;  // slots 1..4
    QLabel* chatLabel;
    QPlainTextEdit* chat;
    QLineEdit* chatInput;
    QPushButton* start;
    QPushButton* close;
};
