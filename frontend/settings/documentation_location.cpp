#include "frontend/settings/documentation_location.h"

#include <QDir>

#include "install_layout.h"

QUrl DocumentationUrl(const QString& programFolder) {
    const QString folder = QDir(programFolder).absoluteFilePath(
        QLatin1String(kDocumentationFromProgramFolder));
    return QUrl::fromLocalFile(QDir::cleanPath(folder + QStringLiteral("/README.md")));
}
