// The reader of the game's sound files: a RIFF "WAVE" in memory whose "fmt "
// chunk describes plain PCM, followed somewhere by its "data" chunk.
//
// The bytes come from a package that may be damaged, so nothing in them is
// trusted: every chunk must fit inside the bytes given (and inside the size
// the RIFF header claims), the format must come before the data, and the
// format must be one the mixer plays (1 or 2 channels, 8 or 16 bits, a
// block size that matches, 1 to 192 000 samples a second). A "fmt " chunk
// of 16 bytes or more is taken, with or without its extra-size field. The
// data is cut to whole frames; no data at all is refused.
//
// ParseWave is the whole reader, bytes in and sound out, with no other
// state, so that it can be fed arbitrary bytes on its own.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/audio/pcm_format.h"

enum class WaveResult {
    kOk,
    kNotRiffWave,       // no "RIFF" ... "WAVE" header
    kChunkOverrun,      // a chunk claims more bytes than there are
    kDataBeforeFormat,  // "data" came before "fmt "
    kNoFormat,          // no "fmt " chunk, or one shorter than 16 bytes
    kNotPcm,            // a format tag other than 1
    kUnplayableFormat,  // channels, bits, block size or rate out of range
    kNoData,            // no "data" chunk, or no whole frame in it
};

struct ParsedWave {
    audio::PcmFormat format;
    const uint8_t* samples = nullptr;  // inside the bytes given
    uint32_t sampleBytes = 0;          // a whole number of frames
};

WaveResult ParseWave(const uint8_t* bytes, size_t size, ParsedWave& wave);
