// The program's five forms in small: real widgets with the names, kinds,
// design values, fixed sizes and parents the window program gives them
// (each dialog a window of its own parented to the main form), placed where
// the offscreen screen (800 x 600) shows them, so that the settings can be
// tested before that program exists.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTextEdit>
#include <memory>
#include <vector>

#include "frontend/settings/game_options.h"
#include "frontend/ui/settings_session.h"

struct ProgramForms {
    ProgramForms();

    // main, conectarf, criarf, mousesen, about.
    std::vector<QWidget*> Forms() const;
    // Bound to `menus` as the window's menu checks; every restored set of
    // options shown is appended to `shown`.
    SettingsBindings Bindings(GameOptions& menus, std::vector<GameOptions>& shown);

    std::unique_ptr<QWidget> main;
    QLineEdit* nick;
    QTextEdit* chat;
    QLineEdit* chatInput;
    QLabel* playersLabel;  // untagged

    std::unique_ptr<QDialog> join;
    QLineEdit* joinAddress;
    QLineEdit* joinPort;
    QLineEdit* joinPassword;

    std::unique_ptr<QDialog> create;
    QLineEdit* createPassword;
    QLineEdit* createPort;
    QLineEdit* ownAddress;

    std::unique_ptr<QDialog> mouse;
    QSlider* trackBar;

    std::unique_ptr<QDialog> about;
    QLabel* version;
};
