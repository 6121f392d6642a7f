#include "game/owned_text.h"

#include <cstring>

#include "base/memory_tracker.h"

char* CopyText(const char* text, size_t maxBytes) {
    if (!text) text = "";
    const size_t length = strnlen(text, maxBytes);
    if (length >= UINT32_MAX) return nullptr;
    char* copy = static_cast<char*>(TrackedAlloc(static_cast<uint32_t>(length + 1)));
    if (!copy) return nullptr;
    std::memcpy(copy, text, length);
    copy[length] = '\0';
    return copy;
}

void FreeText(char* text) {
    TrackedFree(text);
}
