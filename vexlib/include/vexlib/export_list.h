// The library's exported functions, the one list of them: for each its
// result, its name and its parameters. vexlib/exports.h declares them from
// here, the build writes the library's version script from here (so nothing
// else leaves the library) and the export test holds the built library
// against it. Booleans cross as bytes (0 false), floats as 32-bit singles.
//
// Include it with VEX_EXPORT(result, name, parameters) defined, and
// VEX_EXPORT_CPP(result, name, parameters, decorated) for the one function
// exported with C++ linkage, whose decorated name encodes its argument
// types. The build reads this file line by line: one entry per line.

// Scene life cycle. window is the native window handle of the game panel.
// Answers 0 when the scene was created, -1 on failure.
VEX_EXPORT(int, IniciarD3D, (void* window, void* instance, int width, int height, int flag, int language))
VEX_EXPORT(void, FinalizaD3D, ())
VEX_EXPORT(int, RenderCena, ())
VEX_EXPORT(void, ShowIntro, ())

// Options.
VEX_EXPORT(void, SetaLuz, (unsigned char on))
VEX_EXPORT(void, SetaQualidade, (unsigned char quality))
VEX_EXPORT(void, SetaMirror, (unsigned char on))
VEX_EXPORT(void, SetaMusica, (unsigned char on))
VEX_EXPORT(void, SetaAudio, (unsigned char on))
VEX_EXPORT(void, SetaFoco, (unsigned char hasFocus))
VEX_EXPORT(void, SetaMouseS, (float sensitivity))
VEX_EXPORT(int, CanDraw, ())
VEX_EXPORT(float, GetFT, ())

// Games.
VEX_EXPORT(void, IniciaPartida, (int seat, int seed))
VEX_EXPORT(void, IniciaOffline, (const char* playerName))
VEX_EXPORT_CPP(void, PoeDiscoOffline, (int disc, float x, float z, char color), _Z15PoeDiscoOfflineiffc)
VEX_EXPORT(void, AtualizaDiscos, ())
VEX_EXPORT(unsigned char, DispararTiro, (float x, float z, float force, float angle))
VEX_EXPORT(unsigned char, MudaJogador, (int notify))
VEX_EXPORT(void, SetaShooting, (float z, float x, float force, float angle, unsigned char show))
// effect: one of the numbers vexlib/sound_effects.h names.
VEX_EXPORT(void, PlaySFX, (int16_t effect))
VEX_EXPORT(void, MostraRecordes, ())
VEX_EXPORT(void, SalvaDump, ())

// Raw state access, used to repair a desynchronised table. Unchecked indexes.
VEX_EXPORT(unsigned char, GetIsMoving, ())
VEX_EXPORT(int, GetPlayer_Atual, ())
VEX_EXPORT(void, SetPlayer_Atual, (int player))
VEX_EXPORT(int, GetPlayer_Host, ())
VEX_EXPORT(void, SetPlayer_Host, (int seat))
VEX_EXPORT(unsigned char, GetPlayer_Pts, (int side))
VEX_EXPORT(void, SetPlayer_Pts, (int side, char value))
VEX_EXPORT(float, GetDiscoX, (int disc))
VEX_EXPORT(float, GetDiscoZ, (int disc))
VEX_EXPORT(void, SetDiscoX, (int disc, float value))
VEX_EXPORT(void, SetDiscoZ, (int disc, float value))

// Callback registration; null is allowed and silences that callback.
VEX_EXPORT(void, SetaCallBackShoot, (VexShootCallback callback))
VEX_EXPORT(void, SetaCallBackMudaJogador, (VexMudaJogadorCallback callback))
VEX_EXPORT(void, SetaCallBackShooting, (VexShootingCallback callback))
VEX_EXPORT(void, SetaCallBackPoint, (VexPointCallback callback))
VEX_EXPORT(void, SetaCallBackVitoria, (VexVitoriaCallback callback))

// The game panel's new size in device pixels: the scene draws at it from the
// next frame on, with nothing reloaded and the game untouched. Answers 0, or
// -1 when there is no scene or the size cannot be drawn; the old size then
// stays and debug.log says why.
VEX_EXPORT(int, ResizeScene, (int width, int height))
// 0 the classic green and red discs, 1 the colour-blind-safe look (blue and
// marked vermillion); any other value reads as 0. Kept across scenes.
VEX_EXPORT(void, SetDiscLook, (int look))
// A practice run seeded with seed instead of the calendar clock: the same
// seed and the same shots on the same physics steps give the same run.
// watched nonzero plays a recorded run again: nothing of this machine's
// player (aim, pause key, best plays) reaches it, and when it ends it stays
// on its last table.
VEX_EXPORT(void, StartPracticeRun, (const char* playerName, unsigned int seed, int watched))
