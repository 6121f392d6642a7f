// The chat window's lines as coloured runs of plain text: each line a new
// paragraph, each run in its colour and weight, never read as markup. The
// window keeps the last kChatLineLimit lines, so a flooding peer can neither
// exhaust memory nor make an append cost more than its own line.
#pragma once

#include <QPlainTextEdit>

#include "frontend/view/frontend_view.h"

constexpr int kChatLineLimit = 5000;

// Read-only, vertical scroll bar always shown, words wrapped, line limit.
void PrepareChatWindow(QPlainTextEdit& chat);
// Appends the line and scrolls to it.
void AppendChatRuns(QPlainTextEdit& chat, const ChatLine& line);
