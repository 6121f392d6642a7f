// Every text the game shows the player, in Portuguese, English and Spanish
// (language 0, 1, 2), as the Windows-1252 bytes the bitmap font and the
// TrueType font draw. Each text is kept whole per language and converted
// once; a language outside 0..2 reads as the nearest one.
#pragma once

#include <cstdint>

#include "base/translations.h"
#include "game/game_state.h"

enum class Message : uint8_t {
    kOwnTurn,
    kOpponentsTurn,
    kYouWon,
    kYouLost,
    kRedWon,
    kGreenWon,
    kDraw,
    kGreensTurn,
    kRedsTurn,
    kTime,
    kLevel,
    kHintLabel,
    kShots,
    kTries,
    kNewRecord,
    kBestPlaysTitle,
    kName,
    kPaused,
    // The texts that name green's side, as the colour-blind-safe disc look
    // colours it: shown in their place while that look is on.
    kBlueWon,
    kBluesTurn,
    kBlueDiscsHint,
};

constexpr int kHintCount = 9;

int ClampLanguage(int language);
const char* MessageText(Message message, int language);
// The message that names a side as the disc look colours it: the
// colour-blind-safe look's red side is still red, its green side blue.
Message InDiscLook(Message message, DiscLook look);
// Hint slots run hint by hint, three languages each: slot = hint x 3 + language;
// the hint that names the practice discs' colour names it in the look.
const char* HintText(int slot, DiscLook look);
// The quick help: one text of many lines.
const char* HelpText(int language);
// The aiming keys, shown under the quick help: three lines.
const char* KeysHelpText(int language);
// The gamepad's controls, in the same three lines' room.
const char* PadHelpText(int language);
