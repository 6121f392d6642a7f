// Where the window program keeps ringdisk.ini: beside it in a build, in the
// player's XDG configuration folder when installed.
#include "frontend/settings/settings_location.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "install_layout.h"

namespace {

// The programs' folder of an install below usr/, as the install rules lay it out.
const QString kInstalled = QStringLiteral("usr/") + QLatin1String(kInstalledProgramFolder);

class SettingsLocationTest : public testing::Test {
protected:
    SettingsLocationTest() {
        QDir(root.path()).mkpath(kInstalled);
        QDir(root.path()).mkpath(QStringLiteral("usr/") + QLatin1String(kInstalledDataFolder));
        QDir(root.path()).mkpath(QStringLiteral("build/bin"));
    }

    SettingsLocation Locate(const QString& programFolder, const QProcessEnvironment& env) {
        return LocateSettingsFile(root.filePath(programFolder), env,
                                  QStringLiteral("ringdisk.ini"));
    }
    QProcessEnvironment Environment(std::initializer_list<std::pair<const char*, QString>> vars) {
        QProcessEnvironment env;
        for (const auto& [name, value] : vars) env.insert(QString::fromLatin1(name), value);
        return env;
    }

    QTemporaryDir root;
    const QString home = root.filePath(QStringLiteral("home"));
};

}  // namespace

TEST_F(SettingsLocationTest, FromABuildFolderTheFileStaysInTheWorkingFolder) {
    const SettingsLocation here =
        Locate(QStringLiteral("build/bin"), Environment({{"HOME", home}}));
    EXPECT_EQ(here.path, QStringLiteral("ringdisk.ini"));
    EXPECT_TRUE(here.refusal.isEmpty());
    // A program folder named like an install's, but with no game data beside it.
    const QString bare = QStringLiteral("bare/") + QLatin1String(kInstalledProgramFolder);
    QDir(root.path()).mkpath(bare);
    EXPECT_EQ(Locate(bare, Environment({{"HOME", home}})).path,
              QStringLiteral("ringdisk.ini"));
    EXPECT_FALSE(QFileInfo::exists(home)) << "nothing is created for a build";
}

TEST_F(SettingsLocationTest, InstalledItGoesToTheConfigurationFolderWhichIsCreatedPrivate) {
    const QString config = root.filePath(QStringLiteral("config"));
    const SettingsLocation located = Locate(
        kInstalled, Environment({{"HOME", home}, {"XDG_CONFIG_HOME", config}}));
    EXPECT_EQ(located.path, config + QStringLiteral("/ringdisk/ringdisk.ini"));
    EXPECT_TRUE(located.refusal.isEmpty());
    EXPECT_TRUE(QFileInfo(config + QStringLiteral("/ringdisk")).isDir());
    struct stat info {};
    ASSERT_EQ(stat(QFile::encodeName(config + QStringLiteral("/ringdisk")).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
}

TEST_F(SettingsLocationTest, UnsetEmptyOrRelativeXdgConfigHomeMeansTheHomeDefault) {
    const QString expected = home + QStringLiteral("/.config/ringdisk/ringdisk.ini");
    EXPECT_EQ(Locate(kInstalled, Environment({{"HOME", home}})).path, expected);
    for (const QString& ignored : {QString(), QStringLiteral("relative/config")}) {
        EXPECT_EQ(Locate(kInstalled,
                         Environment({{"HOME", home}, {"XDG_CONFIG_HOME", ignored}}))
                      .path,
                  expected)
            << qPrintable(ignored);
    }
    EXPECT_FALSE(QFileInfo::exists(QDir::current().filePath(QStringLiteral("relative"))))
        << "a relative value must not create folders below the working folder";
}

TEST_F(SettingsLocationTest, WithNoFolderOrOneThatCannotBeMadeTheSettingsAreRefused) {
    const SettingsLocation noHome =
        Locate(kInstalled, Environment({{"HOME", QStringLiteral("home")}}));
    EXPECT_TRUE(noHome.path.isEmpty());
    EXPECT_TRUE(noHome.refusal.contains(QStringLiteral("HOME"))) << qPrintable(noHome.refusal);

    QFile blocker(root.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const SettingsLocation blocked =
        Locate(kInstalled, Environment({{"XDG_CONFIG_HOME", blocker.fileName()}}));
    EXPECT_TRUE(blocked.path.isEmpty());
    EXPECT_TRUE(blocked.refusal.contains(blocker.fileName())) << qPrintable(blocked.refusal);
}

// Replays go beside the best plays: the working folder in a build, the
// player's XDG data folder when installed.
TEST_F(SettingsLocationTest, ReplaysLiveInTheWorkingFolderOfABuildAndTheDataFolderOfAnInstall) {
    EXPECT_EQ(LocateReplayFolder(root.filePath(QStringLiteral("build/bin")),
                                 Environment({{"HOME", home}}))
                  .path,
              QStringLiteral("replays"));
    const QString installed = root.filePath(kInstalled);
    const QString data = root.filePath(QStringLiteral("data"));
    EXPECT_EQ(LocateReplayFolder(installed, Environment({{"HOME", home}, {"XDG_DATA_HOME", data}}))
                  .path,
              data + QStringLiteral("/ringdisk/replays"));
    // A relative XDG value does not count.
    EXPECT_EQ(LocateReplayFolder(installed,
                                 Environment({{"HOME", home}, {"XDG_DATA_HOME", "rel/data"}}))
                  .path,
              home + QStringLiteral("/.local/share/ringdisk/replays"));
    const SettingsLocation none = LocateReplayFolder(installed, Environment({}));
    EXPECT_TRUE(none.path.isEmpty());
    EXPECT_FALSE(none.refusal.isEmpty());
}
