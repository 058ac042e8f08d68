#pragma once
// The PCM format record used for files and for the output stream.

#include <cstdint>

namespace kotou {

struct PcmFormat {
    uint16_t formatTag = 1;  // 1 = PCM
    uint16_t channels = 1;
    uint32_t samplesPerSec = 11025;
    uint32_t avgBytesPerSec = 11025;
    uint16_t blockAlign = 1;
    uint16_t bitsPerSample = 8;

    bool operator==(const PcmFormat&) const = default;
};

// The mixer's output before settings adjust it: 8-bit unsigned mono, 11025 Hz.
inline constexpr PcmFormat kDefaultOutputFormat{};

}  // namespace kotou
