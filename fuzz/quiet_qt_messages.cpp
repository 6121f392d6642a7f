#include "fuzz/quiet_qt_messages.h"

#include <QLoggingCategory>
#include <QString>
#include <cstdio>
#include <cstdlib>

void SilenceQtMessagesButFatal() {
    QLoggingCategory::setFilterRules(QStringLiteral("*=false"));
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtFatalMsg) {
            std::fprintf(stderr, "fatal: %s\n", qPrintable(text));
            std::abort();
        }
    });
}
