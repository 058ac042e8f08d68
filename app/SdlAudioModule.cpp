// The loadable module that holds the mixer's SDL wave-output device. SDL and
// the libraries it needs are loaded with it, when the game first needs sound,
// instead of with the program (see app/AudioDevice.h).
#include "app/AudioDevice.h"
#include "platform/audio/SdlWaveOut.h"

extern "C" __attribute__((visibility("default"))) kotou::WaveOutDevice* kotou_make_sdl_wave_out() {
    return kotou::makeSdlWaveOutDevice().release();
}
