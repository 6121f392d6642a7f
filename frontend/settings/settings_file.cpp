#include "frontend/settings/settings_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>

namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int Get() const { return fd_; }
    // Closes now, so that a failure of the close itself can be seen.
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return close(fd) == 0;
    }

private:
    int fd_;
};

// At most limit bytes; false on a read error.
bool ReadUpTo(int fd, qsizetype limit, QByteArray& out) {
    out.resize(limit);
    qsizetype filled = 0;
    while (filled < limit) {
        const ssize_t got = read(fd, out.data() + filled, size_t(limit - filled));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return false;
        if (got == 0) break;
        filled += got;
    }
    out.truncate(filled);
    return true;
}

bool WriteAll(int fd, const QByteArray& bytes) {
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t put = write(fd, bytes.constData() + written, size_t(bytes.size() - written));
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return false;
        written += put;
    }
    return true;
}

// Makes the rename itself durable; the settings are safe without it, so a
// failure here is not one of the save.
void SyncFolderOf(const QString& path) {
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    FileDescriptor fd(open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.Get() >= 0) fsync(fd.Get());
}

}  // namespace

FileStamp StampOf(const QString& path) {
    struct stat info {};
    if (stat(QFile::encodeName(path).constData(), &info) != 0) return {};
    return {true,
            std::uint64_t(info.st_dev),
            std::uint64_t(info.st_ino),
            std::int64_t(info.st_size),
            std::int64_t(info.st_mtim.tv_sec),
            std::int64_t(info.st_mtim.tv_nsec)};
}

std::optional<IniDocument> ReadSettingsFile(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    // Non-blocking, so that a pipe put in the file's place cannot stall the start.
    FileDescriptor fd(open(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.Get() < 0) {
        if (errno != ENOENT)
            qWarning("settings: cannot open %s: %s", name.constData(), strerror(errno));
        return std::nullopt;
    }
    struct stat info {};
    if (fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        qWarning("settings: %s is not a regular file; nothing restored", name.constData());
        return std::nullopt;
    }
    QByteArray bytes;
    if (!ReadUpTo(fd.Get(), kSettingsFileReadLimit + 1, bytes)) {
        qWarning("settings: cannot read %s: %s", name.constData(), strerror(errno));
        return std::nullopt;
    }
    if (bytes.size() > kSettingsFileReadLimit) {
        // Up to the last whole line within the limit: a cut line would give a wrong value.
        bytes.truncate(bytes.lastIndexOf('\n', kSettingsFileReadLimit - 1) + 1);
        qWarning("settings: %s is larger than %lld bytes; only its first %lld are read",
                 name.constData(), qlonglong(kSettingsFileReadLimit), qlonglong(bytes.size()));
    }
    IniDocument document = IniDocument::Parse(bytes);
    if (const int damaged = document.DamagedLineCount()) {
        qWarning("settings: %d lines of %s are neither sections nor entries; kept as they are",
                 damaged, name.constData());
    }
    return document;
}

bool WriteSettingsFile(const QString& path, const IniDocument& document) {
    if (path.isEmpty()) {
        qWarning("settings: there is no settings file to save to");
        return false;
    }
    const QByteArray name = QFile::encodeName(path);
    QByteArray temporary = name + ".XXXXXX";
    // mkostemp creates the file for its owner only (0600).
    FileDescriptor fd(mkostemp(temporary.data(), O_CLOEXEC));
    const auto fail = [&](const char* step) {
        qWarning("settings: cannot save %s (%s: %s)", name.constData(), step, strerror(errno));
        return false;
    };
    if (fd.Get() < 0) return fail("create a temporary file beside it");
    const auto failAndRemove = [&](const char* step) {
        fail(step);
        unlink(temporary.constData());
        return false;
    };
    if (!WriteAll(fd.Get(), document.Serialize())) return failAndRemove("write");
    if (fsync(fd.Get()) != 0) return failAndRemove("flush");
    if (!fd.Close()) return failAndRemove("close");
    if (rename(temporary.constData(), name.constData()) != 0) return failAndRemove("replace");
    SyncFolderOf(path);
    return true;
}
