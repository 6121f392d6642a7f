// What each of the twelve songs is, apart from how it is composed: tempo,
// key, chords, instruments and groove per song, and the intro's written
// theme. The composer (songs.cpp) turns a description into notes.
#pragma once

#include <array>
#include <vector>

namespace assetgen {

enum class Mode { Major, Minor, Mixolydian, Dorian };
enum class ChordStyle { Pad, Arpeggio, Offbeat, Strum };
enum class BassStyle { RootFifth, Walking, Octaves };
enum class Groove { Rock, Bossa, Ska, Swing, Shuffle, Disco, Train, Polka, Orchestral, Gentle };

struct SongDescription {
    int beatsPerMinute;
    int root;  // MIDI key of the tonic, around the bass register's octave above
    Mode mode;
    std::array<int, 4> verse;  // chord roots as scale degrees, one bar each
    std::array<int, 4> bridge;
    int leadProgram, chordProgram, bassProgram;
    ChordStyle chordStyle;
    BassStyle bassStyle;
    Groove groove;
    bool swing;
    int leadOctaveShift;  // semitones added to the melody
    // Channel volumes in percent of the usual mix, for a band of quiet
    // instruments to play as loud as the others.
    int levelPercent = 100;
};

// A note of a written tune: start and length in eighths from the section's
// start, pitch in scale steps from the tonic.
struct WrittenNote {
    int start, length, step;
};

// The description of song index (0..11).
const SongDescription& DescribedSong(int index);
// The melody the intro (song 0) plays instead of a composed one.
const std::vector<WrittenNote>& IntroTheme();

}  // namespace assetgen
