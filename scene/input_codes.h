// The keys and mouse buttons the scene reads, by the input module's codes.
#pragma once

#include <cstdint>

constexpr uint8_t kKeyLeftShift = 42, kKeyRightShift = 54, kKeyP = 25, kKeyF1 = 59;
constexpr uint8_t kKeyA = 30, kKeyD = 32, kKeySpace = 57;
constexpr uint8_t kKeyUp = 200, kKeyLeft = 203, kKeyRight = 205, kKeyDown = 208;
constexpr int kMouseLeft = 0, kMouseRight = 1, kMouseMiddle = 2;
// The gamepad's buttons: the first (A, cross) shoots, the fourth (Y,
// triangle), which every four-button pad has, shows the help.
constexpr int kPadShootButton = 0, kPadHelpButton = 3;
