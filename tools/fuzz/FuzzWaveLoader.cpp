// libFuzzer entry for the wave loader: any byte string is a candidate WAV
// image. It must load or be refused with EMixerError; anything else (a crash,
// an over-read, a huge allocation) is a finding.

#include <cstddef>
#include <cstdint>

#include "mixer/MixerError.h"
#include "mixer/Wave.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const kotou::PcmFormat outputs[] = {
        {1, 1, 11025, 11025, 1, 8},
        {1, 2, 44100, 88200, 2, 8},
    };
    for (const kotou::PcmFormat& out : outputs) {
        kotou::MemorySource source(data, size);
        try {
            kotou::loadWaveSamples(source, out);
        } catch (const kotou::EMixerError&) {
        }
    }
    return 0;
}
