// The narrow path from the rules to what the player sees beyond the table
// itself. The game layer only announces the moments the picture must
// follow; the scene implements this interface and names it in the table's
// outputs while it is up. A table without one drops every announcement, as
// on a peer without a window.
#pragma once

struct GameState;

class GamePresentation {
public:
    virtual ~GamePresentation() = default;
    // The table went back to rest: whatever celebrated the last game goes.
    virtual void OnTableReset() = 0;
    // A practice run began: its tries show in full.
    virtual void OnPracticeStarted() = 0;
    // A firework is due after a match; without a picture there is none.
    virtual void LaunchFirework(const GameState&) {}
};

// Where a table's announcements go: the presentation it names, or nowhere.
GamePresentation& PresentationOf(const GameState& g);
