// One headless peer in its own process, driven through its standard input and
// watched through the event lines it prints. Every wait is bounded; the peer
// itself ends after its lifetime even if the test that started it dies.
#pragma once

#include <QDir>
#include <QMap>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

#include "tests/frontend/spin_until.h"

constexpr int kPeerWaitMs = 15000;

// What a program's standard input is: a pipe the test writes commands into,
// or /dev/null, as a launcher, a service or nohup give it.
enum class PeerInput { Commands, Nothing };

class PeerProcess {
public:
    // Starts the peer in folder (which must exist) and waits until it is ready.
    PeerProcess(const QString& name, const QString& folder, const QStringList& extraArgs = {});
    // Starts another of our programs that speaks in lines on its standard
    // output (and reads commands from its input when given them), and waits
    // for a line that starts with readyPrefix.
    PeerProcess(const QString& name, const QString& folder, const QString& program,
                const QStringList& args, const QString& readyPrefix,
                PeerInput input = PeerInput::Commands);
    ~PeerProcess();
    PeerProcess(const PeerProcess&) = delete;
    PeerProcess& operator=(const PeerProcess&) = delete;

    const QString& Name() const { return name_; }
    bool Ready() const { return ready_; }
    void Send(const QString& command);

    // The first line at or after `from` equal to `line`; its index, or -1
    // after the timeout.
    int WaitForLine(const QString& line, int from = 0, int timeoutMs = kPeerWaitMs);
    // The first line at or after `from` that starts with `prefix`.
    std::optional<QString> WaitForPrefix(const QString& prefix, int from = 0,
                                         int timeoutMs = kPeerWaitMs);
    bool Saw(const QString& line, int from = 0) const;
    // How many lines so far start with the prefix.
    int CountPrefix(const QString& prefix) const;
    int CountOf(const QString& line, int from = 0) const;
    int LineCount() const { return static_cast<int>(lines_.size()); }
    const QStringList& Lines() const { return lines_; }
    // What the peer wrote to standard error (its warnings), one line each;
    // passed on to this process's standard error as well.
    const QStringList& ErrorLines() const { return errorLines_; }

    // Asks for the peer's state line and answers its fields by name.
    QMap<QString, QString> State();

    // Ends the process the hard way, as a crash or a killed program would.
    void Kill();
    // Asks the process to end, as the system does at shutdown (SIGTERM).
    void Terminate() { process_.terminate(); }
    // Ends the process's standard input.
    void CloseInput() { process_.closeWriteChannel(); }
    bool Running() const { return process_.state() != QProcess::NotRunning; }
    // Waits for the process to end by itself; its exit status, or nullopt.
    std::optional<int> WaitForExit(int timeoutMs = kPeerWaitMs);

private:
    void Launch(const QString& folder, const QString& program, const QStringList& args,
                const QString& readyPrefix, PeerInput input);

    QString name_;
    QProcess process_;
    QByteArray partial_;
    QStringList lines_;
    QByteArray errorPartial_;
    QStringList errorLines_;
    bool ready_ = false;
};

// Waits until all that `from` sent before this call has reached `to`, so that
// a test can check that something did not happen without waiting a guessed
// while: a chat line from `from` arrives after it, since one connection keeps
// its order. False when the line did not arrive.
bool Delivered(PeerProcess& from, PeerProcess& to);

// Starts peers in separate folders of one scratch folder and ends them all.
class PeerGroup {
public:
    PeerGroup();
    ~PeerGroup();
    PeerProcess& Start(const QString& name, const QStringList& extraArgs = {});
    // Starts another of our programs in a folder of its own (see PeerProcess).
    PeerProcess& StartProgram(const QString& name, const QString& program, const QStringList& args,
                              const QString& readyPrefix, PeerInput input = PeerInput::Commands);
    // Starts a host on a free port; answers it with its port, or 0.
    PeerProcess& StartHost(const QString& name, const QString& password = {},
                           const QStringList& extraArgs = {});
    quint16 HostPort() const { return hostPort_; }
    // The working folder of the index-th peer started.
    QString Folder(int index) const;
    // Starts a client that joins the host and waits for its slot (0: refused
    // or not answered).
    PeerProcess& StartClient(const QString& name, const QString& password = {},
                             const QStringList& extraArgs = {});

private:
    QString NextFolder() const;

    QString root_;
    std::vector<std::unique_ptr<PeerProcess>> peers_;
    quint16 hostPort_ = 0;
};
