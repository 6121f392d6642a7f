// A stand-in for the game library that writes down every option it is given,
// in order, as "SetMusic(1)". Settings never play, so the game calls are inert.
#pragma once

#include <string>
#include <vector>

#include "frontend/core/game_library.h"

class OptionRecordingLibrary : public GameLibrary {
public:
    bool IsMoving() override { return false; }
    bool Shoot(const wire::Shot&) override { return false; }
    bool PassTurnFromPeer() override { return false; }
    int SideToMove() override { return 0; }
    void SetSideToMove(int) override {}
    int LocalSeat() override { return 0; }
    void ShowRemoteAim(const std::array<float, 4>&) override {}
    void StepPhysics() override {}
    void Render() override {}
    wire::Positions ReadPositions() override { return {}; }
    void WritePositions(const wire::Positions&) override {}

    void SetSpecularLight(bool on) override { Note("SetSpecularLight", on); }
    void SetReflection(bool on) override { Note("SetReflection", on); }
    void SetHighQuality(bool high) override { Note("SetHighQuality", high); }
    void SetSoundEffects(bool on) override { Note("SetSoundEffects", on); }
    void SetMusic(bool on) override { Note("SetMusic", on); }
    void SetMouseSensitivity(int sensitivity) override { Note("SetMouseSensitivity", sensitivity); }

    std::vector<std::string> calls;

private:
    void Note(const char* name, int value) {
        calls.push_back(std::string(name) + "(" + std::to_string(value) + ")");
    }
};
