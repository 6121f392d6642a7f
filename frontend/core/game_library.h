// The calls into the game library that the frame tick makes, behind a small
// interface: the program uses the exported functions, a test can count and
// script them.
#pragma once

#include <array>

#include "frontend/core/wire_messages.h"

class GameLibrary {
public:
    virtual ~GameLibrary() = default;

    virtual bool IsMoving() = 0;
    // False while discs move: the caller tries again later.
    virtual bool Shoot(const wire::Shot& shot) = 0;
    virtual bool PassTurnFromPeer() = 0;
    virtual int SideToMove() = 0;
    virtual void SetSideToMove(int side) = 0;
    virtual int LocalSeat() = 0;
    // aim Z, aim X, force, angle of the player at another machine.
    virtual void ShowRemoteAim(const std::array<float, 4>& aim) = 0;
    virtual void StepPhysics() = 0;
    virtual void Render() = 0;
    virtual wire::Positions ReadPositions() = 0;
    virtual void WritePositions(const wire::Positions& positions) = 0;

    // The options of the menus that the library keeps.
    virtual void SetSpecularLight(bool on) = 0;
    virtual void SetReflection(bool on) = 0;
    virtual void SetHighQuality(bool high) = 0;
    virtual void SetSoundEffects(bool on) = 0;
    virtual void SetMusic(bool on) = 0;
    virtual void SetMouseSensitivity(int sensitivity) = 0;
};

// The real library, through its exported functions.
class ExportedGameLibrary : public GameLibrary {
public:
    bool IsMoving() override;
    bool Shoot(const wire::Shot& shot) override;
    bool PassTurnFromPeer() override;
    int SideToMove() override;
    void SetSideToMove(int side) override;
    int LocalSeat() override;
    void ShowRemoteAim(const std::array<float, 4>& aim) override;
    void StepPhysics() override;
    void Render() override;
    wire::Positions ReadPositions() override;
    void WritePositions(const wire::Positions& positions) override;
    void SetSpecularLight(bool on) override;
    void SetReflection(bool on) override;
    void SetHighQuality(bool high) override;
    void SetSoundEffects(bool on) override;
    void SetMusic(bool on) override;
    void SetMouseSensitivity(int sensitivity) override;
};
