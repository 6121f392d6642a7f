// The program's switches that change what the running scene draws.
#pragma once

// Specular highlights on or off: the render state and the two lights that
// only shine. Nothing happens without a scene.
void SetSceneSpecular(bool on);

// The highlights shown or not for what is drawn next, leaving the switch
// as it is: the mirror's reflection is drawn without them.
void ShowHighlights(bool on);
