#include "frontend/net/reconnector.h"

namespace {
constexpr int kSecondMs = 1000;
constexpr int kRemindEverySeconds = 15;
}  // namespace

Reconnector::Reconnector(Hooks hooks) : hooks_(std::move(hooks)) {
    second_.setInterval(kSecondMs);
    QObject::connect(&second_, &QTimer::timeout, [this] { EverySecond(); });
    retry_.setSingleShot(true);
    retry_.setInterval(kRetryEveryMs);
    QObject::connect(&retry_, &QTimer::timeout, [this] {
        if (Active()) hooks_.attempt();
    });
}

void Reconnector::Start() {
    secondsLeft_ = windowSeconds_;
    if (!Active()) return;
    second_.start();
    hooks_.attempt();
}

void Reconnector::AttemptFailed() {
    if (Active()) retry_.start();
}

void Reconnector::Stop() {
    secondsLeft_ = 0;
    second_.stop();
    retry_.stop();
}

void Reconnector::EverySecond() {
    if (--secondsLeft_ <= 0) {
        Stop();
        hooks_.windowOver();
        return;
    }
    if (secondsLeft_ % kRemindEverySeconds == 0) hooks_.remind(secondsLeft_);
}
