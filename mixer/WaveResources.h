#pragma once
// Waves embedded in the program. A module is a table of named and numbered
// RIFF/WAVE images compiled into the executable; the CMake function
// kotou_embed_waves() (mixer/EmbedWaves.cmake) generates one from .wav files.

#include <cstddef>
#include <cstdint>

namespace kotou {

struct WaveResource {
    const char* name;  // upper-case name the wave is found by
    int number;        // number the wave is found by (1, 2, ... in file order)
    const uint8_t* data;
    size_t size;
};

struct WaveResourceModule {
    const WaveResource* entries = nullptr;
    size_t count = 0;
};

}  // namespace kotou
