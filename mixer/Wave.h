#pragma once
// Wave records: sounds loaded once and converted to the output format, so
// that mixing is a plain sum of bytes.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "mixer/PcmFormat.h"

namespace kotou {

// A loaded sound. The samples are in the output format of the mix session
// that loaded it; `sourceFormat` describes the file they came from.
struct MixWave {
    PcmFormat sourceFormat;
    std::vector<uint8_t> samples;
    uint32_t length = 0;  // bytes of samples
    char name[16] = {};   // file name (up to 15 characters) or "res#" + number
};

// Random access to the bytes of a wave source (a file or a memory image).
class ByteSource {
  public:
    virtual ~ByteSource() = default;
    virtual uint64_t size() const = 0;
    // Reads exactly `n` bytes at `offset`; false if they are not all there.
    virtual bool read(uint64_t offset, void* dst, size_t n) = 0;
};

class MemorySource : public ByteSource {
  public:
    MemorySource(const void* data, size_t size)
        : data_(static_cast<const uint8_t*>(data)), size_(size) {}
    uint64_t size() const override { return size_; }
    bool read(uint64_t offset, void* dst, size_t n) override;

  private:
    const uint8_t* data_;
    size_t size_;
};

// The format and raw sample bytes of a RIFF/WAVE image.
struct RawWave {
    PcmFormat format;
    std::vector<uint8_t> data;
};

// Limits that keep untrusted files from asking for huge allocations. Sound
// effects are far smaller.
inline constexpr uint64_t kMaxWaveDataBytes = 16u << 20;
inline constexpr uint64_t kMaxConvertedBytes = 32u << 20;

// Parses a RIFF/WAVE image: the "fmt " chunk and the "data" chunk after it.
// Throws EMixerError on anything malformed; never reads past the source.
RawWave readRiffWave(ByteSource& source);

// Converts samples from `from` to `to`: sample size (8/16 bits), then channel
// count (1/2), then rate. Throws EMixerError for formats it cannot convert.
std::vector<uint8_t> convertSamples(const uint8_t* data, size_t length, const PcmFormat& from,
                                    const PcmFormat& to);

// readRiffWave followed by convertSamples to `output`.
std::vector<uint8_t> loadWaveSamples(ByteSource& source, const PcmFormat& output,
                                     PcmFormat* sourceFormat = nullptr);

}  // namespace kotou
