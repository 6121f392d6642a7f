// The front end's one door to the game library, cut by who goes through it:
// the frame tick drives the table (TableDriver), the online game and the
// window show what a session needs on it (TableScreen), the menus set the
// options the library keeps (LibraryOptions). GameLibrary is all three with
// the library's life around them. The program uses the exported functions
// (MakeExportedGameLibrary); a test can count and script them.
#pragma once

#include <QString>
#include <cstdint>
#include <memory>

#include "frontend/wire/wire_messages.h"

// What the library reports while one of its calls runs (a physics step or a
// render): a shot to send, the turn passing, the local player's aim, the end
// of a match. The library's point notification carries nothing we use.
class GameLibraryListener {
public:
    virtual ~GameLibraryListener() = default;

    virtual void OnShoot(const wire::Shot& shot) = 0;
    virtual void OnTurnPassed() = 0;
    virtual void OnAim(const wire::Aim& aim) = 0;
    // 0 draw, 1 green won, 2 red won.
    virtual void OnVictory(int result) = 0;
};

// The library's aim report as the aim record: its phase comes as a float and
// travels as a whole number, cut towards zero.
wire::Aim AimFromLibrary(float z, float x, float force, float angle, float phase);

// The side a machine plays when it only watches.
constexpr int kWatchingSide = 2;

// The table, as the frame tick drives it and the computer player reads it.
class TableDriver {
public:
    virtual ~TableDriver() = default;

    virtual bool IsMoving() = 0;
    // False while discs move: the caller tries again later.
    virtual bool Shoot(const wire::Shot& shot) = 0;
    virtual bool PassTurnFromPeer() = 0;
    // 0 green, 1 red.
    virtual int SideToMove() = 0;
    virtual void SetSideToMove(int side) = 0;
    // The side played at this machine, or kWatchingSide.
    virtual int LocalSeat() = 0;
    // Watching holds the turn clock and the aim of this machine's player
    // while the match waits for somebody; the side given back resumes both.
    virtual void SetLocalSeat(int side) = 0;
    // The aim of the player at another machine; its phase is not shown.
    virtual void ShowRemoteAim(const wire::Aim& aim) = 0;
    virtual void StepPhysics() = 0;
    virtual void Render() = 0;
    virtual wire::Positions ReadPositions() = 0;
    virtual void WritePositions(const wire::Positions& positions) = 0;
};

// What a session shows on the table: the online game's and the window's calls.
class TableScreen {
public:
    virtual ~TableScreen() = default;

    virtual void ShowIntro() = 0;
    // seat: 1 plays green, 2 plays red, 0 watches.
    virtual void StartMatch(int seat, int seed) = 0;
    virtual void StartPractice(const QString& playerName) = 0;
    // A practice run seeded with seed, so that its table follows from the
    // seed and the shots alone. watched: a recorded run played again, which
    // nothing of this machine's player reaches and which never enters the
    // best plays; when it ends it stays on its last table.
    virtual void StartPracticeRun(const QString& playerName, uint32_t seed, bool watched) = 0;
    // Writes this machine's table to a dump file.
    virtual void SaveDump() = 0;
    // The best plays of practice.
    virtual void ShowBestScores() = 0;
    // A sound effect by its number; silent while sound effects are off.
    virtual void PlayEffect(int effect) = 0;
    // Whether the game panel owns the mouse; without it no aim is held.
    virtual void SetMouseFocus(bool hasFocus) = 0;
};

// How the sides' discs look: stored as 0 or 1.
enum class DiscColours { Classic = 0, ColourSafe = 1 };

// The options of the menus that the library keeps.
class LibraryOptions {
public:
    virtual ~LibraryOptions() = default;

    virtual void SetSpecularLight(bool on) = 0;
    virtual void SetReflection(bool on) = 0;
    virtual void SetHighQuality(bool high) = 0;
    virtual void SetSoundEffects(bool on) = 0;
    virtual void SetMusic(bool on) = 0;
    virtual void SetMouseSensitivity(int sensitivity) = 0;
    virtual void SetDiscColours(DiscColours look) = 0;
};

class GameLibrary : public TableDriver, public TableScreen, public LibraryOptions {
public:
    // Creates the scene in the native window `window` (an X11 window id) of
    // width x height pixels; HUD texts in uiLanguage. False on failure.
    virtual bool Initialize(quintptr window, int width, int height, bool debug,
                            int uiLanguage) = 0;
    // The panel's window now has width x height device pixels: the scene
    // draws at that size from the next frame on. False before Initialize,
    // after Shutdown, or when the library keeps drawing at its old size.
    virtual bool ResizeScene(int width, int height) = 0;
    // Releases the scene and everything the library holds. The close still
    // leaves the online game afterwards (peers must hear "ENDS:" or
    // "QUIT:"), and leaving resets the table and the mouse focus: from now
    // on no call reaches the library, the table reads as at rest and
    // refuses every change.
    virtual void Shutdown() = 0;
    virtual bool Finished() const = 0;

    // The one listener that hears the library; null silences it. Detach
    // forgets the listener only if it is still the one attached.
    virtual void Attach(GameLibraryListener* listener) = 0;
    virtual void Detach(GameLibraryListener* listener) = 0;
};

// The real library, through its exported functions.
std::unique_ptr<GameLibrary> MakeExportedGameLibrary();
