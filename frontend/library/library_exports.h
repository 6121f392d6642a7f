// The library's exported functions as the front end holds them: one callable
// for each, declared from the library's one list of them, so that the front
// end's door can go to the real library or to a test's stand-in alike, and
// an export added to the list is one more member here with nothing else to
// write. A default-made table holds nothing: calling an empty member throws.
#pragma once

#include <cstdint>
#include <functional>

#include "vexlib/callbacks.h"

struct LibraryExports {
#define VEX_EXPORT(result, name, parameters) std::function<result parameters> name;
#define VEX_EXPORT_CPP(result, name, parameters, decorated) VEX_EXPORT(result, name, parameters)
#include "vexlib/export_list.h"
#undef VEX_EXPORT
#undef VEX_EXPORT_CPP
};

// The real library's functions. Once FinalizaD3D has run, no call of this
// table reaches the library again: each answers its result's zero (0, false,
// 0.0) and does nothing, so that a table read after the end reads as at
// rest, except IniciarD3D, which answers -1: no new scene.
LibraryExports TheLibrarysExports();
