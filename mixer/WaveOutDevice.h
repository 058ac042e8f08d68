#pragma once
// The wave-output device the mixer feeds, block by block. The platform
// adapter (platform/audio) and the recording device of the tests implement it.
//
// Threading: every member is called on the thread that owns the mixer. The
// device may run its own audio thread; from there it only reads the bytes of
// buffers already written, sets their `done` flag and calls the block-done
// function given to open(), which must do nothing but signal the owner.

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

#include "mixer/PcmFormat.h"

namespace kotou {

// One block of samples handed to the device. The mixer owns the memory; the
// device reads it from write() until it sets `done` (or until reset()).
struct WaveBuffer {
    const uint8_t* data = nullptr;
    uint32_t length = 0;
    std::atomic<bool> done{false};
};

struct WaveOutCaps {
    std::string name;          // product name
    int channels = 1;          // most channels the device can play
    bool synchronous = false;  // blocks the caller while playing
};

class WaveOutDevice {
  public:
    virtual ~WaveOutDevice() = default;

    // Number of output devices; 0 when there is no audio at all.
    virtual int deviceCount() = 0;
    // Capabilities of device `id` (-1 = the default device); false if unknown.
    virtual bool capabilities(int id, WaveOutCaps& caps) = 0;
    // Whether device `id` can play `format` (a query only).
    virtual bool supportsFormat(int id, const PcmFormat& format) = 0;

    // Opens device `id` for `format`; 0 on success, else an error number.
    // `blockDone` is called (possibly from an audio thread) after a buffer
    // has been played to its end or dropped by reset().
    virtual int open(int id, const PcmFormat& format, std::function<void()> blockDone) = 0;
    // Queues a buffer after those already written; 0 on success.
    virtual int write(WaveBuffer& buffer) = 0;
    // Drops every written buffer (marking each done); the position is kept.
    virtual void reset() = 0;
    virtual void pause() = 0;
    virtual void restart() = 0;
    // Bytes of written buffers played since open().
    virtual uint64_t position() = 0;
    virtual void close() = 0;

    // Loudness of what is played, 0 (silent) to 100 (as mixed). A device
    // without a volume of its own ignores it.
    virtual void setVolume(int percent) { (void)percent; }
    // Told by the mixer when no buffer is left at the device. A device may
    // then, once it has played out what it had, let go of its output and of
    // the thread that feeds it until the next write(), so a silent game
    // costs nothing. It may call the block-done function once when it has
    // been silent for a while, to be told again.
    virtual void idle() {}
};

}  // namespace kotou
