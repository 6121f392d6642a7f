// The five notifications the library sends back to the program that drives it.
// They cross the library boundary, so they are plain C function pointers.
#pragma once

extern "C" {
typedef void (*VexShootCallback)(float x, float z, float force, float angle);
typedef void (*VexMudaJogadorCallback)(int newCurrentPlayer);
typedef void (*VexShootingCallback)(float z, float x, float force, float angle, float aimPhase);
typedef void (*VexPointCallback)(int kind);
typedef void (*VexVitoriaCallback)(int result);
}
