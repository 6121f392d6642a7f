#include "frontend/settings/settings_location.h"

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>

#include "install_layout.h"

namespace {

bool IsInstalled(const QString& programFolder) {
    const QString folder = QDir::cleanPath(QDir(programFolder).absolutePath());
    const QString tail = QLatin1Char('/') + QLatin1String(kInstalledProgramFolder);
    if (!folder.endsWith(tail)) return false;
    const QString prefix = folder.chopped(tail.size());
    return QFileInfo(prefix + QLatin1Char('/') + QLatin1String(kInstalledDataFolder)).isDir();
}

QString AbsoluteValue(const QProcessEnvironment& environment, const char* name) {
    const QString value = environment.value(QLatin1String(name));
    return QDir::isAbsolutePath(value) ? value : QString();
}

// Creates each missing folder of path, for its owner only; empty when the
// folder is there afterwards, otherwise the reason.
QString MakeFolder(const QString& path) {
    QString reached;
    for (const QString& part : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        reached += QLatin1Char('/') + part;
        if (mkdir(QFile::encodeName(reached).constData(), 0700) != 0 && errno != EEXIST)
            return reached + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
    }
    if (!QFileInfo(path).isDir()) return path + QStringLiteral(": not a folder");
    return {};
}

// The game's folder under the XDG base folder named by variable, else under
// $HOME/homeDefault; empty when neither is an absolute path.
QString XdgGameFolder(const QProcessEnvironment& environment, const char* variable,
                      const char* homeDefault) {
    QString base = AbsoluteValue(environment, variable);
    if (base.isEmpty()) {
        const QString home = AbsoluteValue(environment, "HOME");
        if (home.isEmpty()) return {};
        base = home + QLatin1Char('/') + QLatin1String(homeDefault);
    }
    return QDir::cleanPath(base + QStringLiteral("/ringdisk"));
}

}  // namespace

SettingsLocation LocateSettingsFile(const QString& programFolder,
                                    const QProcessEnvironment& environment,
                                    const QString& fileName) {
    if (!IsInstalled(programFolder)) return {fileName, {}};
    const QString folder = XdgGameFolder(environment, "XDG_CONFIG_HOME", ".config");
    if (folder.isEmpty())
        return {{},
                QStringLiteral("neither XDG_CONFIG_HOME nor HOME is an absolute path, so "
                               "there is no folder for %1; the settings are not kept")
                    .arg(fileName)};
    if (const QString reason = MakeFolder(folder); !reason.isEmpty())
        return {
            {},
            QStringLiteral("cannot create the folder %1; the settings are not kept").arg(reason)};
    return {folder + QLatin1Char('/') + fileName, {}};
}

SettingsLocation LocateReplayFolder(const QString& programFolder,
                                    const QProcessEnvironment& environment) {
    if (!IsInstalled(programFolder)) return {QStringLiteral("replays"), {}};
    const QString folder = XdgGameFolder(environment, "XDG_DATA_HOME", ".local/share");
    if (folder.isEmpty())
        return {{},
                QStringLiteral("neither XDG_DATA_HOME nor HOME is an absolute path, so "
                               "there is no folder for replays; none are kept")};
    return {folder + QStringLiteral("/replays"), {}};
}
