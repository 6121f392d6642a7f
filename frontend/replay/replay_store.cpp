#include "frontend/replay/replay_store.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace {

// One replay file is a few kilobytes; anything far larger is not one.
constexpr qint64 kMaxReplayFileBytes = 16 << 20;

QString NameFor(const replay::Replay& replay) {
    const QString stamp = QDateTime::fromSecsSinceEpoch(replay.header.date, Qt::UTC)
                              .toString(QStringLiteral("yyyyMMdd-HHmmss"));
    return QStringLiteral("replay-") + stamp;
}

void RemoveOldest(const QString& folder) {
    const QStringList files = ListReplays(folder);
    for (qsizetype i = kReplaysKept; i < files.size(); ++i) QFile::remove(files[i]);
}

}  // namespace

QString SaveReplay(const QString& folder, const replay::Replay& replay, QString* error) {
    QDir dir(folder);
    if (!dir.mkpath(QStringLiteral("."))) {
        if (error) *error = QStringLiteral("cannot create the folder %1").arg(folder);
        return {};
    }
    // Two recordings in one second (a match abandoned for the next) get a
    // number after the time.
    const QString base = NameFor(replay);
    QString path = dir.filePath(base + QLatin1String(kReplayExtension));
    for (int n = 2; QFile::exists(path); ++n)
        path = dir.filePath(QStringLiteral("%1-%2%3").arg(base).arg(n).arg(kReplayExtension));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(EncodeReplay(replay)) < 0 ||
        !file.commit()) {
        if (error) *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return {};
    }
    RemoveOldest(folder);
    return path;
}

QStringList ListReplays(const QString& folder) {
    QDir dir(folder);
    // Newest first by the time each was written; a copied-in file counts
    // from when it arrived.
    const QStringList names = dir.entryList(
        {QStringLiteral("*") + QLatin1String(kReplayExtension)}, QDir::Files, QDir::Time);
    QStringList paths;
    for (const QString& name : names) paths << dir.filePath(name);
    return paths;
}

replay::ReadResult LoadReplay(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error) *error = QStringLiteral("cannot open %1: %2").arg(path, file.errorString());
        return {replay::ReadError::NotAReplay, 0, {}};
    }
    // Reading one byte past the limit tells an oversized file from a full one.
    const QByteArray bytes = file.read(kMaxReplayFileBytes + 1);
    if (bytes.size() > kMaxReplayFileBytes) {
        if (error) *error = QStringLiteral("%1 is far too large for a replay").arg(path);
        return {replay::ReadError::NotAReplay, 0, {}};
    }
    return replay::DecodeReplay(bytes);
}
