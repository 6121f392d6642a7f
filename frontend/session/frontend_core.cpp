#include "frontend/session/frontend_core.h"

#include <cstdio>

#include "frontend/replay/replay_store.h"
#include "frontend/texts/ui_texts.h"

FrontendCore::FrontendCore(FrontendView& view, EffectPlayer playEffect)
    : FrontendCore(view, std::move(playEffect), MakeExportedGameLibrary(), nullptr) {}

FrontendCore::FrontendCore(FrontendView& view, EffectPlayer playEffect, GameLibrary& library)
    : FrontendCore(view, std::move(playEffect), nullptr, &library) {}

FrontendCore::FrontendCore(FrontendView& view, EffectPlayer playEffect,
                           std::unique_ptr<GameLibrary> owned, GameLibrary* borrowed)
    : ownLibrary_(std::move(owned)),
      library_(borrowed ? *borrowed : *ownLibrary_),
      recorder_(
          library_, [this](const replay::Replay& r) { KeepReplay(r); },
          [this] { return PeopleOfTheGame(); }),
      view_(view),
      chat_(view, std::move(playEffect)),
      online_(view, chat_, queue_, library_),
      loop_(queue_, online_, library_),
      chatInput_(online_, chat_),
      callbacks_(online_, queue_, library_, loop_) {
    Record();
}

FrontendCore::~FrontendCore() {
    highTimer_.Stop();
    windowTimer_.reset();
    if (library_.Observer() == &recorder_) library_.Observe(nullptr);
}

void FrontendCore::Record() {
    library_.Observe(&recorder_);
    loop_.ObserveAppliedEvents([this](const GameEvent& e) { recorder_.OnApplied(e); });
}

void FrontendCore::Start(bool highTimer, int intervalMs) {
    callbacks_.Register();
    loop_.SetEngineRunning(true);
    if (highTimer) {
        loop_.SetMinimumTickMs(0);  // the thread keeps the pace
        highTimer_.Start(
            &tickReceiver_, [this] { Tick(); }, intervalMs);
        return;
    }
    windowTimer_ = std::make_unique<QTimer>();
    windowTimer_->setTimerType(Qt::PreciseTimer);
    windowTimer_->setInterval(intervalMs);
    QObject::connect(windowTimer_.get(), &QTimer::timeout, [this] { Tick(); });
    windowTimer_->start();
}

void FrontendCore::Close(const std::function<void()>& saveSettings) {
    if (!loop_.EngineRunning()) return;
    loop_.SetEngineRunning(false);
    watch_.reset();
    highTimer_.Stop();
    windowTimer_.reset();
    library_.Detach(&callbacks_);
    library_.Shutdown();
    chat_.Clear();
    if (saveSettings) saveSettings();
    online_.LeaveGame(false);
}

bool FrontendCore::InGameOrPractice() const {
    return online_.IsOnline() || online_.PracticeRunning();
}

void FrontendCore::NewGame() {
    if (online_.IsConnecting()) return;
    if (InGameOrPractice() && !online_.CloseButton()) return;
    StartPractice();
}

void FrontendCore::ShowBestScores() {
    if (InGameOrPractice() && !online_.CloseButton()) return;
    library_.ShowBestScores();
}

ReplayPeople FrontendCore::PeopleOfTheGame() const {
    ReplayPeople people;
    people.language = static_cast<uint8_t>(online_.Language());
    people.againstComputer = againstComputer_;
    if (online_.PracticeRunning()) {
        people.greenName = online_.Nickname();
        return people;
    }
    const auto nameIn = [this](int slot) {
        return slot >= 1 && slot <= kPlayerSlotCount ? online_.Slots()[slot].name : QString();
    };
    people.greenName = nameIn(online_.GreenSlot());
    people.redName = nameIn(online_.RedSlot());
    return people;
}

void FrontendCore::KeepReplay(const replay::Replay& replay) {
    if (replayFolder_.isEmpty()) return;
    QString error;
    if (SaveReplay(replayFolder_, replay, &error).isEmpty())
        std::fprintf(stderr, "ringdisk: the replay was not kept: %s\n", error.toLocal8Bit().constData());
}

void FrontendCore::Tick() {
    // Hosting, joining or practice took the table back.
    if (watch_ && online_.State() != Session::Offline) EndWatching();
    if (!watch_) {
        loop_.Tick();
        return;
    }
    if (!loop_.EngineRunning()) return;
    watch_->Tick();
    if (watch_->Player().Finished() && !verdictShown_) {
        verdictShown_ = true;
        const int language = online_.Language();
        view_.ShowMessage(Tr(watch_->Player().Matches() ? UiText::ReplayAsRecorded
                                                        : UiText::ReplayElsewhere,
                             language));
    }
}

bool FrontendCore::WatchReplay(const replay::Replay& replay) {
    if (!ReplayPlayer::IsPlayable(replay)) {
        view_.ShowMessage(Tr(UiText::ReplayPracticeNotPlayed, online_.Language()));
        return false;
    }
    if (online_.IsConnecting()) return false;
    if (InGameOrPractice() && !online_.CloseButton()) return false;
    // The match watched reaches neither the online game nor a recording.
    library_.Detach(&callbacks_);
    library_.Observe(nullptr);
    watch_ = std::make_unique<ReplayWatch>(replay, library_);
    verdictShown_ = false;
    watch_->Start();
    return true;
}

void FrontendCore::StopWatching() {
    if (!watch_) return;
    EndWatching();
    library_.ShowIntro();
}

void FrontendCore::EndWatching() {
    watch_.reset();
    Record();
    callbacks_.Register();
}
