#include "frontend/core/library_gate.h"

bool LibraryGate::Initialize(quintptr window, int width, int height, bool debug,
                             int uiLanguage) {
    return !finished_ && library_.Initialize(window, width, height, debug, uiLanguage);
}

// After the shutdown the table reads as at rest and refuses every change.
bool LibraryGate::IsMoving() {
    return !finished_ && library_.IsMoving();
}
bool LibraryGate::Shoot(const wire::Shot& shot) {
    return !finished_ && library_.Shoot(shot);
}
bool LibraryGate::PassTurnFromPeer() {
    return !finished_ && library_.PassTurnFromPeer();
}
int LibraryGate::SideToMove() {
    return finished_ ? 0 : library_.SideToMove();
}
void LibraryGate::SetSideToMove(int side) {
    if (!finished_) library_.SetSideToMove(side);
}
int LibraryGate::LocalSeat() {
    return finished_ ? 0 : library_.LocalSeat();
}
void LibraryGate::ShowRemoteAim(const std::array<float, 4>& aim) {
    if (!finished_) library_.ShowRemoteAim(aim);
}
void LibraryGate::StepPhysics() {
    if (!finished_) library_.StepPhysics();
}
void LibraryGate::Render() {
    if (!finished_) library_.Render();
}
wire::Positions LibraryGate::ReadPositions() {
    return finished_ ? wire::Positions{} : library_.ReadPositions();
}
void LibraryGate::WritePositions(const wire::Positions& positions) {
    if (!finished_) library_.WritePositions(positions);
}

void LibraryGate::ShowIntro() {
    if (!finished_) library_.ShowIntro();
}
void LibraryGate::StartMatch(int seat, int seed) {
    if (!finished_) library_.StartMatch(seat, seed);
}
void LibraryGate::StartPractice(const QString& playerName) {
    if (!finished_) library_.StartPractice(playerName);
}
void LibraryGate::SaveDump() {
    if (!finished_) library_.SaveDump();
}
void LibraryGate::ShowBestScores() {
    if (!finished_) library_.ShowBestScores();
}
void LibraryGate::PlayEffect(int effect) {
    if (!finished_) library_.PlayEffect(effect);
}
void LibraryGate::SetMouseFocus(bool hasFocus) {
    if (!finished_) library_.SetMouseFocus(hasFocus);
}
void LibraryGate::Shutdown() {
    if (finished_) return;
    finished_ = true;
    library_.Shutdown();
}

void LibraryGate::Attach(GameLibraryListener* listener) {
    if (!finished_) library_.Attach(listener);
}
void LibraryGate::Detach(GameLibraryListener* listener) {
    if (!finished_) library_.Detach(listener);
}

void LibraryGate::SetSpecularLight(bool on) {
    if (!finished_) library_.SetSpecularLight(on);
}
void LibraryGate::SetReflection(bool on) {
    if (!finished_) library_.SetReflection(on);
}
void LibraryGate::SetHighQuality(bool high) {
    if (!finished_) library_.SetHighQuality(high);
}
void LibraryGate::SetSoundEffects(bool on) {
    if (!finished_) library_.SetSoundEffects(on);
}
void LibraryGate::SetMusic(bool on) {
    if (!finished_) library_.SetMusic(on);
}
void LibraryGate::SetMouseSensitivity(int sensitivity) {
    if (!finished_) library_.SetMouseSensitivity(sensitivity);
}
