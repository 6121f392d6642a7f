// The game's sound effects by number: the one list of them. A number is the
// effect's position in the list the scene loads from the package (the file
// each one plays is named beside it), what the game plays on its own and
// what a program asks for through PlaySFX. Nothing but constants, so the
// game, the scene and the programs all share it.
#pragma once

#include <cstdint>

enum VexEffect : int16_t {
    kEffectShot = 0,            // "hit.wav": the cue strikes the striker
    kEffectWall = 1,            // "colmesa.wav": a disc hits a cushion
    kEffectDiscHit = 2,         // "col.wav": two discs collide
    kEffectPocket = 3,          // "gol.wav": a disc falls
    kEffectReturn = 4,          // "repoe.wav": a pocketed disc comes back
    kEffectFireworkLaunch = 5,  // "c1.wav"
    kEffectFireworkBurst = 6,   // "e1.wav"
    kEffectFireworkPuff = 7,    // "e2.wav"
    kEffectWin = 8,             // "win.wav"
    kEffectLose = 9,            // "lose.wav"
    kEffectDraw = 10,           // "draw.wav"
    kEffectLaugh = 11,          // "haha.wav"
    kEffectGiggle = 12,         // "hehe.wav"
    kEffectOops = 13,           // "ops.wav"
    kEffectKicked = 14,         // "kick.wav": you were kicked from the chat
    kEffectMatchStart = 15,     // "initp.wav"
    kEffectPlop = 16,           // "plop.wav": a practice hint changes
    kEffectIlliterate = 17,     // "ling01.wav"
    kEffectShout = 18,          // "praca.wav": the chat's /praca
    kEffectPieceOfCake = 19,    // "cake.wav"
    kEffectDie = 20,            // "birth.wav"
    kEffectComeOn = 21,         // "come.wav"
    kEffectCool = 22,           // "cool.wav"
    kEffectFaceAss = 23,        // "faceass.wav"
    kEffectHailToTheKing = 24,  // "king.wav"
    kEffectLetsRock = 25,       // "rock.wav"
    kEffectShakeIt = 26,        // "shake.wav"
    kEffectCount = 27
};
