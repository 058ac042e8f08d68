#pragma once
// The mix session: one per process. It owns the output device while
// activated, keeps up to eight channels with queues of play requests, and
// mixes the queued waves block by block into the device's stream.
//
// Everything here runs on the thread that owns the session. The device only
// signals that blocks are done; MixerPump() does the work on the owner thread.

#include <cstdint>
#include <functional>
#include <string>

#include "mixer/IniFile.h"
#include "mixer/MixerError.h"
#include "mixer/PcmFormat.h"
#include "mixer/Wave.h"
#include "mixer/WaveOutDevice.h"
#include "mixer/WaveResources.h"

namespace kotou {

struct MixSession;
using HMixSession = MixSession*;

inline constexpr int kMixerChannels = 8;
inline constexpr int kMixerRequestPool = 99;
inline constexpr int kMixerMaxBlocks = 6;
inline constexpr uint32_t kMixerMaxBlockLength = 4096;

// Optional configuration of MixerInit (ignored unless size is 10).
struct MixerConfig {
    uint16_t size = 10;
    uint32_t flags = 0;     // kConfigChannels, kConfigRate
    uint16_t channels = 1;  // used with kConfigChannels if the device has two
    uint16_t rate = 11;     // 11, 22 or 44, used with kConfigRate
};
inline constexpr uint32_t kConfigChannels = 1;
inline constexpr uint32_t kConfigRate = 2;

// What the session runs on: the device, a millisecond clock and the settings.
struct MixerEnvironment {
    WaveOutDevice* device = nullptr;
    // Millisecond clock for the clock-based position; steady clock if empty.
    std::function<int64_t()> clockMs;
    // Settings; read from "MIXER.INI" in userSettingsFolder() if not given.
    const IniFile* settings = nullptr;
};

// Called on the owner thread, from MixerPump(), when a played request has
// finished: the channel and the wave.
using MixNotify = std::function<void(int channel, MixWave* wave)>;

struct MixPlayParams {
    uint16_t size = 24;
    HMixSession session = nullptr;
    int channel = 0;  // 0..7; with kPlayLeastRecent the chosen channel is written back
    MixWave* wave = nullptr;
    MixNotify notify;
    uint32_t flags = 0;
    uint16_t loops = 0;  // the wave plays loops + 1 times; kLoopForever never ends
};

inline constexpr uint32_t kPlayClearQueue = 1;    // drop the channel's queue first
inline constexpr uint32_t kPlayLeastRecent = 2;   // use the least recently used channel
inline constexpr uint32_t kPlayHighPriority = 4;  // start at the device's position
inline constexpr uint32_t kPlayWait = 8;          // collect only; starts with the next play
inline constexpr uint16_t kLoopForever = 65535;

// Flags of MixerOpenChannel, MixerFlushChannel and MixerCloseChannel.
inline constexpr uint32_t kOpenAll = 1;    // all eight channels
inline constexpr uint32_t kOpenCount = 2;  // channels 0..count-1
inline constexpr uint32_t kFlushAll = 1;   // all channels
inline constexpr uint32_t kFlushNoRemix = 2;
inline constexpr uint32_t kCloseAll = 1;

// Session life.
HMixSession MixerInit(const MixerEnvironment& env, const MixerConfig* config = nullptr);
void MixerActivate(HMixSession session, bool on);
void MixerCloseSession(HMixSession session);

// Channels.
void MixerOpenChannel(HMixSession session, int channel, uint32_t flags);
void MixerFlushChannel(HMixSession session, int channel, uint32_t flags);
void MixerCloseChannel(HMixSession session, int channel, uint32_t flags);

// Playing.
void MixerPlay(MixPlayParams* params);

// Waves. The result belongs to the caller until MixerFreeWave; waves still
// loaded when the session closes are freed with it.
MixWave* MixerOpenWaveFile(HMixSession session, const std::string& path);
MixWave* MixerOpenWaveMemory(HMixSession session, const void* data, size_t size);
MixWave* MixerOpenWaveResource(HMixSession session, const WaveResourceModule& module,
                               const std::string& name);
MixWave* MixerOpenWaveResource(HMixSession session, const WaveResourceModule& module, int number);
void MixerFreeWave(HMixSession session, MixWave* wave);

// Block-done handling. `hook` is called from the device's thread whenever a
// block is done; it must only arrange for MixerPump() to run on the owner
// thread (for example by posting an event).
void MixerSetBlockDoneHook(HMixSession session, std::function<void()> hook);
// Handles the blocks the device has finished; a no-op when none has.
void MixerPump(HMixSession session);

// Read-only views, for the component and for tests.
struct MixerStatus {
    PcmFormat format;
    uint32_t blockLength = 0;
    int blocksInUse = 0;
    bool activated = false;
    bool adjustingRemix = false;
    bool goodWavePos = false;
    int deviceId = 0;
    std::string deviceName;
    int openChannels = 0;
    int freeRequests = 0;
    int blocksAtDevice = 0;
    int64_t mixPosition = 0;
};
MixerStatus MixerGetStatus(HMixSession session);
bool MixerChannelOpen(HMixSession session, int channel);
int MixerQueueLength(HMixSession session, int channel);
// Whether any queued or waiting request still plays `wave`.
bool MixerWaveInUse(HMixSession session, const MixWave* wave);
int64_t MixerCurrentPosition(HMixSession session);

// Mixes the next block of the stream into `out` (block length bytes) without
// handing it to the device; returns whether anything was mixed. Used by the
// benchmarks to time the mixing alone.
bool MixerMixInto(HMixSession session, uint8_t* out);

}  // namespace kotou
