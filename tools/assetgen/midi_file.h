// A standard MIDI file (format 1) built from timed events: one conductor
// track with tempo and metre, then one track per part.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace assetgen {

inline constexpr int kTicksPerQuarter = 480;

class MidiTrack {
public:
    MidiTrack(std::string name, int channel, int program);

    // A note from `start` lasting `length` ticks.
    void Note(int start, int length, int key, int velocity);
    // Fixes the track's end (the loop point), at or after its last note.
    void SetEnd(int tick) { end_ = tick; }
    // The part's place in the mix, sent with its program at the start:
    // channel volume, pan (64 centre) and reverb send, each 0..127.
    void SetMix(int volume, int pan, int reverb) { mix_ = {volume, pan, reverb}; }

    // The track chunk's bytes, "MTrk" header included.
    std::vector<unsigned char> Encode() const;

private:
    struct Event {
        int tick;
        int order;  // note-offs before note-ons at the same tick
        std::vector<unsigned char> bytes;
    };
    std::string name_;
    int channel_;
    int program_;
    int end_ = 0;
    struct Mix {
        int volume = 100, pan = 64, reverb = 40;
    } mix_;
    std::vector<Event> events_;
};

// Writes the file: a conductor track (tempo in beats per minute, 4/4), then
// the given tracks; every track ends at `endTick` so the song loops cleanly.
void WriteMidi(const std::filesystem::path& path, int beatsPerMinute, int endTick,
               std::vector<MidiTrack> tracks);

}  // namespace assetgen
