// The timing of a client's way back after its line to the host broke in the
// middle of a match: a first attempt at once, another every few seconds
// while none is under way, a reminder of the time left now and then, and
// the end of the window, after which the player is told the connection is
// lost, as without reconnecting. What an attempt does is the caller's.
#pragma once

#include <QTimer>
#include <functional>

class Reconnector {
public:
    static constexpr int kDefaultWindowSeconds = 60;
    static constexpr int kRetryEveryMs = 2000;
    // An attempt that has not connected by then is given up for the next.
    static constexpr int kAttemptLimitMs = 2500;

    struct Hooks {
        std::function<void()> attempt;
        std::function<void(int secondsLeft)> remind;
        std::function<void()> windowOver;
    };
    explicit Reconnector(Hooks hooks);

    // 0 never reconnects.
    void SetWindowSeconds(int seconds) { windowSeconds_ = seconds; }
    int WindowSeconds() const { return windowSeconds_; }

    void Start();
    // The attempt under way failed: the next one comes when it is due.
    void AttemptFailed();
    void Stop();
    bool Active() const { return secondsLeft_ > 0; }

private:
    void EverySecond();

    Hooks hooks_;
    int windowSeconds_ = kDefaultWindowSeconds;
    int secondsLeft_ = 0;
    QTimer second_;
    QTimer retry_;
};
