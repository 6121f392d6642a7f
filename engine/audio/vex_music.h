// VEX_Music: the engine's song list. Songs are standard MIDI files, kept as
// their bytes from load on and made playable when played; one song sounds
// at a time, with a repeat count and one common level.
//
// Indices are the order of AddSong calls, as for the effects: a song that is
// missing keeps its index as an empty slot. While the list is not active
// (music switched off, or no music player), playing and stopping do
// nothing. The level starts at 255, full, until SetMusicVolume says
// otherwise.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "base/memory_tracker.h"
#include "engine/audio/load_order_list.h"

class VEX_Audio;

struct Song : TrackedObject {
    TrackedChars name;
    TrackedBytes data;  // null for an empty slot
    uint32_t size = 0;
};

class VEX_Music : public TrackedObject {
public:
    // Repeat count that never ends.
    static constexpr int32_t kRepeatForever = -1;

    explicit VEX_Music(VEX_Audio& audio) : audio_(audio) {}
    // Clears the list between its finish line and "Ok.".
    ~VEX_Music();
    VEX_Music(const VEX_Music&) = delete;
    VEX_Music& operator=(const VEX_Music&) = delete;

    // Active when there is a music player to play through.
    bool Initialise();
    // The new song's index, or -1. Without a music player nothing is
    // added; otherwise a failed load still takes its index, empty.
    int16_t AddSong(const char* name);
    // Stops what plays and plays the song, repeats times more after the
    // first (kRepeatForever: without end). MIDI songs start at their
    // beginning: a start point other than 0 is not supported.
    void PlaySong(int16_t index, int32_t repeats, int32_t start);
    // A negative index stops every song.
    void StopSongs(int16_t index);
    // The fade is ignored: the game never fades.
    void SetMusicVolume(uint8_t volume, int32_t fadeMilliseconds);
    void SetActive(bool on) { active_ = on; }
    void UnloadSong(int16_t index);
    void ClearSongs();

    bool IsValid(int16_t index) const;
    bool IsPlaying(int16_t index) const;
    int16_t SongCount() const { return int16_t(songs_.size()); }
    bool active() const { return active_; }
    uint8_t volume() const { return volume_; }

private:
    VEX_Audio& audio_;
    LoadOrderList<Song> songs_;
    bool active_ = false;
    uint8_t volume_ = 255;
};

// The mixer's count of plays for a repeat count: 1 + repeats, or -1 (for
// ever) for any negative count.
int PlaysForRepeats(int32_t repeats);
