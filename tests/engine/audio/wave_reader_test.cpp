// The WAV reader against the files a damaged package can hold: every
// refusal by its reason, and whatever bytes it is given it reads only inside
// them (this suite also runs under AddressSanitizer).
#include "engine/audio/wave_reader.h"

#include <gtest/gtest.h>

#include <iterator>

#include "tests/engine/audio/wave_bytes.h"

namespace {

WaveResult Parse(const Bytes& bytes, ParsedWave& wave) {
    // An exact-size copy, so that a read past the end is a read past the
    // allocation.
    const std::unique_ptr<uint8_t[]> exact(new uint8_t[bytes.size()]);
    std::copy(bytes.begin(), bytes.end(), exact.get());
    const WaveResult result = ParseWave(exact.get(), bytes.size(), wave);
    if (result == WaveResult::kOk) {
        EXPECT_GE(wave.samples, exact.get());
        EXPECT_LE(wave.samples + wave.sampleBytes, exact.get() + bytes.size());
        wave.samples = bytes.data() + (wave.samples - exact.get());
    }
    return result;
}

WaveResult Parse(const Bytes& bytes) {
    ParsedWave wave;
    return Parse(bytes, wave);
}

const Bytes kSamples = SineSamples(0.01, 0.5);

TEST(WaveReader, TheGamesEighteenByteFormatAndThePlainSixteenByteOneAreRead) {
    for (bool extra : {true, false}) {
        WaveFormat format;
        format.withExtraSize = extra;
        const Bytes file = Riff({FormatChunk(format), Chunk("data", kSamples)});
        ParsedWave wave;
        ASSERT_EQ(Parse(file, wave), WaveResult::kOk) << "extra size field: " << extra;
        EXPECT_EQ(wave.format.channels, 1);
        EXPECT_EQ(wave.format.samplesPerSecond, 22050u);
        EXPECT_EQ(wave.format.bitsPerSample, 16);
        EXPECT_EQ(wave.format.blockAlign, 2);
        EXPECT_EQ(wave.sampleBytes, kSamples.size());
        EXPECT_EQ(wave.samples, file.data() + file.size() - kSamples.size());
    }
}

TEST(WaveReader, OtherChunksAreSkippedWithTheirPadByte) {
    const Bytes file = Riff({Chunk("LIST", Bytes(5, 'x')), FormatChunk({}),
                             Chunk("fact", Bytes(4, 0)), Chunk("data", kSamples)});
    ParsedWave wave;
    ASSERT_EQ(Parse(file, wave), WaveResult::kOk);
    EXPECT_EQ(wave.sampleBytes, kSamples.size());
}

TEST(WaveReader, DataIsCutToWholeFramesAndEmptyDataIsRefused) {
    WaveFormat stereo;
    stereo.channels = 2;
    ParsedWave wave;
    ASSERT_EQ(Parse(Riff({FormatChunk(stereo), Chunk("data", Bytes(11, 1))}), wave),
              WaveResult::kOk);
    EXPECT_EQ(wave.sampleBytes, 8u);
    EXPECT_EQ(Parse(Riff({FormatChunk(stereo), Chunk("data", Bytes(3, 1))})), WaveResult::kNoData);
    EXPECT_EQ(Parse(Riff({FormatChunk({}), Chunk("data", {})})), WaveResult::kNoData);
    EXPECT_EQ(Parse(Riff({FormatChunk({})})), WaveResult::kNoData);
}

TEST(WaveReader, ChunksThatClaimMoreThanTheEntryHoldsAreRefused) {
    const Bytes fmt = FormatChunk({});
    EXPECT_EQ(Parse(Riff({fmt, Chunk("data", kSamples, kSamples.size() + 1)})),
              WaveResult::kChunkOverrun);
    EXPECT_EQ(Parse(Riff({fmt, Chunk("data", kSamples, 0xFFFFFFFF)})), WaveResult::kChunkOverrun);
    EXPECT_EQ(Parse(Riff({Chunk("LIST", Bytes(4, 0), 0x7FFFFFF0), fmt})),
              WaveResult::kChunkOverrun);
    const Bytes whole = Riff({fmt, Chunk("data", kSamples)});
    EXPECT_EQ(Parse(Riff({fmt, Chunk("data", kSamples)}, whole.size())), WaveResult::kChunkOverrun);
    // A RIFF that claims less than it holds ends the walk at its own end.
    EXPECT_EQ(Parse(Riff({fmt, Chunk("data", kSamples)}, 4 + fmt.size())), WaveResult::kNoData);
}

TEST(WaveReader, DataBeforeTheFormatIsRefused) {
    EXPECT_EQ(Parse(Riff({Chunk("data", kSamples), FormatChunk({})})),
              WaveResult::kDataBeforeFormat);
}

TEST(WaveReader, FormatsTheMixerCannotPlayAreRefused) {
    const auto withFormat = [](const WaveFormat& f) {
        return Parse(Riff({FormatChunk(f), Chunk("data", kSamples)}));
    };
    EXPECT_EQ(withFormat({.tag = 3}), WaveResult::kNotPcm);  // float
    // Each differs from a playable format in one field.
    const WaveFormat unplayable[] = {{.channels = 0},  {.channels = 3}, {.rate = 0},
                                     {.rate = 192001}, {.bits = 24},    {.blockAlign = 3}};
    for (size_t i = 0; i < std::size(unplayable); ++i)
        EXPECT_EQ(withFormat(unplayable[i]), WaveResult::kUnplayableFormat) << "case " << i;
    EXPECT_EQ(withFormat({.bits = 8}), WaveResult::kOk) << "8-bit mono has a block of one byte";

    Bytes shortFormat = FormatChunk({});
    EXPECT_EQ(Parse(Riff({Chunk("fmt ", Bytes(shortFormat.begin() + 8, shortFormat.begin() + 22)),
                          Chunk("data", kSamples)})),
              WaveResult::kNoFormat);
}

TEST(WaveReader, WhatIsNotARiffWaveIsRefused) {
    EXPECT_EQ(Parse(Bytes{'R', 'I', 'F', 'F'}), WaveResult::kNotRiffWave);
    Bytes file = Riff({FormatChunk({}), Chunk("data", kSamples)});
    file[8] = 'A';
    EXPECT_EQ(Parse(file), WaveResult::kNotRiffWave);
    ParsedWave wave;
    EXPECT_EQ(ParseWave(nullptr, 100, wave), WaveResult::kNotRiffWave);
}

// Every truncation and every single-byte damage of a good file: the reader
// answers something for each and never reads outside the bytes.
TEST(WaveReader, DamagedFilesAreReadOnlyWithinTheirBytes) {
    const Bytes good =
        Riff({Chunk("LIST", Bytes(3, 'x')), FormatChunk({}), Chunk("data", kSamples)});
    for (size_t length = 0; length < good.size(); ++length) {
        const Bytes cut(good.begin(), good.begin() + long(length));
        EXPECT_NE(Parse(cut), WaveResult::kOk) << "cut at " << length;
    }
    for (size_t at = 0; at < 60; ++at) {
        for (uint8_t value : {uint8_t(0x00), uint8_t(0x7F), uint8_t(0xFF)}) {
            Bytes damaged = good;
            damaged[at] = value;
            Parse(damaged);
        }
    }
}

}  // namespace
