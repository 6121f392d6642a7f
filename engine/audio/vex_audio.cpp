#include "engine/audio/vex_audio.h"

#include "base/debug_log.h"

VEX_Audio::~VEX_Audio() {
    Log().ModuleFinishing("VEX_Audio");
    music_.reset();
    device_.reset();
    Log().ReportOk();
}

bool VEX_Audio::Initialise() {
    Log().ModuleStarting("VEX_Audio");
    if (!device_) device_ = audio::AudioDevice::Open();
    if (device_ && !music_) music_ = audio::MusicPlayer::Open(audio::MusicPlayer::SoundFontPath());
    if (!device_ || !music_) {
        Log().ReportFailed();
        return false;
    }
    Log().ReportOk();
    return true;
}
