#include "tools/assetgen/songs.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "tools/assetgen/midi_file.h"
#include "tools/assetgen/noise.h"
#include "tools/assetgen/song_descriptions.h"

namespace assetgen {

namespace {

constexpr int kEighth = kTicksPerQuarter / 2;
constexpr int kBar = kTicksPerQuarter * 4;
constexpr int kBarsPerSection = 8;
constexpr int kDrumChannel = 9;

const std::array<int, 7>& Scale(Mode mode) {
    static constexpr std::array<int, 7> kMajor = {0, 2, 4, 5, 7, 9, 11};
    static constexpr std::array<int, 7> kMinor = {0, 2, 3, 5, 7, 8, 10};
    static constexpr std::array<int, 7> kMixolydian = {0, 2, 4, 5, 7, 9, 10};
    static constexpr std::array<int, 7> kDorian = {0, 2, 3, 5, 7, 9, 10};
    switch (mode) {
        case Mode::Major:
            return kMajor;
        case Mode::Minor:
            return kMinor;
        case Mode::Mixolydian:
            return kMixolydian;
        case Mode::Dorian:
            return kDorian;
    }
    return kMajor;
}

// Key of scale step `step` (may be negative or beyond an octave).
int KeyOf(const SongDescription& song, int step) {
    const int octave = int(std::floor(step / 7.0));
    const int degree = step - octave * 7;
    return song.root + octave * 12 + Scale(song.mode)[std::size_t(degree)];
}

bool IsChordTone(int step, int chordRoot) {
    const int d = ((step - chordRoot) % 7 + 7) % 7;
    return d == 0 || d == 2 || d == 4;
}

int NearestChordTone(int step, int chordRoot) {
    for (int distance = 0; distance < 4; ++distance) {
        if (IsChordTone(step - distance, chordRoot)) return step - distance;
        if (IsChordTone(step + distance, chordRoot)) return step + distance;
    }
    return step;
}

// A rhythm of two bars in eighths; negative lengths are rests.
std::vector<int> MakeRhythm(Random& rnd) {
    static const std::vector<std::vector<int>> kCells = {
        {4}, {2, 2}, {2, 1, 1}, {1, 1, 2}, {3, 1}, {1, 1, 1, 1}, {-2, 2}, {2, -1, 1}};
    std::vector<int> rhythm;
    for (int half = 0; half < 4; ++half) {
        const auto& cell = kCells[std::size_t(rnd.Below(int(kCells.size())))];
        rhythm.insert(rhythm.end(), cell.begin(), cell.end());
    }
    return rhythm;
}

struct Phrase {
    std::vector<int> rhythm;
    std::vector<int> steps;  // melodic motion of each note, in scale steps
};

Phrase MakePhrase(Random& rnd) {
    Phrase p{MakeRhythm(rnd), {}};
    for (std::size_t i = 0; i < p.rhythm.size(); ++i) {
        static const int kMoves[] = {-2, -1, -1, 1, 1, 2, 0, 3, -3};
        p.steps.push_back(kMoves[rnd.Below(9)]);
    }
    return p;
}

class Composer {
public:
    Composer(const SongDescription& song, int seed)
        : song_(song),
          rnd_(std::uint32_t(seed) * 7919u + 17u),
          lead_("Melody", 0, song.leadProgram),
          chords_("Chords", 1, song.chordProgram),
          bass_("Bass", 2, song.bassProgram),
          drums_("Drums", kDrumChannel, -1) {
        // The tune in front, the chords a little aside and back, the bass
        // and drums centred; some room on everything but the bass. The
        // levels leave the General MIDI synthesiser headroom: louder, its
        // sum clips on the busiest bars.
        auto level = [&](int volume) { return std::min(127, volume * song.levelPercent / 100); };
        lead_.SetMix(level(96), 58, 50);
        chords_.SetMix(level(70), 78, 60);
        bass_.SetMix(level(90), 64, 10);
        drums_.SetMix(level(82), 64, 30);
    }

    // With a written theme, the verses play it; otherwise they are composed.
    void Compose(const std::vector<WrittenNote>* theme) {
        // Verse, the verse again with a new second half, then the bridge;
        // the last bar of each section turns back towards the tonic.
        const Phrase verseA = MakePhrase(rnd_), verseB = MakePhrase(rnd_);
        const Phrase verseC = MakePhrase(rnd_);
        const Phrase bridgeA = MakePhrase(rnd_), bridgeB = MakePhrase(rnd_);
        Section(0, song_.verse, verseA, verseB, theme);
        Section(1, song_.verse, verseA, verseC, theme);
        Section(2, song_.bridge, bridgeA, bridgeB, nullptr);
    }

    int EndTick() const { return 3 * kBarsPerSection * kBar; }

    std::vector<MidiTrack> TakeTracks() {
        return {std::move(lead_), std::move(chords_), std::move(bass_), std::move(drums_)};
    }

private:
    int Swung(int tick) const {
        if (!song_.swing) return tick;
        return (tick % kTicksPerQuarter == kEighth) ? tick + kEighth / 3 : tick;
    }

    void Section(int index, const std::array<int, 4>& chords, const Phrase& first,
                 const Phrase& second, const std::vector<WrittenNote>* theme) {
        const int start = index * kBarsPerSection * kBar;
        for (int bar = 0; bar < kBarsPerSection; ++bar) {
            const bool cadence = bar == kBarsPerSection - 1;
            // The last bar of the song's loop goes home to the tonic; other
            // sections end on their fourth chord, leading on.
            const int chord = (cadence && index == 2) ? 0 : chords[std::size_t(bar % 4)];
            const int barTick = start + bar * kBar;
            Accompany(barTick, chord, bar == 0, cadence);
        }
        if (theme) {
            for (const WrittenNote& n : *theme)
                lead_.Note(start + n.start * kEighth, n.length * kEighth - 20,
                           KeyOf(song_, n.step) + song_.leadOctaveShift,
                           n.start % 4 == 0 ? 104 : 92);
            return;
        }
        Melody(start, chords, first, 0, false);
        Melody(start + 2 * kBar, chords, first, 2, false);
        Melody(start + 4 * kBar, chords, second, 4, false);
        Melody(start + 6 * kBar, chords, first, 6, true);
    }

    // Plays a two-bar phrase; on strong beats the note snaps to the chord.
    // A closing phrase plays only its first bar and then holds the tonic.
    void Melody(int start, const std::array<int, 4>& chords, const Phrase& phrase, int barInSection,
                bool closing) {
        int pos = 0;  // eighths into the phrase
        for (std::size_t i = 0; i < phrase.rhythm.size(); ++i) {
            if (closing && pos >= 8) break;
            const int length = std::abs(phrase.rhythm[i]);
            const int chord = chords[std::size_t((barInSection + pos / 8) % 4)];
            if (phrase.rhythm[i] > 0) {
                step_ += phrase.steps[i];
                // Stay within an octave and a half around the tonic.
                if (step_ > 9) step_ -= 3;
                if (step_ < -2) step_ += 3;
                if (pos % 4 == 0) step_ = NearestChordTone(step_, chord);
                const int velocity = (pos % 4 == 0 ? 100 : 84) + rnd_.Below(8);
                lead_.Note(Swung(start + pos * kEighth), length * kEighth - 20,
                           KeyOf(song_, step_) + song_.leadOctaveShift, velocity);
            }
            pos += length;
        }
        if (closing) {
            step_ = int(std::lround(step_ / 7.0)) * 7;
            lead_.Note(start + kBar, kBar - 40, KeyOf(song_, step_) + song_.leadOctaveShift, 96);
        }
    }

    void Accompany(int barTick, int chord, bool sectionStart, bool cadence) {
        const int k0 = KeyOf(song_, chord);
        // Chords sit in the octave just above the tonic, under the tune and
        // over the bass, each tone folded into that window so the voices
        // move little from chord to chord.
        int chordKeys[3];
        for (int i = 0; i < 3; ++i) {
            int key = KeyOf(song_, chord + 2 * i);
            while (key < song_.root) key += 12;
            while (key >= song_.root + 12) key -= 12;
            chordKeys[i] = key;
        }
        std::sort(std::begin(chordKeys), std::end(chordKeys));
        switch (song_.chordStyle) {
            case ChordStyle::Pad:
                for (int k : chordKeys) chords_.Note(barTick, kBar - 10, k, 62);
                break;
            case ChordStyle::Arpeggio: {
                const int order[8] = {0, 1, 2, 1, 0, 1, 2, 1};
                for (int e = 0; e < 8; ++e)
                    chords_.Note(Swung(barTick + e * kEighth), kEighth * 2,
                                 chordKeys[order[e]] + (e == 2 || e == 6 ? 12 : 0),
                                 70 - (e % 2) * 10);
                break;
            }
            case ChordStyle::Offbeat:
                for (int beat = 0; beat < 4; ++beat)
                    for (int k : chordKeys)
                        chords_.Note(Swung(barTick + beat * kTicksPerQuarter + kEighth),
                                     kEighth - 30, k, 72);
                break;
            case ChordStyle::Strum:
                for (int hit : {0, 3, 4, 6}) {
                    int delay = 0;
                    for (int k : chordKeys) {
                        chords_.Note(barTick + hit * kEighth + delay,
                                     kEighth * (hit == 0 ? 3 : 2) - 20, k, 76);
                        delay += 12;
                    }
                }
                break;
        }

        const int bass = k0 - 12, fifth = KeyOf(song_, chord + 4) - 12;
        switch (song_.bassStyle) {
            case BassStyle::RootFifth:
                bass_.Note(barTick, kTicksPerQuarter * 2 - 40, bass, 100);
                bass_.Note(barTick + 2 * kTicksPerQuarter, kTicksPerQuarter * 2 - 40,
                           cadence ? bass : fifth, 92);
                break;
            case BassStyle::Walking: {
                const int walk[4] = {bass, KeyOf(song_, chord + 2) - 12, fifth,
                                     KeyOf(song_, chord + 5) - 12};
                for (int beat = 0; beat < 4; ++beat)
                    bass_.Note(barTick + beat * kTicksPerQuarter, kTicksPerQuarter - 30, walk[beat],
                               beat == 0 ? 100 : 88);
                break;
            }
            case BassStyle::Octaves:
                for (int e = 0; e < 8; ++e)
                    bass_.Note(barTick + e * kEighth, kEighth - 30, bass + (e % 2) * 12,
                               e % 2 ? 84 : 100);
                break;
        }
        Drums(barTick, sectionStart, cadence);
    }

    void Hit(int tick, int key, int velocity) { drums_.Note(tick, kEighth / 2, key, velocity); }

    void Drums(int barTick, bool sectionStart, bool fill) {
        enum {
            Kick = 36,
            SideStick = 37,
            Snare = 38,
            ClosedHat = 42,
            PedalHat = 44,
            OpenHat = 46,
            Crash = 49,
            Ride = 51,
            Tambourine = 54,
            LowMidTom = 47,
            Shaker = 70
        };
        if (sectionStart) Hit(barTick, Crash, 100);
        const int q = kTicksPerQuarter;
        auto at = [&](int eighth) { return Swung(barTick + eighth * kEighth); };
        switch (song_.groove) {
            case Groove::Rock:
                for (int e = 0; e < 8; ++e) Hit(at(e), ClosedHat, e % 2 ? 70 : 90);
                Hit(at(0), Kick, 110);
                Hit(at(3), Kick, 90);
                Hit(at(4), Kick, 105);
                Hit(at(2), Snare, 105);
                Hit(at(6), Snare, 110);
                break;
            case Groove::Bossa:
                for (int e = 0; e < 8; ++e) Hit(at(e), Shaker, e % 2 ? 60 : 80);
                Hit(at(0), Kick, 95);
                Hit(at(3), Kick, 80);
                Hit(at(4), Kick, 95);
                Hit(at(7), Kick, 80);
                for (int e : {0, 3, 6}) Hit(at(e), SideStick, 85);
                break;
            case Groove::Ska:
                for (int b = 0; b < 4; ++b) Hit(at(b * 2 + 1), OpenHat, 80);
                Hit(at(0), Kick, 105);
                Hit(at(4), Kick, 105);
                Hit(at(2), Snare, 100);
                Hit(at(6), Snare, 105);
                break;
            case Groove::Swing:
                for (int b = 0; b < 4; ++b) {
                    Hit(barTick + b * q, Ride, 85);
                    if (b % 2) Hit(barTick + b * q + kEighth + kEighth / 3, Ride, 70);
                }
                Hit(barTick + q, PedalHat, 70);
                Hit(barTick + 3 * q, PedalHat, 70);
                Hit(barTick, Kick, 80);
                break;
            case Groove::Shuffle:
                for (int e = 0; e < 8; ++e) Hit(at(e), ClosedHat, e % 2 ? 60 : 80);
                Hit(at(0), Kick, 100);
                Hit(at(4), Kick, 95);
                Hit(at(2), Snare, 90);
                Hit(at(6), Snare, 95);
                break;
            case Groove::Disco:
                for (int b = 0; b < 4; ++b) {
                    Hit(barTick + b * q, Kick, 110);
                    Hit(barTick + b * q + kEighth, OpenHat, 80);
                }
                Hit(barTick + q, Snare, 100);
                Hit(barTick + 3 * q, Snare, 100);
                break;
            case Groove::Train:
                for (int e = 0; e < 8; ++e) Hit(at(e), Snare, e % 2 ? 55 : 75);
                Hit(at(0), Kick, 105);
                Hit(at(4), Kick, 105);
                Hit(at(2), Snare, 110);
                Hit(at(6), Snare, 110);
                break;
            case Groove::Polka:
                for (int b = 0; b < 4; ++b) {
                    Hit(barTick + b * q, Kick, 100);
                    Hit(barTick + b * q + kEighth, Snare, 80);
                }
                break;
            case Groove::Orchestral:
                Hit(barTick, LowMidTom, 100);
                Hit(barTick + 2 * q, LowMidTom, 80);
                if (fill)
                    for (int e = 8; e < 16; ++e)
                        Hit(barTick + e * (kEighth / 2), Snare, 50 + e * 4);
                break;
            case Groove::Gentle:
                Hit(at(0), Kick, 80);
                Hit(at(5), Kick, 70);
                Hit(at(2), SideStick, 75);
                Hit(at(6), SideStick, 80);
                for (int b = 0; b < 4; ++b) Hit(barTick + b * q + kEighth, Tambourine, 55);
                break;
        }
        if (fill && song_.groove != Groove::Orchestral)
            for (int s = 0; s < 4; ++s) Hit(barTick + 3 * q + s * (q / 4), Snare, 70 + s * 10);
    }

    const SongDescription& song_;
    Random rnd_;
    int step_ = 4;  // the melody starts on the fifth
    MidiTrack lead_, chords_, bass_, drums_;
};

}  // namespace

void WriteSong(int index, const std::filesystem::path& path) {
    const SongDescription& song = DescribedSong(index);
    Composer composer(song, index + 1);
    composer.Compose(index == 0 ? &IntroTheme() : nullptr);
    const int end = composer.EndTick();
    WriteMidi(path, song.beatsPerMinute, end, composer.TakeTracks());
}

}  // namespace assetgen
