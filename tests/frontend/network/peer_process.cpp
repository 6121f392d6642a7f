#include "peer_process.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace {

// A safety net: a peer left behind by a crashed test ends by itself.
constexpr int kPeerLifetimeSeconds = 240;
constexpr int kQuitWaitMs = 3000;

// Moves the whole lines of what arrived into lines.
void TakeLines(QByteArray& partial, const QByteArray& arrived, QStringList& lines) {
    partial += arrived;
    qsizetype newline;
    while ((newline = partial.indexOf('\n')) >= 0) {
        lines.append(QString::fromUtf8(partial.left(newline)));
        partial.remove(0, newline + 1);
    }
}

}  // namespace

PeerProcess::PeerProcess(const QString& name, const QString& folder, const QStringList& extraArgs)
    : name_(name) {
    QStringList args = {QStringLiteral("--name"), name, QStringLiteral("--lifetime"),
                        QString::number(kPeerLifetimeSeconds)};
    args += extraArgs;
    Launch(folder, QStringLiteral(HEADLESS_PEER_PATH), args, QStringLiteral("READY"),
           PeerInput::Commands);
}

PeerProcess::PeerProcess(const QString& name, const QString& folder, const QString& program,
                         const QStringList& args, const QString& readyPrefix, PeerInput input)
    : name_(name) {
    Launch(folder, program, args, readyPrefix, input);
}

void PeerProcess::Launch(const QString& folder, const QString& program, const QStringList& args,
                         const QString& readyPrefix, PeerInput input) {
    process_.setWorkingDirectory(folder);
    if (input == PeerInput::Nothing) process_.setStandardInputFile(QProcess::nullDevice());
    QObject::connect(&process_, &QProcess::readyReadStandardOutput,
                     [this] { TakeLines(partial_, process_.readAllStandardOutput(), lines_); });
    QObject::connect(&process_, &QProcess::readyReadStandardError, [this] {
        const QByteArray arrived = process_.readAllStandardError();
        std::fwrite(arrived.constData(), 1, static_cast<size_t>(arrived.size()), stderr);
        TakeLines(errorPartial_, arrived, errorLines_);
    });
    process_.start(program, args);
    ready_ = process_.waitForStarted(kPeerWaitMs) && WaitForPrefix(readyPrefix).has_value();
}

PeerProcess::~PeerProcess() {
    if (!Running()) return;
    Send(QStringLiteral("quit"));
    process_.closeWriteChannel();
    if (!process_.waitForFinished(kQuitWaitMs)) {
        process_.kill();
        process_.waitForFinished(kQuitWaitMs);
    }
}

void PeerProcess::Send(const QString& command) {
    process_.write(command.toUtf8() + '\n');
    process_.waitForBytesWritten(kQuitWaitMs);
}

int PeerProcess::WaitForLine(const QString& line, int from, int timeoutMs) {
    int found = -1;
    SpinUntil(
        [&] {
            found = static_cast<int>(lines_.indexOf(line, from));
            return found >= 0;
        },
        timeoutMs);
    return found;
}

std::optional<QString> PeerProcess::WaitForPrefix(const QString& prefix, int from, int timeoutMs) {
    std::optional<QString> found;
    SpinUntil(
        [&] {
            for (qsizetype i = from; i < lines_.size(); ++i) {
                if (lines_[i].startsWith(prefix)) {
                    found = lines_[i];
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return found;
}

bool PeerProcess::Saw(const QString& line, int from) const {
    return lines_.indexOf(line, from) >= 0;
}

int PeerProcess::CountPrefix(const QString& prefix) const {
    return static_cast<int>(std::count_if(lines_.begin(), lines_.end(),
                                          [&](const QString& l) { return l.startsWith(prefix); }));
}

int PeerProcess::CountOf(const QString& line, int from) const {
    int count = 0;
    for (qsizetype i = from; i < lines_.size(); ++i) count += lines_[i] == line;
    return count;
}

QMap<QString, QString> PeerProcess::State() {
    const int from = LineCount();
    Send(QStringLiteral("state"));
    QMap<QString, QString> fields;
    const auto line = WaitForPrefix(QStringLiteral("STATE "), from);
    if (!line) return fields;
    for (const QString& field : line->mid(6).split(u' ', Qt::SkipEmptyParts)) {
        const qsizetype eq = field.indexOf(u'=');
        if (eq > 0) fields[field.left(eq)] = field.mid(eq + 1);
    }
    return fields;
}

std::optional<int> PeerProcess::WaitForExit(int timeoutMs) {
    if (!SpinUntil([&] { return !Running(); }, timeoutMs)) return std::nullopt;
    if (process_.exitStatus() != QProcess::NormalExit) return std::nullopt;
    return process_.exitCode();
}

void PeerProcess::Kill() {
    process_.kill();
    process_.waitForFinished(kQuitWaitMs);
}

PeerGroup::PeerGroup() {
    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/ringdisk-peers-XXXXXX"));
    dir.setAutoRemove(false);
    root_ = dir.path();
}

PeerGroup::~PeerGroup() {
    peers_.clear();
    QDir(root_).removeRecursively();
}

QString PeerGroup::Folder(int index) const {
    return root_ + QStringLiteral("/peer%1").arg(index);
}

// Each peer gets its own folder: the library writes its log and dumps into
// the working directory.
QString PeerGroup::NextFolder() const {
    const QString folder = Folder(static_cast<int>(peers_.size()));
    QDir().mkpath(folder);
    return folder;
}

bool Delivered(PeerProcess& from, PeerProcess& to) {
    static int marks = 0;
    const QString mark = QStringLiteral("mark%1").arg(++marks);
    const int start = to.LineCount();
    from.Send(QStringLiteral("chat ") + mark);
    return to.WaitForLine(QStringLiteral("CHAT %1: %2").arg(from.Name(), mark), start) >= 0;
}

PeerProcess& PeerGroup::Start(const QString& name, const QStringList& extraArgs) {
    peers_.push_back(std::make_unique<PeerProcess>(name, NextFolder(), extraArgs));
    return *peers_.back();
}

PeerProcess& PeerGroup::StartProgram(const QString& name, const QString& program,
                                     const QStringList& args, const QString& readyPrefix,
                                     PeerInput input) {
    peers_.push_back(
        std::make_unique<PeerProcess>(name, NextFolder(), program, args, readyPrefix, input));
    return *peers_.back();
}

PeerProcess& PeerGroup::StartHost(const QString& name, const QString& password,
                                  const QStringList& extraArgs) {
    PeerProcess& host = Start(name, extraArgs);
    host.Send(QStringLiteral("host 0 ") + password);
    if (const auto line = host.WaitForPrefix(QStringLiteral("HOSTING ")))
        hostPort_ = static_cast<quint16>(line->mid(8).toUInt());
    return host;
}

PeerProcess& PeerGroup::StartClient(const QString& name, const QString& password,
                                    const QStringList& extraArgs) {
    PeerProcess& client = Start(name, extraArgs);
    client.Send(QStringLiteral("join 127.0.0.1 %1 %2").arg(hostPort_).arg(password));
    const QRegularExpression ownSlot(QStringLiteral("^SLOT [1-4] 1 ") +
                                     QRegularExpression::escape(name) + u'$');
    SpinUntil([&] { return client.Lines().indexOf(ownSlot) >= 0; });
    return client;
}
