#pragma once
// The game's sound mixer: the component TSoundMixer that wraps one mix
// session, and the sound-cue helper the game shell calls.
//
// Wiring in the program (one thread owns the mixer, normally the GUI thread):
//
//   auto cues = std::make_unique<kotou::MixerSoundCues>(kotou::makeSdlWaveOutDevice(), datDir);
//   cues->setBlockDoneHook([w] { /* post an event to the GUI thread that calls cues->pump() */ });
//   host.playSound(ch, file)  ->  cues->playSound(ch, file);
//
// The hook runs on the audio thread; it must only post. pump() does the work.

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "mixer/MixSession.h"
#include "mixer/MixerError.h"
#include "mixer/WaveOutDevice.h"

namespace kotou {

// The mixer component: creating it starts the mix session on `device`
// (refused with "Initialization failed (MixerInit)"); destroying it closes the
// channels, releases the device and closes the session. Only one may exist at
// a time, as there is one mix session per process.
class TSoundMixer {
  public:
    // `env.device` is ignored: the component plays on `device`, which it owns.
    explicit TSoundMixer(std::unique_ptr<WaveOutDevice> device, MixerEnvironment env = {});
    ~TSoundMixer();
    TSoundMixer(const TSoundMixer&) = delete;
    TSoundMixer& operator=(const TSoundMixer&) = delete;

    bool Activated() const { return activated_; }
    void setActivated(bool on);
    // Bit i set = channel i open (255 all eight, 0 none).
    uint8_t Channels() const { return channels_; }
    void setChannels(uint8_t mask);

    MixWave* openWave(const std::string& path);
    void play(int channel, MixWave* wave, uint16_t loops, uint32_t flags, MixNotify notify = {});
    void freeWave(MixWave* wave);

    // See MixerSetBlockDoneHook / MixerPump.
    void setBlockDoneHook(std::function<void()> hook);
    void pump();

    HMixSession session() const { return session_; }
    WaveOutDevice& device() { return *device_; }

  private:
    std::unique_ptr<WaveOutDevice> device_;
    HMixSession session_ = nullptr;
    MixPlayParams params_;
    bool activated_ = false;
    uint8_t channels_ = 0;
};

// What the game shell needs for its sound cues.
class SoundCues {
  public:
    virtual ~SoundCues() = default;
    // Plays `fileName` from the data folder once on channel 0..3, after what
    // the channel already has queued. Never throws.
    virtual void playSound(int channel, const std::string& fileName) = 0;
};

// The cues on a TSoundMixer that is activated with channels 0..3 open. Every
// mixer error is swallowed: without a device or a file the game stays silent.
// Each cue loads a fresh wave into its channel's slot; a superseded wave is
// freed once nothing plays or waits to play it any more.
class MixerSoundCues : public SoundCues {
  public:
    static constexpr int kSlots = 4;

    // `dataFolder` is the folder of the wave files ("dat" beside the program).
    MixerSoundCues(std::unique_ptr<WaveOutDevice> device, std::string dataFolder,
                   MixerEnvironment env = {});
    ~MixerSoundCues() override;

    void playSound(int channel, const std::string& fileName) override;

    // Hook called from the audio thread when a block is done: post to the
    // owner thread and call pump() there.
    void setBlockDoneHook(std::function<void()> hook);
    // Owner thread: refills the device and frees superseded waves that have
    // finished playing.
    void pump();

    // False when the mixer could not start (no device): cues are silent.
    bool available() const { return mixer_ != nullptr; }
    TSoundMixer* mixer() { return mixer_.get(); }
    MixWave* waveSlot(int channel) const { return waveSlot_.at(channel); }
    size_t supersededWaves() const { return superseded_.size(); }

  private:
    void releaseFinished();

    std::unique_ptr<TSoundMixer> mixer_;
    std::string dataFolder_;
    std::array<MixWave*, kSlots> waveSlot_{};
    std::vector<MixWave*> superseded_;
};

}  // namespace kotou
