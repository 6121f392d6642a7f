// The language of every text shown to the player, worked out from the
// user's locale: 1 Portuguese, 2 English, 3 Spanish.
#pragma once

#include <QLocale>

constexpr int kLanguagePortuguese = 1;
constexpr int kLanguageEnglish = 2;
constexpr int kLanguageSpanish = 3;

// Portuguese of Brazil or Portugal and Spanish of Spain and the Latin
// American countries the game was translated for; English otherwise.
int UiLanguageFor(const QLocale& locale);
