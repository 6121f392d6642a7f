// The Qt warnings written while one of these lives, kept in order instead of
// printed, so a test can hold the log lines of a refusal to their text.
#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

class CapturedWarnings {
public:
    CapturedWarnings() {
        Kept().clear();
        previous_ = qInstallMessageHandler(&CapturedWarnings::Keep);
    }
    ~CapturedWarnings() { qInstallMessageHandler(previous_); }

    const QStringList& Lines() const { return Kept(); }

private:
    static QStringList& Kept() {
        static QStringList lines;
        return lines;
    }
    static void Keep(QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtWarningMsg) Kept().append(text);
    }

    QtMessageHandler previous_;
};
