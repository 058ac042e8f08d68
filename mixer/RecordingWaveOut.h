#pragma once
// A wave-output device that plays nothing: it keeps a copy of every block
// written and "plays" bytes only when told to, recording them in order. Tests
// and benchmarks use it to see exactly what the mixer sent and when.

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "mixer/WaveOutDevice.h"

namespace kotou {

class RecordingWaveOut : public WaveOutDevice {
  public:
    struct Setup {
        int devices = 1;
        std::string name = "Recording Device";
        int channels = 2;
        bool synchronous = false;
        bool capsKnown = true;
        bool formatSupported = true;
        int openError = 0;
    };

    RecordingWaveOut() = default;
    explicit RecordingWaveOut(Setup setup) : setup_(std::move(setup)) {}

    int deviceCount() override { return setup_.devices; }
    bool capabilities(int id, WaveOutCaps& caps) override;
    bool supportsFormat(int, const PcmFormat&) override { return setup_.formatSupported; }
    int open(int id, const PcmFormat& format, std::function<void()> blockDone) override;
    int write(WaveBuffer& buffer) override;
    void reset() override;
    void pause() override { paused_ = true; }
    void restart() override { paused_ = false; }
    uint64_t position() override { return position_; }
    void close() override;

    // Plays up to `bytes` bytes of the written blocks (nothing while paused);
    // each block played to its end is marked done and signalled. Returns the
    // bytes played.
    size_t play(size_t bytes);

    // Every byte played since construction, in order.
    const std::vector<uint8_t>& played() const { return played_; }
    // A copy of every block written, in order.
    const std::vector<std::vector<uint8_t>>& written() const { return written_; }
    size_t queuedBlocks() const { return queue_.size(); }
    bool isOpen() const { return open_; }
    bool isPaused() const { return paused_; }
    int resets() const { return resets_; }
    int openedId() const { return openedId_; }
    const PcmFormat& openedFormat() const { return format_; }
    // Makes the next writes fail with this error number (0 = succeed).
    void failWrites(int error) { writeError_ = error; }

  private:
    Setup setup_;
    bool open_ = false;
    bool paused_ = false;
    int resets_ = 0;
    int openedId_ = -2;
    int writeError_ = 0;
    PcmFormat format_;
    std::function<void()> blockDone_;
    std::deque<WaveBuffer*> queue_;
    size_t headOffset_ = 0;
    uint64_t position_ = 0;
    std::vector<uint8_t> played_;
    std::vector<std::vector<uint8_t>> written_;
};

}  // namespace kotou
