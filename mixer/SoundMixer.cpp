#include "mixer/SoundMixer.h"

namespace kotou {

TSoundMixer::TSoundMixer(std::unique_ptr<WaveOutDevice> device, MixerEnvironment env)
    : device_(std::move(device)) {
    env.device = device_.get();
    MixerConfig config;  // size 10, no flags
    try {
        session_ = MixerInit(env, &config);
    } catch (const EMixerError&) {
        throw EMixerError("Initialization failed (MixerInit)");
    }
    params_.session = session_;
}

TSoundMixer::~TSoundMixer() {
    try {
        setChannels(0);
        setActivated(false);
    } catch (const EMixerError&) {
        // Closing the session below releases everything regardless.
    }
    MixerCloseSession(session_);
}

void TSoundMixer::setActivated(bool on) {
    MixerActivate(session_, on);
    activated_ = on;
}

void TSoundMixer::setChannels(uint8_t mask) {
    for (int c = 0; c < kMixerChannels; ++c) {
        const bool want = mask & (1u << c);
        const bool have = MixerChannelOpen(session_, c);
        if (want && !have) MixerOpenChannel(session_, c, 0);
        if (!want && have) MixerCloseChannel(session_, c, 0);
    }
    channels_ = mask;
}

MixWave* TSoundMixer::openWave(const std::string& path) {
    return MixerOpenWaveFile(session_, path);
}

void TSoundMixer::play(int channel, MixWave* wave, uint16_t loops, uint32_t flags,
                       MixNotify notify) {
    params_.channel = channel;
    params_.wave = wave;
    params_.loops = loops;
    params_.flags = flags;
    params_.notify = std::move(notify);
    MixerPlay(&params_);
    params_.notify = nullptr;
}

void TSoundMixer::freeWave(MixWave* wave) {
    MixerFreeWave(session_, wave);
}

void TSoundMixer::setBlockDoneHook(std::function<void()> hook) {
    MixerSetBlockDoneHook(session_, std::move(hook));
}

void TSoundMixer::pump() {
    MixerPump(session_);
}

MixerSoundCues::MixerSoundCues(std::unique_ptr<WaveOutDevice> device, std::string dataFolder,
                               MixerEnvironment env)
    : dataFolder_(std::move(dataFolder)) {
    try {
        mixer_ = std::make_unique<TSoundMixer>(std::move(device), env);
        mixer_->setActivated(true);
        mixer_->setChannels(0x0F);
    } catch (const EMixerError&) {
        mixer_.reset();
        return;
    }
    for (MixWave*& slot : waveSlot_) {
        try {
            slot = mixer_->openWave(dataFolder_ + "/1.wav");
        } catch (const EMixerError&) {
            slot = nullptr;
        }
    }
}

MixerSoundCues::~MixerSoundCues() {
    if (!mixer_) return;
    for (MixWave* w : waveSlot_)
        if (w) mixer_->freeWave(w);
    for (MixWave* w : superseded_) mixer_->freeWave(w);
}

void MixerSoundCues::playSound(int channel, const std::string& fileName) {
    if (!mixer_ || channel < 0 || channel >= kSlots) return;
    try {
        MixWave* wave = mixer_->openWave(dataFolder_ + "/" + fileName);
        if (waveSlot_[channel]) superseded_.push_back(waveSlot_[channel]);
        waveSlot_[channel] = wave;
        mixer_->play(channel, wave, 0, 0);
    } catch (const EMixerError&) {
        // A missing file or a mixer refusal leaves the game silent.
    }
    releaseFinished();
}

void MixerSoundCues::setBlockDoneHook(std::function<void()> hook) {
    if (mixer_) mixer_->setBlockDoneHook(std::move(hook));
}

void MixerSoundCues::pump() {
    if (!mixer_) return;
    try {
        mixer_->pump();
    } catch (const EMixerError&) {
        // A device that refuses a block: the next signal tries again.
    }
    releaseFinished();
}

void MixerSoundCues::releaseFinished() {
    std::erase_if(superseded_, [this](MixWave* w) {
        if (MixerWaveInUse(mixer_->session(), w)) return false;
        mixer_->freeWave(w);
        return true;
    });
}

}  // namespace kotou
