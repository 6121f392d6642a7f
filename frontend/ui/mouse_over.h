// Calls back whenever the mouse moves over a widget or any of its children,
// a button held or not.
#pragma once

#include <QWidget>
#include <functional>

void CallOnMouseOver(QWidget& root, std::function<void()> onMove);
