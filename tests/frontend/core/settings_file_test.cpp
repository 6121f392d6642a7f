// The settings file on disk: a save replaces the old file in one step, for
// its owner only, and says when it could not; a read takes what it can from
// a hostile file and never waits on one.
#include "frontend/settings/settings_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

class SettingsFile : public ::testing::Test {
protected:
    QString PathOf(const char* name) const { return dir.filePath(name); }
    QStringList FolderContents() const {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System);
    }
    static IniDocument Saying(const char* value) {
        IniDocument document;
        document.SetValue("main", "Nick", value);
        return document;
    }
    static QByteArray Contents(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }

    QTemporaryDir dir;
};

// A file system that takes only the first few bytes of a file, as a full
// disk does.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        oldHandler_ = signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        signal(SIGXFSZ, oldHandler_);
    }

private:
    rlimit saved_{};
    sighandler_t oldHandler_;
};

TEST_F(SettingsFile, ASaveReplacesTheOldFileInOneStepForItsOwnerOnly) {
    const QString path = PathOf("ringdisk.ini");
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("[main]\r\nNick=old\r\n");
    old.close();
    ASSERT_TRUE(old.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                   QFile::ReadOther));
    const FileStamp before = StampOf(path);

    ASSERT_TRUE(WriteSettingsFile(path, Saying("new")));
    EXPECT_EQ(Contents(path), "[main]\r\nNick=new\r\n");
    struct stat info {};
    ASSERT_EQ(stat(QFile::encodeName(path).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);
    EXPECT_NE(StampOf(path).inode, before.inode);  // a new file took the old one's name
    EXPECT_EQ(FolderContents(), QStringList{"ringdisk.ini"});
}

TEST_F(SettingsFile, AFailedSaveSaysSoAndLeavesWhatWasThere) {
    const QString folder = PathOf("ringdisk.ini");
    ASSERT_TRUE(QDir().mkdir(folder));
    EXPECT_FALSE(WriteSettingsFile(folder, Saying("x")));
    EXPECT_TRUE(QFileInfo(folder).isDir());

    EXPECT_FALSE(WriteSettingsFile(PathOf("missing/ringdisk.ini"), Saying("x")));

    const QString path = PathOf("full.ini");
    ASSERT_TRUE(WriteSettingsFile(path, Saying("kept")));
    {
        FileSizeLimit fullDisk(8);
        EXPECT_FALSE(WriteSettingsFile(path, Saying("a name far longer than eight bytes")));
    }
    EXPECT_EQ(Contents(path), "[main]\r\nNick=kept\r\n");
    // No half-written file is left beside them.
    EXPECT_EQ(FolderContents(), (QStringList{"full.ini", "ringdisk.ini"}));
}

TEST_F(SettingsFile, AHugeFileIsReadUpToTheLimitAndNoFurtherThanItsLastWholeLine) {
    const QString path = PathOf("ringdisk.ini");
    QByteArray big = "[big]\r\n";
    for (int i = 0; big.size() < 5 * 1024 * 1024; ++i) {
        big += "k" + QByteArray::number(i).rightJustified(7, '0') + "=v\r\n";
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(big), big.size());
    file.close();

    const std::optional<IniDocument> document = ReadSettingsFile(path);
    ASSERT_TRUE(document);
    EXPECT_EQ(document->Value("big", "k0000000"), "v");
    EXPECT_EQ(document->Value("big", "k0400000"), std::nullopt);
    const QByteArray kept = document->Serialize();
    EXPECT_LE(kept.size(), kSettingsFileReadLimit);
    EXPECT_GT(kept.size(), kSettingsFileReadLimit - 12);
    EXPECT_EQ(document->DamagedLineCount(), 0);  // no line was cut in two
}

TEST_F(SettingsFile, WhatIsNotARegularFileGivesNothingAndNeverBlocks) {
    EXPECT_FALSE(ReadSettingsFile(PathOf("absent.ini")).has_value());
    const QString folder = PathOf("folder.ini");
    ASSERT_TRUE(QDir().mkdir(folder));
    EXPECT_FALSE(ReadSettingsFile(folder).has_value());
    const QString pipe = PathOf("pipe.ini");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_FALSE(ReadSettingsFile(pipe).has_value());
}

TEST_F(SettingsFile, TheStampChangesOnlyWhenTheFileDoes) {
    const QString path = PathOf("ringdisk.ini");
    EXPECT_FALSE(StampOf(path).exists);
    ASSERT_TRUE(WriteSettingsFile(path, Saying("a")));
    const FileStamp written = StampOf(path);
    EXPECT_TRUE(written.exists);
    ASSERT_TRUE(ReadSettingsFile(path));
    EXPECT_EQ(StampOf(path), written);
    ASSERT_TRUE(WriteSettingsFile(path, Saying("b")));
    EXPECT_NE(StampOf(path), written);
}

}  // namespace

TEST_F(SettingsFile, NoPathMeansNothingIsReadAndNothingWrittenAnywhere) {
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    EXPECT_FALSE(ReadSettingsFile(QString()).has_value());
    EXPECT_FALSE(WriteSettingsFile(QString(), Saying("Ana")));
    QDir::setCurrent(previous);
    EXPECT_TRUE(FolderContents().isEmpty()) << qPrintable(FolderContents().join(u' '));
}
