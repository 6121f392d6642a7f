// The game library through a table of its exported functions: the real
// library's (MakeExportedGameLibrary) or a test's stand-in. Every call goes
// through until Shutdown; a call that changes the table hands out, once it
// has returned, what the library said during it.
#pragma once

#include <functional>
#include <type_traits>
#include <utility>

#include "frontend/library/game_library.h"
#include "frontend/library/library_exports.h"

class ExportedGameLibrary : public GameLibrary {
public:
    // Registers the library's callbacks, in the order shot, turn, aim,
    // point, victory.
    explicit ExportedGameLibrary(LibraryExports exports);

    bool Initialize(quintptr window, int width, int height, bool debug, int uiLanguage) override;
    bool ResizeScene(int width, int height) override;
    bool Finished() const override { return finished_; }

    // TableDriver.
    bool IsMoving() override;
    bool Shoot(const wire::Shot& shot) override;
    bool PassTurnFromPeer() override;
    int SideToMove() override;
    int LocalSeat() override;
    void SetLocalSeat(int side) override;
    void ShowRemoteAim(const wire::Aim& aim) override;
    wire::Positions ReadPositions() override;
    void WritePositions(const wire::Positions& positions) override;

    // TableScreen.
    void SaveDump() override;
    void PlayEffect(int effect) override;
    void SetMouseFocus(bool hasFocus) override;

    // LibraryOptions.
    void SetSpecularLight(bool on) override;
    void SetReflection(bool on) override;
    void SetHighQuality(bool high) override;
    void SetSoundEffects(bool on) override;
    void SetMusic(bool on) override;
    void SetMouseSensitivity(int sensitivity) override;
    void SetDiscColours(DiscColours look) override;

protected:
    void Finish() override;
    void PutSideToMove(int side) override;
    LibraryReports RunStep() override;
    LibraryReports RunFrame() override;
    void LayIntro() override;
    void LayMatch(int seat, int seed) override;
    void LayPracticeRun(const QString& playerName, uint32_t seed, bool watched) override;
    void LayBestScores() override;

private:
    // Calls an exported function and hands out what the library said during
    // it.
    template <typename Result, typename... Params, typename... Args>
    Result Call(const std::function<Result(Params...)>& exported, Args&&... args) {
        if constexpr (std::is_void_v<Result>) {
            HandOut(Collect([&] { exported(std::forward<Args>(args)...); }));
        } else {
            Result result{};
            HandOut(Collect([&] { result = exported(std::forward<Args>(args)...); }));
            return result;
        }
    }
    // Runs the call and answers what the library said during it. A report
    // heard by a call made while reports are handed out belongs to that call.
    static LibraryReports Collect(const std::function<void()>& call);

    LibraryExports exports_;
    bool initialized_ = false;
    bool finished_ = false;
};
