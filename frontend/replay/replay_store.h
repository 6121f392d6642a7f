// The replays folder: each finished recording becomes a file there, and the
// newest ones are kept. Files are named by the moment they were recorded.
#pragma once

#include <QString>
#include <QStringList>

#include "frontend/replay/replay_format.h"

constexpr int kReplaysKept = 50;
inline constexpr char kReplayExtension[] = ".rdreplay";

// Writes the replay into folder (created when missing) under a name of its
// own, then removes the oldest replays beyond kReplaysKept. The path written,
// or empty when it could not be written (the reason in error).
QString SaveReplay(const QString& folder, const replay::Replay& replay, QString* error = nullptr);

// The replay files of folder, newest first.
QStringList ListReplays(const QString& folder);

// Reads and decodes one replay file; a file that cannot be read is refused
// as NotAReplay with the reason in error.
replay::ReadResult LoadReplay(const QString& path, QString* error = nullptr);
