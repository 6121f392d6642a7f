#include "engine/audio/vex_music.h"

#include <climits>
#include <cstring>

#include "base/debug_log.h"
#include "engine/audio/vex_audio.h"
#include "engine/services/asset_reader.h"

namespace {

// Only a standard MIDI file is kept; anything else would fail only when
// played, long after the load said it worked.
bool LooksLikeMidi(const uint8_t* data, uint32_t size) {
    return size >= 14 && std::memcmp(data, "MThd", 4) == 0;
}

}  // namespace

int PlaysForRepeats(int32_t repeats) {
    if (repeats < 0) return -1;
    return repeats >= INT_MAX ? INT_MAX : int(repeats) + 1;
}

VEX_Music::~VEX_Music() {
    Log().ModuleFinishing("VEX_Music");
    ClearSongs();
    Log().ReportOk();
}

bool VEX_Music::Initialise() {
    Log().ModuleStarting("VEX_Music");
    active_ = audio_.musicPlayer() != nullptr;
    if (!active_) {
        Log().ReportFailed();
        return false;
    }
    Log().ReportOk();
    return true;
}

int16_t VEX_Music::AddSong(const char* name) {
    if (!audio_.musicPlayer() || !name) return -1;
    return AddInLoadOrder(songs_, name, [name](Song& song) {
        TrackedBytes data;
        const uint32_t size = ReadAssetBytes(name, data);
        if (size == 0 || !LooksLikeMidi(data.get(), size)) {
            Log().FileReadError(name);
            return false;
        }
        song.data = std::move(data);
        song.size = size;
        return true;
    });
}

bool VEX_Music::IsValid(int16_t index) const {
    return index >= 0 && size_t(index) < songs_.size() && songs_[size_t(index)] &&
           songs_[size_t(index)]->data;
}

bool VEX_Music::IsPlaying(int16_t index) const {
    audio::MusicPlayer* player = audio_.musicPlayer();
    return player && IsValid(index) && player->IsPlaying(songs_[size_t(index)]->data.get());
}

void VEX_Music::PlaySong(int16_t index, int32_t repeats, int32_t) {
    audio::MusicPlayer* player = audio_.musicPlayer();
    if (!active_ || !player || !IsValid(index)) return;
    const Song& song = *songs_[size_t(index)];
    player->SetVolume(LevelMillibels(volume_));
    player->Stop();
    if (!player->Play(song.data.get(), song.size, PlaysForRepeats(repeats)))
        Log().FileReadError(song.name.get());
}

void VEX_Music::StopSongs(int16_t index) {
    audio::MusicPlayer* player = audio_.musicPlayer();
    if (!active_ || !player) return;
    if (index < 0 || IsPlaying(index)) player->Stop();
}

void VEX_Music::SetMusicVolume(uint8_t volume, int32_t) {
    volume_ = volume;
    if (audio::MusicPlayer* player = audio_.musicPlayer())
        player->SetVolume(LevelMillibels(volume));
}

void VEX_Music::UnloadSong(int16_t index) {
    if (index < 0 || size_t(index) >= songs_.size() || !songs_[size_t(index)]) return;
    Song& song = *songs_[size_t(index)];
    if (audio::MusicPlayer* player = audio_.musicPlayer()) {
        if (player->IsPlaying(song.data.get())) player->Stop();
        player->Forget(song.data.get());
    }
    songs_[size_t(index)].reset();
}

void VEX_Music::ClearSongs() {
    if (audio::MusicPlayer* player = audio_.musicPlayer()) player->Stop();
    for (size_t i = 0; i < songs_.size(); ++i) UnloadSong(int16_t(i));
    songs_.clear();
}
