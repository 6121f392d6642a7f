// Text the game keeps for itself (player names, best-play names). One pair of
// functions owns every such copy, so the allocator behind them is one choice.
#pragma once

#include <cstddef>

// A fresh zero-terminated copy of at most maxBytes bytes of text; null is
// taken as empty text.
char* CopyText(const char* text, size_t maxBytes);
void FreeText(char* text);
