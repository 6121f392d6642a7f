// The twelve songs: "00.mid", the intro theme, and "01.mid" to "11.mid", the
// tunes that loop during matches. Each is composed from a small description
// (tempo, key, chords, instruments, groove) by a deterministic composer.
#pragma once

#include <filesystem>

namespace assetgen {

inline constexpr int kSongCount = 12;

// Writes song `index` (0..11) to `path`.
void WriteSong(int index, const std::filesystem::path& path);

}  // namespace assetgen
