// The pieces the small dialogs are made of: a label and its field on one
// row, the password field, the confirm and cancel buttons.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

QLabel* DialogLabel(QWidget* parent, const char* name, const QString& text, int y);
QLineEdit* DialogField(QWidget* parent, const char* name, const QString& text, int y);
// Shown as "*", Windows-1252 only, at most kMaxPasswordChars.
QLineEdit* PasswordField(QWidget* parent, int y);
// Where a dialog first shows (a stored place in the settings file wins).
void CentreOnScreen(QWidget& dialog);
// The confirm button is the default (Enter); cancel rejects, like Escape.
QPushButton* DialogButton(QDialog* dialog, const char* name, int x, int y, bool confirms);
