// The replays folder keeps the newest recordings, each in a file of its own,
// and reads back what was kept.
#include "frontend/replay/replay_store.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

using namespace replay;

Replay RecordedAt(int64_t date, int32_t seed) {
    Replay r;
    r.header.gameVersion = QStringLiteral("v1.1");
    r.header.date = date;
    r.header.seedOrLevel = seed;
    r.events = {{3, wire::Shot{0.0f, 21.5f, 10.0f, 0.0f}}, {90, End{true, kNoResult}}};
    return r;
}

TEST(ReplayStore, EachRecordingGetsAFileOfItsOwnAndOnlyTheNewestFiftyStay) {
    QTemporaryDir root;
    const QString folder = root.filePath(QStringLiteral("deep/replays"));
    // Three in one second (matches abandoned one after another) and more.
    std::vector<QString> written;
    for (int i = 0; i < kReplaysKept + 5; ++i) {
        QString error;
        const QString path = SaveReplay(folder, RecordedAt(1765280000 + i / 3, i), &error);
        ASSERT_FALSE(path.isEmpty()) << error.toStdString();
        written.push_back(path);
        // Distinct file times, as recordings minutes apart have.
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.setFileTime(QDateTime::fromSecsSinceEpoch(1765280000 + i),
                         QFileDevice::FileModificationTime);
    }
    const QStringList kept = ListReplays(folder);
    ASSERT_EQ(kept.size(), kReplaysKept);
    EXPECT_EQ(kept.first(), written.back());
    EXPECT_EQ(kept.last(), written[5]);
    for (int i = 0; i < 5; ++i) EXPECT_FALSE(QFile::exists(written[i])) << i;
    const ReadResult newest = LoadReplay(kept.first());
    ASSERT_EQ(newest.error, ReadError::None);
    EXPECT_EQ(newest.replay, RecordedAt(1765280000 + (kReplaysKept + 4) / 3, kReplaysKept + 4));
}

TEST(ReplayStore, AFileThatCannotBeReadOrIsNoReplayIsRefusedWithItsReason) {
    QTemporaryDir root;
    QString error;
    EXPECT_EQ(LoadReplay(root.filePath(QStringLiteral("missing.rdreplay")), &error).error,
              ReadError::NotAReplay);
    EXPECT_FALSE(error.isEmpty());
    QFile other(root.filePath(QStringLiteral("other.rdreplay")));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write("[Config]\r\n");
    other.close();
    EXPECT_EQ(LoadReplay(other.fileName()).error, ReadError::NotAReplay);
    // A folder that cannot be made: a file stands where it should be.
    EXPECT_TRUE(SaveReplay(other.fileName() + QStringLiteral("/sub"), RecordedAt(1, 1), &error)
                    .isEmpty());
    EXPECT_FALSE(error.isEmpty());
}

}  // namespace
