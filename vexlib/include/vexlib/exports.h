// The flat interface of vexlib: everything the program does with the game
// goes through these functions, and the game answers through the five
// callbacks. The functions are declared from their one list,
// vexlib/export_list.h, which says what each does.
#pragma once

#include <cstdint>

#include "vexlib/callbacks.h"

#define VEX_API __attribute__((visibility("default")))

extern "C" {
#define VEX_EXPORT(result, name, parameters) VEX_API result name parameters;
#define VEX_EXPORT_CPP(result, name, parameters, decorated)
#include "vexlib/export_list.h"
#undef VEX_EXPORT
#undef VEX_EXPORT_CPP
}  // extern "C"

#define VEX_EXPORT(result, name, parameters)
#define VEX_EXPORT_CPP(result, name, parameters, decorated) VEX_API result name parameters;
#include "vexlib/export_list.h"
#undef VEX_EXPORT
#undef VEX_EXPORT_CPP
