#include "fuzz/host_under_test.h"

#include <QCoreApplication>
#include <cstdlib>
#include <memory>

#include "frontend/session/frontend_core.h"
#include "frontend/view/headless_view.h"
#include "fuzz/quiet_qt_messages.h"
#include "tests/frontend/core/recording_library.h"

namespace {

constexpr int kTicksPerRead = 3;

// Read sizes from 1 to 64 bytes in a sequence fixed by the input's first
// byte, so that frames are split and merged in every way.
class ReadSizes {
public:
    explicit ReadSizes(uint8_t seed) : state_(seed * 2654435761u + 1u) {}
    size_t Next() {
        state_ = state_ * 1103515245u + 12345u;
        return 1 + (state_ >> 16) % 64;
    }

private:
    uint32_t state_;
};

}  // namespace

void StartHostEventLoop(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    // The host warns about every refused message.
    SilenceQtMessagesButFatal();
}

void FeedHost(Sender sender, const uint8_t* data, size_t size) {
    if (size < 1) return;
    HeadlessView view;
    RecordingLibrary library;
    {
        FrontendCore core(
            view, [](int) {}, library);
        core.Callbacks().Register();
        core.Loop().SetMinimumTickMs(0);
        core.Loop().SetEngineRunning(true);
        OnlineGame& game = core.Online();
        game.SetNickname("Ana");
        if (!game.HostOnPort(0, "")) std::abort();
        NetworkLink& link = game.Link();
        const int connection = link.OpenUnwiredConnection();
        if (sender == Sender::SeatedInMatch) {
            link.ReceiveFromClient(connection, MakeFrame("NICK:Bob,"));
            if (game.Slots().FindConnection(connection) != 2) std::abort();
            game.StartFirstMatch();
            core.Library().SetSideToMove(data[0] & 1);
        }
        ReadSizes reads(data[0]);
        size_t at = 1;
        while (at < size) {
            const size_t n = std::min(reads.Next(), size - at);
            link.ReceiveFromClient(
                connection, QByteArray(reinterpret_cast<const char*>(data + at), qsizetype(n)));
            at += n;
            for (int t = 0; t < kTicksPerRead; ++t) core.Loop().Tick();
        }
        // The line drops, and the host closes the game.
        if (link.IsConnectionOpen(connection)) game.OnClientConnectionError(connection);
        core.Close({});
    }
    // Sockets and timers are deleted on the event loop's next turn.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
