// The flat interface of vexlib: everything the program does with the game
// goes through these functions, and the game answers through the five
// callbacks. Booleans cross as bytes (0 false), floats as 32-bit singles.
#pragma once

#include <cstdint>

#include "vexlib/callbacks.h"

#define VEX_API __attribute__((visibility("default")))

extern "C" {

// Scene life cycle. window is the native window handle of the game panel.
// Answers 0 when the scene was created, -1 on failure.
VEX_API int IniciarD3D(void* window, void* instance, int width, int height, int flag, int language);
VEX_API void FinalizaD3D();
VEX_API int RenderCena();
// The game panel's new size in device pixels: the scene draws at it from the
// next frame on, with nothing reloaded and the game untouched. Answers 0, or
// -1 when there is no scene or the size cannot be drawn; the old size then
// stays and debug.log says why.
VEX_API int ResizeScene(int width, int height);
VEX_API void ShowIntro();

// Options.
VEX_API void SetaLuz(unsigned char on);
VEX_API void SetaQualidade(unsigned char quality);
VEX_API void SetaMirror(unsigned char on);
VEX_API void SetaMusica(unsigned char on);
VEX_API void SetaAudio(unsigned char on);
VEX_API void SetaFoco(unsigned char hasFocus);
VEX_API void SetaMouseS(float sensitivity);
// 0 the classic green and red discs, 1 the colour-blind-safe look (blue and
// marked vermillion); any other value reads as 0. Kept across scenes.
VEX_API void SetDiscLook(int look);
VEX_API int CanDraw();
VEX_API float GetFT();

// Games.
VEX_API void IniciaPartida(int seat, int seed);
VEX_API void IniciaOffline(const char* playerName);
// A practice run seeded with seed instead of the calendar clock: the same
// seed and the same shots on the same physics steps give the same run.
// watched nonzero plays a recorded run again: nothing of this machine's
// player (aim, pause key, best plays) reaches it, and when it ends it stays
// on its last table.
VEX_API void StartPracticeRun(const char* playerName, unsigned int seed, int watched);
VEX_API void AtualizaDiscos();
VEX_API unsigned char DispararTiro(float x, float z, float force, float angle);
VEX_API unsigned char MudaJogador(int notify);
VEX_API void SetaShooting(float z, float x, float force, float angle, unsigned char show);
// effect: one of the numbers vexlib/sound_effects.h names.
VEX_API void PlaySFX(int16_t effect);
VEX_API void MostraRecordes();
VEX_API void SalvaDump();

// Raw state access, used to repair a desynchronised table. Unchecked indexes.
VEX_API unsigned char GetIsMoving();
VEX_API int GetPlayer_Atual();
VEX_API void SetPlayer_Atual(int player);
VEX_API int GetPlayer_Host();
VEX_API void SetPlayer_Host(int seat);
VEX_API unsigned char GetPlayer_Pts(int side);
VEX_API void SetPlayer_Pts(int side, char value);
VEX_API float GetDiscoX(int disc);
VEX_API float GetDiscoZ(int disc);
VEX_API void SetDiscoX(int disc, float value);
VEX_API void SetDiscoZ(int disc, float value);

// Callback registration; null is allowed and silences that callback.
VEX_API void SetaCallBackShoot(VexShootCallback callback);
VEX_API void SetaCallBackMudaJogador(VexMudaJogadorCallback callback);
VEX_API void SetaCallBackShooting(VexShootingCallback callback);
VEX_API void SetaCallBackPoint(VexPointCallback callback);
VEX_API void SetaCallBackVitoria(VexVitoriaCallback callback);

}  // extern "C"

// Exported with C++ linkage: its decorated name encodes the argument types.
VEX_API void PoeDiscoOffline(int disc, float x, float z, char color);
