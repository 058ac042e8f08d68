#include "platform/audio/SdlWaveOut.h"

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <string>

namespace kotou {

namespace {

class SdlWaveOut : public WaveOutDevice {
  public:
    SdlWaveOut() : initialised_(startAudio()) {}
    ~SdlWaveOut() override {
        close();
        if (initialised_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

    int deviceCount() override {
        if (!initialised_) return 0;
        const int n = SDL_GetNumAudioDevices(0);
        return n < 0 ? 1 : n;  // -1: no list, but the default device may work
    }

    bool capabilities(int id, WaveOutCaps& caps) override {
        if (!initialised_) return false;
        const char* name = SDL_GetAudioDeviceName(std::max(id, 0), 0);
        caps.name = name ? name : "Default Audio Device";
        caps.channels = 2;
        caps.synchronous = false;
        SDL_AudioSpec preferred;
        if (id >= 0 && SDL_GetAudioDeviceSpec(id, 0, &preferred) == 0 && preferred.channels > 0)
            caps.channels = preferred.channels;
        return true;
    }

    bool supportsFormat(int, const PcmFormat& f) override {
        return f.formatTag == 1 && f.bitsPerSample == 8 && (f.channels == 1 || f.channels == 2) &&
               (f.samplesPerSec == 11025 || f.samplesPerSec == 22050 || f.samplesPerSec == 44100);
    }

    int open(int id, const PcmFormat& format, std::function<void()> blockDone) override {
        if (!initialised_) return 1;
        if (opened_) return 2;
        if (!supportsFormat(id, format)) return 3;
        want_ = SDL_AudioSpec{};
        want_.freq = int(format.samplesPerSec);
        want_.format = AUDIO_U8;
        want_.channels = Uint8(format.channels);
        want_.samples = 512;
        want_.callback = &SdlWaveOut::callback;
        want_.userdata = this;
        const char* name = id >= 0 ? SDL_GetAudioDeviceName(id, 0) : nullptr;
        name_ = name ? name : "";
        hasName_ = name != nullptr;
        blockDone_ = std::move(blockDone);
        head_ = count_ = 0;
        offset_ = 0;
        played_ = 0;
        paused_ = false;
        silence_ = 128;
        if (!openOutput()) {
            blockDone_ = nullptr;
            return 4;
        }
        opened_ = true;
        return 0;
    }

    int write(WaveBuffer& buffer) override {
        if (!opened_) return 1;
        // Woken from idle: the output opens again, and the buffer plays from
        // its first sample.
        if (device_ == 0 && !openOutput()) return 1;
        SDL_LockAudioDevice(device_);
        const bool full = count_ == kRing;
        if (!full) {
            ring_[(head_ + count_) % kRing] = &buffer;
            ++count_;
            silentBytes_ = 0;
            idleSignalled_ = false;
        }
        SDL_UnlockAudioDevice(device_);
        return full ? 2 : 0;
    }

    void reset() override {
        if (!opened_) return;
        lock();
        const bool any = count_ > 0;
        for (size_t i = 0; i < count_; ++i) ring_[(head_ + i) % kRing]->done = true;
        head_ = count_ = 0;
        offset_ = 0;
        unlock();
        if (any && blockDone_) blockDone_();
    }

    void pause() override { setPaused(true); }
    void restart() override { setPaused(false); }

    uint64_t position() override { return played_.load(); }

    void close() override {
        if (!opened_) return;
        if (device_ != 0) SDL_CloseAudioDevice(device_);  // waits for a running callback
        device_ = 0;
        opened_ = false;
        for (size_t i = 0; i < count_; ++i) ring_[(head_ + i) % kRing]->done = true;
        head_ = count_ = 0;
        blockDone_ = nullptr;
    }

    void setVolume(int percent) override { volume_ = std::clamp(percent, 0, 100); }

    // Silent for a while with nothing queued: the output closes, and SDL's
    // audio thread with it. What was played has long reached the speakers,
    // and the silence the device plays ends in silence: no click.
    void idle() override {
        if (device_ == 0) return;
        lock();
        const bool drained = count_ == 0 && silentBytes_ >= idleAfterBytes();
        unlock();
        if (!drained) return;
        SDL_CloseAudioDevice(device_);
        device_ = 0;
    }

  private:
    static constexpr size_t kRing = 16;

    // SDL would otherwise catch SIGINT and SIGTERM for an event queue nobody
    // reads here, and Ctrl+C or a plain kill could no longer end the game.
    static bool startAudio() {
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        return SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    }

    // The silence after which the device tells the mixer it is idle.
    static constexpr int kIdleAfterMs = 1000;

    size_t idleAfterBytes() const {
        return size_t(want_.freq) * want_.channels * kIdleAfterMs / 1000;
    }

    bool openOutput() {
        SDL_AudioSpec have;
        silentBytes_ = 0;
        idleSignalled_ = false;
        device_ = SDL_OpenAudioDevice(hasName_ ? name_.c_str() : nullptr, 0, &want_, &have,
                                      0);  // SDL converts if needed
        if (device_ == 0) return false;
        SDL_PauseAudioDevice(device_, 0);
        return true;
    }

    void lock() {
        if (device_ != 0) SDL_LockAudioDevice(device_);
    }
    void unlock() {
        if (device_ != 0) SDL_UnlockAudioDevice(device_);
    }

    void setPaused(bool on) {
        if (!opened_) return;
        lock();
        paused_ = on;
        unlock();
    }

    // Audio thread, with the device locked.
    static void callback(void* user, Uint8* stream, int len) {
        auto& self = *static_cast<SdlWaveOut*>(user);
        Uint8* const start = stream;
        size_t left = size_t(len);
        bool finished = false;
        while (left > 0 && !self.paused_ && self.count_ > 0) {
            WaveBuffer* b = self.ring_[self.head_];
            const size_t n = std::min<size_t>(left, b->length - self.offset_);
            std::memcpy(stream, b->data + self.offset_, n);
            stream += n;
            left -= n;
            self.offset_ += n;
            self.played_ += n;
            if (self.offset_ == b->length) {
                b->done = true;
                self.head_ = (self.head_ + 1) % kRing;
                --self.count_;
                self.offset_ = 0;
                finished = true;
            }
        }
        const size_t copied = size_t(len) - left;
        if (const int volume = self.volume_.load(); volume < 100) {
            for (size_t i = 0; i < copied; ++i)
                start[i] = Uint8(128 + (int(start[i]) - 128) * volume / 100);
        }
        if (left > 0) std::memset(stream, self.silence_, left);
        bool signal = finished;
        if (copied == 0) {
            self.silentBytes_ += size_t(len);
            if (!self.idleSignalled_ && self.silentBytes_ >= self.idleAfterBytes()) {
                self.idleSignalled_ = true;
                signal = true;
            }
        } else {
            self.silentBytes_ = 0;
        }
        if (signal && self.blockDone_) self.blockDone_();
    }

    const bool initialised_;
    bool opened_ = false;  // open() succeeded; the output itself may be closed while idle
    SDL_AudioDeviceID device_ = 0;
    SDL_AudioSpec want_{};
    std::string name_;
    bool hasName_ = false;
    size_t silentBytes_ = 0;
    bool idleSignalled_ = false;
    std::atomic<int> volume_{100};
    std::function<void()> blockDone_;
    WaveBuffer* ring_[kRing] = {};
    size_t head_ = 0, count_ = 0, offset_ = 0;
    std::atomic<uint64_t> played_{0};
    bool paused_ = false;
    Uint8 silence_ = 128;
};

}  // namespace

std::unique_ptr<WaveOutDevice> makeSdlWaveOutDevice() {
    return std::make_unique<SdlWaveOut>();
}

}  // namespace kotou
