#include "peer_commands.h"

#include <QTimer>

#include "tools/table_probe/table_probe.h"
#include "vexlib/exports.h"

void PeerCommands::Add(const QStringList& lines) {
    for (const QString& line : lines) pending_.push_back(line);
    RunQueued();
}

void PeerCommands::RunQueued() {
    while (!waiting_ && !pending_.empty()) {
        const QString line = pending_.front().trimmed();
        pending_.pop_front();
        if (line.startsWith(u"wait ")) {
            waiting_ = true;
            QTimer::singleShot(line.mid(5).toInt(), [this] {
                waiting_ = false;
                RunQueued();
            });
            return;
        }
        if (!line.isEmpty() && !line.startsWith(u'#')) Run(line);
    }
}

void PeerCommands::Run(const QString& line) {
    const QStringList words = line.split(u' ', Qt::SkipEmptyParts);
    const QString& verb = words[0];
    OnlineGame& game = core_.Online();
    if (verb == u"nick") {
        game.SetNickname(words.value(1));
    } else if (verb == u"host") {
        // Port 0, which the dialogs refuse, lets tests take whatever port is free.
        const QString port = words.value(1, QString::number(kDefaultPort));
        if (port == u"0" ? game.HostOnPort(0, words.value(2)) : game.Host(port, words.value(2)))
            print_(QStringLiteral("HOSTING %1").arg(game.ListeningPort()));
        else
            print_(QStringLiteral("HOSTFAILED"));
    } else if (verb == u"join") {
        game.Join(words.value(1), words.value(2), words.value(3));
    } else if (verb == u"lobbyjoin") {
        if (lobby_)
            lobby_->Join(words.value(1), words.value(2));
        else
            print_(QStringLiteral("NOLOBBY"));
    } else if (verb == u"start") {
        game.StartFirstMatch();
    } else if (verb == u"shoot") {
        Shoot(words);
    } else if (verb == u"chat") {
        core_.Chat().Enter(line.mid(5));
    } else if (verb == u"chateffects") {
        core_.ChatWindow().SetChatEffects(words.value(1) == u"1");
    } else if (verb == u"leave") {
        game.CloseButton();
    } else if (verb == u"practice") {
        core_.StartPractice();
    } else if (verb == u"state") {
        print_(State());
    } else if (verb == u"score") {
        // Both sides at once: a draw staged in two steps would be a win.
        SetPlayer_Pts(0, static_cast<char>(words.value(1).toInt()));
        SetPlayer_Pts(1, static_cast<char>(words.value(2).toInt()));
    } else if (verb == u"disturb") {
        SetDiscoX(5, GetDiscoX(5) + 1.0f);
    } else if (verb == u"packeterror") {
        game.OnPacketError();
    } else if (verb == u"quit") {
        quit_();
    } else {
        print_(QStringLiteral("UNKNOWN ") + line);
    }
}

void PeerCommands::Shoot(const QStringList& words) {
    const bool ownTurn = core_.Online().MatchRunning() && GetPlayer_Atual() == GetPlayer_Host();
    if (words.size() != 5 || !ownTurn || GetIsMoving() || !core_.Queue().Empty()) {
        print_(QStringLiteral("REFUSED shot"));
        return;
    }
    // Exactly what the library reports when the player releases the cue.
    core_.Callbacks().OnShoot(
        {words[1].toFloat(), words[2].toFloat(), words[3].toFloat(), words[4].toFloat()});
    print_(QStringLiteral("SHOT"));
}

QString PeerCommands::State() const {
    const OnlineGame& g = core_.Online();
    return QStringLiteral(
               "STATE online=%1 host=%2 match=%3 slot=%4 green=%5 red=%6 current=%7 seat=%8 "
               "moving=%9 queue=%10 countdown=%11 pts=%12,%13 fp=%14 sfp=%15 seed=%16 winner=%17 "
               "relayed=%18")
        .arg(g.IsOnline())
        .arg(g.IsHost())
        .arg(g.MatchRunning())
        .arg(g.MySlot())
        .arg(g.GreenSlot())
        .arg(g.RedSlot())
        .arg(GetPlayer_Atual())
        .arg(GetPlayer_Host())
        .arg(GetIsMoving())
        .arg(core_.Queue().Size())
        .arg(g.CountdownRunning())
        .arg(GetPlayer_Pts(0))
        .arg(GetPlayer_Pts(1))
        .arg(QString::fromStdString(table_probe::Hex(table_probe::FullFingerprint())))
        .arg(QString::fromStdString(table_probe::Hex(table_probe::SharedFingerprint())))
        .arg(g.MatchSeed())
        .arg(g.WinnerSlot())
        .arg(g.JoinedOverRelay());
}
