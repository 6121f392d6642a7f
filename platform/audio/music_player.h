// The music stream: standard MIDI files rendered by SDL2_mixer's FluidSynth
// decoder with a General MIDI soundfont, one song at a time.
//
// FluidSynth builds a synthesiser and loads the whole soundfont for every
// music object, so songs stay plain bytes until they are played: the player
// makes the playable song from the bytes on play and keeps it while the
// same song is played again.
#pragma once

#include <cstdint>
#include <memory>

#include "base/memory_tracker.h"

typedef struct _Mix_Music Mix_Music;

namespace audio {

class MusicPlayer : public TrackedObject {
public:
    // RINGDISK_SOUNDFONT when set, else Debian's General MIDI soundfont.
    static const char* SoundFontPath();
    // Null when the mixer has no MIDI decoder or the soundfont cannot be
    // read. Needs the audio device open.
    static std::unique_ptr<MusicPlayer> Open(const char* soundFont);
    ~MusicPlayer();
    MusicPlayer(const MusicPlayer&) = delete;
    MusicPlayer& operator=(const MusicPlayer&) = delete;

    // Plays the song held in data (which must stay valid until Forget or
    // the next Play of other bytes) the given number of times, -1 for ever;
    // whatever played before stops. False when the bytes do not decode.
    bool Play(const uint8_t* data, uint32_t size, int times);
    void Stop();
    bool IsPlaying() const;
    bool IsPlaying(const uint8_t* data) const { return data == loadedData_ && IsPlaying(); }
    // Drops the playable song made from data, before those bytes go.
    void Forget(const uint8_t* data);
    // Hundredths of a decibel.
    void SetVolume(int32_t millibels);

private:
    MusicPlayer() = default;
    void Unload();

    Mix_Music* loaded_ = nullptr;
    const uint8_t* loadedData_ = nullptr;
};

}  // namespace audio
