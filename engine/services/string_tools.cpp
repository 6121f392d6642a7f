#include "engine/services/string_tools.h"

#include <cstdio>
#include <cstring>

#include "base/debug_log.h"

void StringTools::ToLower(char* text) {
    if (!text) return;
    for (char* c = text; *c; ++c) {
        if (*c >= 'A' && *c <= 'Z') *c = static_cast<char>(*c - 'A' + 'a');
    }
}

TrackedChars StringTools::Duplicate(const char* text) {
    if (!text) return nullptr;
    const size_t length = std::strlen(text);
    if (length >= UINT32_MAX) return nullptr;
    TrackedChars copy(static_cast<char*>(TrackedAlloc(static_cast<uint32_t>(length + 1))));
    if (copy) std::memcpy(copy.get(), text, length + 1);
    return copy;
}

bool StringTools::FileExists(const char* path) {
    FILE* f = path ? std::fopen(path, "rb") : nullptr;
    if (!f) {
        Log().FileNotFound(path ? path : "");
        return false;
    }
    std::fclose(f);
    return true;
}
