// The synthesised sound effects of the game (everything but speech).
#pragma once

#include "tools/assetgen/wave_file.h"

namespace assetgen {

Samples MakeCueHit();        // "hit.wav": the cue strikes the striker
Samples MakeCushionThud();   // "colmesa.wav": a disc hits the rim
Samples MakeDiscClick();     // "col.wav": two discs collide
Samples MakePocketDrop();    // "gol.wav": a disc drops into a hole and rattles
Samples MakeDiscReturn();    // "repoe.wav": a pocketed disc comes back
Samples MakeRocketLaunch();  // "c1.wav": a firework rocket whistles up
Samples MakeBigBurst();      // "e1.wav": a firework bursts
Samples MakeSmallPuff();     // "e2.wav": a small grey puff
Samples MakeWinFanfare();    // "win.wav"
Samples MakeLoseTrombone();  // "lose.wav"
Samples MakeDrawChime();     // "draw.wav"
Samples MakeKick();          // "kick.wav": a player is kicked out
Samples MakeMatchStart();    // "initp.wav": ready, steady, go beeps
Samples MakePlop();          // "plop.wav": a try is lost
Samples MakeWhistle();       // "praca.wav": the shout command's whistle

}  // namespace assetgen
