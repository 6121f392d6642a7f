// The scene's side of the game's presentation seam: a table reset clears
// the fireworks, a due firework goes up, a practice start shows all four
// tries at once. Connected
// while the scene is up; without it (a peer with no window, or after the
// scene went down) the game's announcements reach nothing.
#pragma once

class Fireworks;

// fireworks may be null: a reset then has nothing to clear.
void ConnectScenePresentation(Fireworks* fireworks);
void DisconnectScenePresentation();
