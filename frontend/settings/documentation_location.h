// Where the player's documentation is: the README beside the programs, in
// the documentation folder an install gives it (<prefix>/share/doc/ringdisk)
// and the build tree mirrors, so the same rule holds for both. The about
// box's link opens it.
#pragma once

#include <QString>
#include <QUrl>

// The documentation of the programs in programFolder, as a local file URL;
// the file is not looked for.
QUrl DocumentationUrl(const QString& programFolder);
