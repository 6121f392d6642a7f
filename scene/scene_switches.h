// The program's switches that change what the running scene draws.
#pragma once

#include "game/game_state.h"

// Specular highlights on or off: the table's option, the render state and
// the two lights that only shine. Nothing happens without a scene.
void SetSceneSpecular(GameState& g, bool on);

// The highlights shown or not for what is drawn next, leaving the switch
// as it is: the mirror's reflection is drawn without them.
void ShowHighlights(bool on);
