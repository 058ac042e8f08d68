#pragma once
// The mixer's wave-output device on SDL2 audio (the audio subsystem only).
// Plays 8-bit unsigned mono or stereo at 11025, 22050 or 44100 Hz. The audio
// callback only copies the bytes of blocks already written, in order, counts
// them for the position and marks finished blocks done; all mixing happens on
// the thread that owns the mixer. Without any audio device (or with
// SDL_AUDIODRIVER=dummy) it still works: deviceCount() is 0 when SDL audio
// cannot start at all. SDL is told to install no signal handlers: SIGINT and
// SIGTERM stay with the program.

#include <memory>

#include "mixer/WaveOutDevice.h"

namespace kotou {

std::unique_ptr<WaveOutDevice> makeSdlWaveOutDevice();

}  // namespace kotou
