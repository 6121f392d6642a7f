// The front end without its window: owns the event queue, the chat, the
// online game, the frame loop and the library's callbacks, and runs the
// timer. The Qt main window and the headless peer each hold one.
#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>
#include <memory>

#include "frontend/chat/chat_display.h"
#include "frontend/library/event_queue.h"
#include "frontend/library/game_library.h"
#include "frontend/replay/replay_recorder.h"
#include "frontend/replay/replay_watch.h"
#include "frontend/session/chat_input.h"
#include "frontend/session/frame_loop.h"
#include "frontend/session/high_precision_timer.h"
#include "frontend/session/library_callbacks.h"
#include "frontend/session/online_game.h"
#include "frontend/view/frontend_view.h"

class FrontendCore {
public:
    // With the game library's exported functions.
    FrontendCore(FrontendView& view, EffectPlayer playEffect);
    // With a stand-in for the library, which must outlive the core.
    FrontendCore(FrontendView& view, EffectPlayer playEffect, GameLibrary& library);
    ~FrontendCore();

    // Registers the callbacks, then ticks every intervalMs (16 normally): on a
    // QTimer in the GUI thread, or with the high-precision timer's thread
    // handing each tick to the GUI thread.
    void Start(bool highTimer, int intervalMs = HighPrecisionTimer::kPeriodMs);
    // The close order: stop ticking, stop the timer, finalise the library,
    // clear the chat, leave the online game. Settings are the window's part,
    // saved between the library and the network (saveSettings may be empty).
    // Nothing reaches the library once it is finalised.
    void Close(const std::function<void()>& saveSettings);
    bool Closed() const { return library_.Finished(); }

    void StartPractice() { online_.BeginPractice(); }
    // The menu's "Novo": practice at once when offline; during a game or
    // practice, what "Encerrar" does (with its question) and then practice.
    // Nothing while a join attempt runs.
    void NewGame();
    // The menu's "Ver Recordes": the best plays, after leaving a game or
    // practice the way "Encerrar" does.
    void ShowBestScores();

    OnlineGame& Online() { return online_; }
    FrontendView& View() { return view_; }
    GameLibrary& Library() { return library_; }
    ChatInput& Chat() { return chatInput_; }
    ChatDisplay& ChatWindow() { return chat_; }
    FrameLoop& Loop() { return loop_; }
    EventQueue& Queue() { return queue_; }
    LibraryCallbacks& Callbacks() { return callbacks_; }

    // Every match and practice run is recorded; a finished recording is
    // saved into this folder (empty: none is saved).
    void SetReplayFolder(const QString& folder) { replayFolder_ = folder; }
    // Whether the opponent of the matches is the computer player; their
    // replays say so.
    void SetAgainstComputer(bool computer) { againstComputer_ = computer; }
    const ReplayRecorder& Recorder() const { return recorder_; }

    // Watching a replay: the frame timer plays it in the game panel instead
    // of running the frame loop, after leaving a game or practice the way
    // "Encerrar" does. False, with the player told why, when it is not
    // watched. Starting a game or practice ends the watching by itself.
    bool WatchReplay(const replay::Replay& replay);
    // Back to the intro.
    void StopWatching();
    // The replay being watched, or null.
    ReplayWatch* Watching() { return watch_.get(); }

private:
    FrontendCore(FrontendView& view, EffectPlayer playEffect, std::unique_ptr<GameLibrary> owned,
                 GameLibrary* borrowed);
    // Whether a game or practice runs, which hides the connection panel.
    bool InGameOrPractice() const;

    void Tick();
    // The recorder hears the library's reports and the events applied.
    void Record();
    // Hands the library back to the frame loop.
    void EndWatching();
    ReplayPeople PeopleOfTheGame() const;
    void KeepReplay(const replay::Replay& replay);

    std::unique_ptr<GameLibrary> ownLibrary_;
    GameLibrary& library_;
    ReplayRecorder recorder_;
    QString replayFolder_;
    bool againstComputer_ = false;
    FrontendView& view_;
    std::unique_ptr<ReplayWatch> watch_;
    bool verdictShown_ = false;
    EventQueue queue_;
    ChatDisplay chat_;
    OnlineGame online_;
    FrameLoop loop_;
    ChatInput chatInput_;
    LibraryCallbacks callbacks_;
    QObject tickReceiver_;
    std::unique_ptr<QTimer> windowTimer_;
    HighPrecisionTimer highTimer_;
};
