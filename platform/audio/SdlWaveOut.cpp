#include "platform/audio/SdlWaveOut.h"

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <cstring>

namespace kotou {

namespace {

class SdlWaveOut : public WaveOutDevice {
  public:
    SdlWaveOut() : initialised_(SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {}
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
        if (device_ != 0) return 2;
        if (!supportsFormat(id, format)) return 3;
        SDL_AudioSpec want{};
        want.freq = int(format.samplesPerSec);
        want.format = AUDIO_U8;
        want.channels = Uint8(format.channels);
        want.samples = 512;
        want.callback = &SdlWaveOut::callback;
        want.userdata = this;
        const char* name = id >= 0 ? SDL_GetAudioDeviceName(id, 0) : nullptr;
        SDL_AudioSpec have;
        blockDone_ = std::move(blockDone);
        head_ = count_ = 0;
        offset_ = 0;
        played_ = 0;
        paused_ = false;
        silence_ = 128;
        device_ = SDL_OpenAudioDevice(name, 0, &want, &have, 0);  // SDL converts if needed
        if (device_ == 0) {
            blockDone_ = nullptr;
            return 4;
        }
        SDL_PauseAudioDevice(device_, 0);
        return 0;
    }

    int write(WaveBuffer& buffer) override {
        if (device_ == 0) return 1;
        SDL_LockAudioDevice(device_);
        const bool full = count_ == kRing;
        if (!full) {
            ring_[(head_ + count_) % kRing] = &buffer;
            ++count_;
        }
        SDL_UnlockAudioDevice(device_);
        return full ? 2 : 0;
    }

    void reset() override {
        if (device_ == 0) return;
        SDL_LockAudioDevice(device_);
        const bool any = count_ > 0;
        for (size_t i = 0; i < count_; ++i) ring_[(head_ + i) % kRing]->done = true;
        head_ = count_ = 0;
        offset_ = 0;
        SDL_UnlockAudioDevice(device_);
        if (any && blockDone_) blockDone_();
    }

    void pause() override { setPaused(true); }
    void restart() override { setPaused(false); }

    uint64_t position() override { return played_.load(); }

    void close() override {
        if (device_ == 0) return;
        SDL_CloseAudioDevice(device_);  // waits for a running callback
        device_ = 0;
        for (size_t i = 0; i < count_; ++i) ring_[(head_ + i) % kRing]->done = true;
        head_ = count_ = 0;
        blockDone_ = nullptr;
    }

  private:
    static constexpr size_t kRing = 16;

    void setPaused(bool on) {
        if (device_ == 0) return;
        SDL_LockAudioDevice(device_);
        paused_ = on;
        SDL_UnlockAudioDevice(device_);
    }

    // Audio thread, with the device locked.
    static void callback(void* user, Uint8* stream, int len) {
        auto& self = *static_cast<SdlWaveOut*>(user);
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
        if (left > 0) std::memset(stream, self.silence_, left);
        if (finished && self.blockDone_) self.blockDone_();
    }

    const bool initialised_;
    SDL_AudioDeviceID device_ = 0;
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
