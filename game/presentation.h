// The narrow path from the rules to what the player sees beyond the table
// itself. The game layer only announces the moments the picture must
// follow; the scene implements this interface while it is up, and until
// then every announcement is dropped, as on a peer without a window.
#pragma once

class GamePresentation {
public:
    virtual ~GamePresentation() = default;
    // The table went back to rest: whatever celebrated the last game goes.
    virtual void OnTableReset() = 0;
    // A practice run began: its tries show in full.
    virtual void OnPracticeStarted() = 0;
    // A firework is due after a match; without a picture there is none.
    virtual void LaunchFirework() {}
};

GamePresentation& Presentation();
// Installs the implementation the game talks to; null restores the silent one.
void SetGamePresentation(GamePresentation* presentation);
