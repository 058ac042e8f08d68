#pragma once
// The mixer's output device for the game. The SDL device is built as a module
// of its own (kSdlAudioModule, beside the program) and loaded on first use:
// linking SDL into the program would make every start-up load some thirty
// more shared libraries before the window can show.

#include <filesystem>
#include <memory>
#include <string>

#include "mixer/WaveOutDevice.h"

namespace kotou {

inline constexpr const char* kSdlAudioModule = "kotou-sdl-audio.so";
// The module's one entry point: a new device (owned by the caller).
inline constexpr const char* kSdlAudioEntry = "kotou_make_sdl_wave_out";

// The folder of the module for a program in `executableDir`: that folder when
// the module lies there (the build folder, a portable copy), else the
// installed module folder (<prefix>/lib/kotou/modules beside <prefix>/bin).
std::filesystem::path sdlAudioModuleFolder(const std::filesystem::path& executableDir);

// Loads the module from `folder` and makes its device. When the module cannot
// be loaded, `error` says why and the result is a device without any output
// (deviceCount() 0), with which the mixer stays silent.
std::unique_ptr<WaveOutDevice> loadSdlWaveOut(const std::filesystem::path& folder,
                                              std::string& error);

}  // namespace kotou
