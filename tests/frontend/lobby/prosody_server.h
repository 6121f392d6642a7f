// A real Prosody for the lobby's tests, run from the configuration the game
// ships (dist/lobby/prosody.cfg.lua) on 127.0.0.1: its own free port, data
// folder, log and a certificate made for it in a temporary folder, stopped
// when the object goes. Without the prosody program the tests that need it
// are skipped.
#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <cstdint>
#include <memory>

#include "frontend/lobby/lobby_server.h"

class ProsodyServer {
public:
    static bool Installed();

    // Starts the server (again, after Stop) and waits until its lobby room
    // is open; false (with the reason in Problem()) when it did not come up.
    // connectionsPerAddress overrides the configuration's limit when positive.
    // withRelay false leaves the server's relay out, as a lobby may.
    bool Start(int connectionsPerAddress = 0, bool withRelay = true);
    // Ends the server as its service manager would (SIGTERM) and waits.
    void Stop();
    // Freezes the server (SIGSTOP) with its connections open, as a machine
    // that hangs or a line that dies without closing looks; and thaws it.
    void Freeze();
    void Thaw();
    ~ProsodyServer();

    // How a client reaches this lobby, trusting its certificate.
    lobby::LobbyServer Lobby() const;
    QString Log() const;
    // The server's process id while it runs (0 otherwise), for measuring
    // what it costs.
    qint64 Pid() const { return process_ ? process_->processId() : 0; }
    const QString& Problem() const { return problem_; }

private:
    QTemporaryDir dir_;
    std::unique_ptr<QProcess> process_;
    uint16_t port_ = 0;
    uint16_t relayPort_ = 0;
    QString problem_;
};

// A port on 127.0.0.1 that no one listens on right now.
uint16_t FreeLoopbackPort();
