#include "app/AudioDevice.h"

#include <dlfcn.h>

#ifndef KOTOU_MODULES_FROM_BIN
#define KOTOU_MODULES_FROM_BIN "../lib/kotou/modules"
#endif

namespace kotou {

namespace {

// No output at all: the mixer finds no device and its cues stay silent.
class NoWaveOut : public WaveOutDevice {
  public:
    int deviceCount() override { return 0; }
    bool capabilities(int, WaveOutCaps&) override { return false; }
    bool supportsFormat(int, const PcmFormat&) override { return false; }
    int open(int, const PcmFormat&, std::function<void()>) override { return 1; }
    int write(WaveBuffer&) override { return 1; }
    void reset() override {}
    void pause() override {}
    void restart() override {}
    uint64_t position() override { return 0; }
    void close() override {}
};

}  // namespace

std::filesystem::path sdlAudioModuleFolder(const std::filesystem::path& executableDir) {
    std::error_code ec;
    if (std::filesystem::exists(executableDir / kSdlAudioModule, ec)) return executableDir;
    return (executableDir / KOTOU_MODULES_FROM_BIN).lexically_normal();
}

std::unique_ptr<WaveOutDevice> loadSdlWaveOut(const std::filesystem::path& folder,
                                              std::string& error) {
    error.clear();
    const std::string file = (folder / kSdlAudioModule).string();
    // Never closed: the device's code lives in the module.
    void* module = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        const char* why = dlerror();
        error = why ? why : file + " could not be loaded";
        return std::make_unique<NoWaveOut>();
    }
    using Make = WaveOutDevice* (*)();
    auto make = reinterpret_cast<Make>(dlsym(module, kSdlAudioEntry));
    WaveOutDevice* device = make ? make() : nullptr;
    if (!device) {
        error = file + " has no sound device";
        return std::make_unique<NoWaveOut>();
    }
    return std::unique_ptr<WaveOutDevice>(device);
}

}  // namespace kotou
