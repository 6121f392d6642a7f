#include "game/owned_text.h"

#include <cstdlib>
#include <cstring>

char* CopyText(const char* text, size_t maxBytes) {
    if (!text) text = "";
    const size_t length = strnlen(text, maxBytes);
    char* copy = static_cast<char*>(std::malloc(length + 1));
    if (!copy) return nullptr;
    std::memcpy(copy, text, length);
    copy[length] = '\0';
    return copy;
}

void FreeText(char* text) { std::free(text); }
