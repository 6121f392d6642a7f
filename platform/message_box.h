// A modal message box with one OK button, owned by a window of the game,
// shown from inside the library without a widget toolkit.
#pragma once

// Texts are UTF-8. Returns when the box is closed (at once without a
// display).
void ShowMessageBox(unsigned long ownerWindow, const char* text, const char* caption);
