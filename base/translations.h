// One text in the three languages the game speaks, as UTF-8 in the source,
// in the order every table of texts keeps: Portuguese, English, Spanish.
// The library numbers the languages from 0 in this order, the front end's
// uiLanguage from 1. A header of its own with nothing below it, so that the
// library's tables and the front end's share the one type.
#pragma once

#include <array>

constexpr int kLanguageCount = 3;
using Translations = std::array<const char*, kLanguageCount>;
