// A temporary folder made the process's working folder for the life of the
// object, for code that writes where it is run (the best plays, the log);
// the working folder it found is restored when it goes, before the folder
// itself is removed.
#pragma once

#include <QDir>
#include <QString>
#include <QTemporaryDir>

class TemporaryWorkingFolder {
public:
    TemporaryWorkingFolder() : previous_(QDir::currentPath()) {
        entered_ = dir_.isValid() && QDir::setCurrent(dir_.path());
    }
    ~TemporaryWorkingFolder() {
        if (entered_) QDir::setCurrent(previous_);
    }
    TemporaryWorkingFolder(const TemporaryWorkingFolder&) = delete;
    TemporaryWorkingFolder& operator=(const TemporaryWorkingFolder&) = delete;

    // Whether the folder was made and is the working folder now.
    bool Entered() const { return entered_; }
    QString path() const { return dir_.path(); }
    QString filePath(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
    QString previous_;
    bool entered_ = false;
};
