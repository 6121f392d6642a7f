// What the benchmark hosts share (bot_strength_host, soak_host): a host
// that plays its own seat with the computer player reports one line per
// event on standard output, flushed at once for the tool that reads it,
// speaks English in the chat, and sits in slot 1 with its opponent in 2.
#pragma once

#include <QString>
#include <cstdio>

namespace seated_host {

constexpr int kEnglish = 2;
constexpr int kOpponentSlot = 2;
// Lets the goodbye reach the opponent before the process ends.
constexpr int kFarewellMs = 100;

inline void Print(const QString& line) {
    std::fputs(line.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

}  // namespace seated_host
