// Mix sessions on the recording device: what is heard, when, and what each
// refusal says.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>

#include "MixerTestSupport.h"
#include "mixer/MixSession.h"
#include "mixer/WaveResources.h"

const kotou::WaveResourceModule& mixerTestWaves();  // embedded by the build

namespace kotou::test {
namespace {

Bytes ramp(size_t n, int from = 20) {
    Bytes b(n);
    for (size_t i = 0; i < n; ++i) b[i] = uint8_t(from + i % 200);
    return b;
}

bool all(const Bytes& b, uint8_t v) {
    return std::all_of(b.begin(), b.end(), [v](uint8_t x) { return x == v; });
}

// ---- settings and start-up ----

MixerStatus statusFor(const std::string& ini, RecordingWaveOut::Setup setup = {},
                      const MixerConfig* config = nullptr) {
    RecordingWaveOut dev(setup);
    IniFile settings = IniFile::parse(ini);
    MixerEnvironment env{&dev, {}, &settings};
    HMixSession s = MixerInit(env, config);
    MixerStatus st = MixerGetStatus(s);
    MixerCloseSession(s);
    return st;
}

TEST(MixerSettings, BlockLengthAndCountFollowTheSettings) {
    struct Case {
        const char* ini;
        uint32_t rate, blockLength;
        int blocks;
    } cases[] = {
        {"", 11025, 2048, 3},
        {"[default]\nSamplesPerSec=44", 44100, 4096, 3},
        {"[default]\nSamplesPerSec=22", 22050, 4096, 3},
        {"[default]\nSamplesPerSec=33", 11025, 2048, 3},
        {"[default]\nWaveBlocks=9", 11025, 2048, 6},
        {"[default]\nWaveBlocks=1", 11025, 2048, 2},
        {"[default]\nWaveBlockLen=100", 11025, 512, 3},
        {"[default]\nWaveBlockLen=5000", 11025, 4096, 3},
        {"[default]\nWaveBlockLen=1001", 11025, 1000, 3},
        // The device's own section wins over the defaults; its 0 means "use the default".
        {"[default]\nWaveBlocks=5\nWaveBlockLen=700\n[Recording Device]\nWaveBlocks=4\n"
         "WaveBlockLen=0\nSamplesPerSec=44",
         44100, 700, 4},
        {"[recording device]\nwaveblocklen=1003", 11025, 1000, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ini);
        MixerStatus st = statusFor(c.ini);
        EXPECT_EQ(st.format.samplesPerSec, c.rate);
        EXPECT_EQ(st.format.avgBytesPerSec, c.rate);
        EXPECT_EQ(st.blockLength, c.blockLength);
        EXPECT_EQ(st.blocksInUse, c.blocks);
    }
}

TEST(MixerSettings, RemixPositionDeviceAndOutputChoices) {
    MixerStatus st = statusFor("");
    EXPECT_FALSE(st.adjustingRemix);
    EXPECT_FALSE(st.goodWavePos);
    EXPECT_EQ(st.deviceId, 0);
    EXPECT_EQ(st.deviceName, "Recording Device");
    EXPECT_EQ(st.format, kDefaultOutputFormat);

    st = statusFor("[Recording Device]\nRemix=2\nGoodWavePos=1\n[general]\nWaveOutDevice=1");
    EXPECT_TRUE(st.adjustingRemix);
    EXPECT_TRUE(st.goodWavePos);
    EXPECT_EQ(st.deviceId, -1);  // not below the device count
    RecordingWaveOut::Setup longName;
    longName.name = std::string(40, 'n');
    EXPECT_EQ(statusFor("", longName).deviceName, std::string(31, 'n'));

    RecordingWaveOut::Setup unknown;
    unknown.capsKnown = false;
    EXPECT_EQ(statusFor("", unknown).deviceName, "Unknown Device");

    MixerConfig stereo{10, kConfigChannels | kConfigRate, 2, 22};
    st = statusFor("[default]\nSamplesPerSec=44", {}, &stereo);
    EXPECT_EQ(st.format.channels, 2);
    EXPECT_EQ(st.format.blockAlign, 2);
    EXPECT_EQ(st.format.samplesPerSec, 22050u);
    EXPECT_EQ(st.format.avgBytesPerSec, 44100u);

    RecordingWaveOut::Setup monoDevice;
    monoDevice.channels = 1;
    EXPECT_EQ(statusFor("", monoDevice, &stereo).format.channels, 1);
    MixerConfig oneChannel{10, kConfigChannels, 1, 11};
    EXPECT_EQ(statusFor("", {}, &oneChannel).format.channels, 1);
    MixerConfig wrongSize{9, kConfigChannels | kConfigRate, 2, 22};
    EXPECT_EQ(statusFor("", {}, &wrongSize).format, kDefaultOutputFormat);
}

TEST(MixerSettings, ReadsMixerIniFromTheUserSettingsFolder) {
    const std::string dir = std::string(KOTOU_TEST_OUTPUT) + "/mixer-config-file";
    std::filesystem::create_directories(dir);
    const char* old = getenv("XDG_CONFIG_HOME");
    const std::string saved = old ? old : "";
    setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
    std::filesystem::remove(dir + "/MIXER.INI");

    RecordingWaveOut dev;
    MixerEnvironment env{&dev, {}, nullptr};
    HMixSession s = MixerInit(env);
    EXPECT_EQ(MixerGetStatus(s).blocksInUse, 3);  // no file: all defaults
    MixerCloseSession(s);

    std::ofstream(dir + "/MIXER.INI") << "; mixer\r\n[Default]\r\nWaveBlocks = 5\r\n";
    s = MixerInit(env);
    EXPECT_EQ(MixerGetStatus(s).blocksInUse, 5);
    MixerCloseSession(s);
    setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
}

// The settings folder: XDG_CONFIG_HOME, else HOME/.config, else none.
TEST(MixerSettings, UserSettingsFolderFollowsTheEnvironment) {
    const auto saved = [](const char* name) {
        const char* v = getenv(name);
        return v ? std::optional<std::string>(v) : std::nullopt;
    };
    const auto xdg = saved("XDG_CONFIG_HOME"), home = saved("HOME");
    setenv("XDG_CONFIG_HOME", "/x", 1);
    setenv("HOME", "/h", 1);
    EXPECT_EQ(userSettingsFolder(), "/x");
    setenv("XDG_CONFIG_HOME", "", 1);
    EXPECT_EQ(userSettingsFolder(), "/h/.config");
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(userSettingsFolder(), "/h/.config");
    setenv("HOME", "", 1);
    EXPECT_EQ(userSettingsFolder(), "");
    unsetenv("HOME");
    EXPECT_EQ(userSettingsFolder(), "");
    for (const auto& [name, value] : {std::pair{"XDG_CONFIG_HOME", xdg}, std::pair{"HOME", home}}) {
        if (value)
            setenv(name, value->c_str(), 1);
        else
            unsetenv(name);
    }
}

TEST(MixerSettings, IniValuesAreSignedDecimalsAndTheFirstKeyCounts) {
    IniFile ini = IniFile::parse("[a]\nx=-12\ny=abc\nz=7 apples\nx=99\nkey only\n[b]\nx=1");
    EXPECT_EQ(ini.readInt("A", "X", 5), -12);
    EXPECT_EQ(ini.readInt("a", "y", 5), 0);
    EXPECT_EQ(ini.readInt("a", "z", 5), 7);
    EXPECT_EQ(ini.readInt("a", "missing", 5), 5);
    EXPECT_EQ(ini.readInt("c", "x", 5), 5);
    EXPECT_EQ(IniFile::parse("x=3").readInt("", "x", 4), 4);  // keys outside a section are ignored
    // Comment lines are not keys, even when they look like one.
    IniFile comments = IniFile::parse("[a]\n;x=1\n#y=2\n  ; z=3\n");
    for (const char* key : {";x", "#y", "; z"}) EXPECT_EQ(comments.readInt("a", key, 5), 5) << key;
}

TEST(MixerSession, StartUpRefusals) {
    RecordingWaveOut::Setup none;
    none.devices = 0;
    RecordingWaveOut noDevice(none);
    IniFile empty;
    EXPECT_MIXER_ERROR(MixerInit({&noDevice, {}, &empty}), "No wave output devices available");
    EXPECT_MIXER_ERROR(MixerInit({nullptr, {}, &empty}), "No wave output devices available");

    RecordingWaveOut::Setup sync;
    sync.synchronous = true;
    RecordingWaveOut blocking(sync);
    EXPECT_MIXER_ERROR(MixerInit({&blocking, {}, &empty}),
                       "Recording Device is a syncronous (blocking) wave output device.  This "
                       "will not permit audio to play while other applications are running");

    RecordingWaveOut dev;
    IniFile refused = IniFile::parse("[not compatible]\nRecording Device=1");
    EXPECT_MIXER_ERROR(MixerInit({&dev, {}, &refused}),
                       "Recording Device is not compatible with the realtime mixer");

    // None of the refusals left a session behind.
    HMixSession s = MixerInit({&dev, {}, &empty});
    EXPECT_MIXER_ERROR(MixerInit({&dev, {}, &empty}), "Session already initialized");
    MixerCloseSession(s);
    EXPECT_MIXER_ERROR(MixerActivate(s, true), "Invalid Session handle");
    EXPECT_MIXER_ERROR(MixerOpenChannel(nullptr, 0, 0), "Invalid Session handle");
}

TEST(MixerSession, ActivationFailureLeavesTheSessionInactive) {
    RecordingWaveOut::Setup setup;
    setup.openError = 7;
    RecordingWaveOut dev(setup);
    IniFile empty;
    HMixSession s = MixerInit({&dev, {}, &empty});
    EXPECT_MIXER_ERROR(MixerActivate(s, true), "Failed to open waveform output device #7");
    EXPECT_FALSE(MixerGetStatus(s).activated);
    MixerCloseSession(s);
}

// The recording device itself: it counts from 0 at every opening, plays
// single bytes, and signals only for blocks it actually held.
TEST(RecordingDevice, CountsPlaysAndSignals) {
    RecordingWaveOut dev;
    int signals = 0;
    dev.open(0, kDefaultOutputFormat, [&] { ++signals; });
    dev.reset();
    EXPECT_EQ(signals, 0);
    const Bytes bytes{1, 2, 3};
    WaveBuffer b;
    b.data = bytes.data();
    b.length = 3;
    dev.write(b);
    EXPECT_EQ(dev.play(1), 1u);
    EXPECT_EQ(dev.played(), (Bytes{1}));
    dev.reset();
    EXPECT_EQ(signals, 1);
    dev.close();
    dev.open(0, kDefaultOutputFormat, [] {});
    EXPECT_EQ(dev.position(), 0u);
}

// ---- channels ----

TEST(MixerChannels, OpenFlushAndCloseRefusals) {
    RecordingWaveOut dev;
    IniFile empty;
    HMixSession s = MixerInit({&dev, {}, &empty});
    EXPECT_MIXER_ERROR(MixerOpenChannel(s, 0, 3), "Invalid Flags");
    EXPECT_MIXER_ERROR(MixerOpenChannel(s, 8, 0), "Invalid channel number");
    EXPECT_MIXER_ERROR(MixerOpenChannel(s, 0, kOpenCount), "Invalid number of channels");
    EXPECT_MIXER_ERROR(MixerOpenChannel(s, 9, kOpenCount), "Invalid number of channels");
    MixerOpenChannel(s, 5, 0);
    EXPECT_MIXER_ERROR(MixerOpenChannel(s, 5, 0), "The channel has already been opened");
    MixerOpenChannel(s, 1, kOpenCount);  // channel 0 alone
    EXPECT_EQ(MixerGetStatus(s).openChannels, 2);
    EXPECT_FALSE(MixerChannelOpen(s, 1));
    MixerOpenChannel(s, 3, kOpenCount);  // 1..2 added, 0 and 5 kept
    EXPECT_EQ(MixerGetStatus(s).openChannels, 4);
    EXPECT_TRUE(MixerChannelOpen(s, 2));
    EXPECT_FALSE(MixerChannelOpen(s, 3));
    for (int c : {-1, 8}) {  // not channels at all
        EXPECT_FALSE(MixerChannelOpen(s, c));
        EXPECT_EQ(MixerQueueLength(s, c), 0);
    }

    EXPECT_MIXER_ERROR(MixerFlushChannel(s, 8, 0), "Invalid channel number");
    EXPECT_MIXER_ERROR(MixerFlushChannel(s, 3, 0), "The specified channel was not open");
    EXPECT_MIXER_ERROR(MixerCloseChannel(s, 3, 0), "The specified channel was not open");
    MixerCloseChannel(s, 5, 0);
    EXPECT_EQ(MixerGetStatus(s).openChannels, 3);
    MixerCloseChannel(s, 0, kCloseAll);
    EXPECT_EQ(MixerGetStatus(s).openChannels, 0);
    MixerOpenChannel(s, 0, kOpenAll);
    EXPECT_EQ(MixerGetStatus(s).openChannels, 8);
    MixerCloseSession(s);
}

TEST(MixerChannels, PlayRefusalsInOrder) {
    RecordingWaveOut dev;
    IniFile empty;
    HMixSession s = MixerInit({&dev, {}, &empty});
    Bytes image = makeWav(pcm(1, 11025, 8), {1, 2, 3});
    MixWave* w = MixerOpenWaveMemory(s, image.data(), image.size());
    MixPlayParams p;
    p.session = s;
    EXPECT_MIXER_ERROR(MixerPlay(nullptr), "nil parameters pointer passed to MixerPlay");
    EXPECT_MIXER_ERROR(MixerPlay(&p), "nil wave pointer passed to MixerPlay!");
    p.wave = w;
    EXPECT_MIXER_ERROR(MixerPlay(&p),
                       "Wave device not allocated, call MixerActivate(hMixSession,TRUE)");
    MixerActivate(s, true);
    EXPECT_MIXER_ERROR(MixerPlay(&p), "You must open a channel before you can play a wave");
    MixerOpenChannel(s, 1, 0);
    EXPECT_MIXER_ERROR(MixerPlay(&p), "The specified channel was not open");
    p.channel = 8;
    EXPECT_MIXER_ERROR(MixerPlay(&p), "Invalid channel number");
    p.session = nullptr;
    EXPECT_MIXER_ERROR(MixerPlay(&p), "Invalid Session handle");
    MixerCloseSession(s);
}

// ---- mixing ----

TEST(MixerMixing, OverlappingRequestsAddAndClipAt0And255) {
    MixerRig rig;
    Bytes a = repeat(250, 100), b = repeat(250, 100);
    Bytes a2 = repeat(5, 100), b2 = repeat(5, 100);
    a.insert(a.end(), a2.begin(), a2.end());
    b.insert(b.end(), b2.begin(), b2.end());
    Bytes a3 = repeat(150, 100), b3 = repeat(100, 100);
    a.insert(a.end(), a3.begin(), a3.end());
    b.insert(b.end(), b3.begin(), b3.end());
    rig.play(0, rig.wave(a), 0, kPlayWait);  // both start together
    rig.play(1, rig.wave(b));
    rig.run(512);
    EXPECT_TRUE(all(rig.played(0, 100), 255));
    EXPECT_TRUE(all(rig.played(100, 100), 0));
    EXPECT_TRUE(all(rig.played(200, 100), 122));
    EXPECT_TRUE(all(rig.played(300, 212), 128));  // the rest of the block is silence
    EXPECT_EQ(rig.dev.written().size(), 1u);      // nothing more to mix
}

TEST(MixerMixing, QueuedPlayOnABusyChannelStartsWhenTheEarlierEnds) {
    MixerRig rig;
    Bytes a = ramp(2000), b = ramp(300, 90);
    rig.play(2, rig.wave(a));
    rig.play(2, rig.wave(b));
    rig.run(4000);
    EXPECT_EQ(rig.played(0, 2000), a);
    EXPECT_EQ(rig.played(2000, 300), b);
    EXPECT_EQ(MixerQueueLength(rig.s, 2), 0);  // both finished and left the channel
    EXPECT_EQ(MixerGetStatus(rig.s).freeRequests, kMixerRequestPool);
}

TEST(MixerMixing, LoopsPlayTheWaveLoopsPlusOneTimes) {
    MixerRig rig;
    Bytes a = ramp(100);
    rig.play(0, rig.wave(a), 2);
    rig.run(1000);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(rig.played(100 * i, 100), a);
    EXPECT_TRUE(all(rig.played(300, 212), 128));
}

TEST(MixerMixing, EndlessLoopStaysUntilFlushed) {
    MixerRig rig;
    Bytes a = ramp(100);
    rig.play(0, rig.wave(a), kLoopForever);
    rig.run(20000);
    EXPECT_EQ(rig.played(19900, 100), a);
    EXPECT_EQ(MixerQueueLength(rig.s, 0), 1);

    MixerFlushChannel(rig.s, 0, 0);
    EXPECT_EQ(MixerQueueLength(rig.s, 0), 0);
    EXPECT_EQ(rig.dev.queuedBlocks(), 0u);  // remixed: nothing is left at the device
    const size_t heard = rig.dev.played().size();
    rig.run(2000);
    EXPECT_EQ(rig.dev.played().size(), heard);
    EXPECT_EQ(MixerGetStatus(rig.s).freeRequests, kMixerRequestPool);
}

TEST(MixerMixing, FreeingAQueuedWaveSilencesItAtTheNextBlock) {
    MixerRig rig;
    MixWave* loud = rig.wave(repeat(200, 100));
    rig.play(0, loud, kLoopForever);
    rig.play(1, rig.wave(repeat(100, 64)), kLoopForever);
    rig.run(700);
    const size_t before = rig.dev.written().size();
    MixerFreeWave(rig.s, loud);
    EXPECT_EQ(MixerQueueLength(rig.s, 0), 0);
    rig.run(3000);
    const auto& blocks = rig.dev.written();
    ASSERT_GT(blocks.size(), before);
    EXPECT_TRUE(all(blocks[before - 1], 172));  // mixed before the free
    for (size_t i = before; i < blocks.size(); ++i) EXPECT_TRUE(all(blocks[i], 100));
    EXPECT_MIXER_ERROR(MixerFreeWave(rig.s, loud), "The given pointer was not valid");
}

TEST(MixerMixing, TheHundredthRequestFails) {
    MixerRig rig;
    MixWave* w = rig.wave(ramp(10));
    for (int i = 0; i < kMixerRequestPool; ++i) rig.play(i % 8, w);
    EXPECT_MIXER_ERROR(rig.play(0, w), "Not enough memory");
    rig.run(5000);  // all of them finish and return to the pool
    EXPECT_EQ(MixerGetStatus(rig.s).freeRequests, kMixerRequestPool);
    rig.play(0, w);
}

TEST(MixerMixing, ClosingAChannelStopsItsQueueWithoutARemix) {
    MixerRig rig;
    rig.play(0, rig.wave(repeat(200, 64)), kLoopForever);
    rig.play(1, rig.wave(repeat(60, 64)), kLoopForever);
    rig.play(1, rig.wave(ramp(64)));
    rig.run(700);
    const int resets = rig.dev.resets();
    const size_t queued = rig.dev.queuedBlocks();
    const size_t before = rig.dev.written().size();
    MixerCloseChannel(rig.s, 1, 0);
    EXPECT_EQ(rig.dev.resets(), resets);
    EXPECT_EQ(rig.dev.queuedBlocks(), queued);  // what the device holds still plays
    EXPECT_EQ(MixerGetStatus(rig.s).freeRequests, kMixerRequestPool - 1);
    rig.run(3000);
    const auto& blocks = rig.dev.written();
    EXPECT_TRUE(all(blocks[before - 1], 132));
    for (size_t i = before; i < blocks.size(); ++i) EXPECT_TRUE(all(blocks[i], 200));
}

TEST(MixerMixing, FlushingRemixesFromTheDevicePosition) {
    MixerRig rig;
    rig.play(0, rig.wave(repeat(200, 64)), kLoopForever, kPlayWait);
    rig.play(1, rig.wave(repeat(60, 64)), kLoopForever);
    rig.run(700);
    MixerFlushChannel(rig.s, 1, 0);
    EXPECT_EQ(rig.dev.resets(), 1);
    rig.run(1000);
    EXPECT_TRUE(all(rig.played(0, 700), 132));
    EXPECT_TRUE(all(rig.played(700, 1000), 200));  // channel 1 gone at once

    MixerFlushChannel(rig.s, 0, kFlushAll | kFlushNoRemix);
    EXPECT_EQ(rig.dev.resets(), 1);
    // A channel with nothing to drop is not remixed.
    MixerFlushChannel(rig.s, 2, 0);
    EXPECT_EQ(rig.dev.resets(), 1);
}

TEST(MixerMixing, HighPriorityStartsAtTheDevicePosition) {
    MixerRig rig;
    rig.play(0, rig.wave(repeat(200, 64)), kLoopForever);
    rig.run(700);
    rig.play(1, rig.wave(repeat(60, 100)), 0, kPlayHighPriority);
    rig.run(1000);
    EXPECT_TRUE(all(rig.played(0, 700), 200));
    EXPECT_TRUE(all(rig.played(700, 100), 132));
    EXPECT_TRUE(all(rig.played(800, 900), 200));
}

TEST(MixerMixing, ClearingTheQueueReplacesWhatTheChannelPlays) {
    MixerRig rig;
    rig.play(0, rig.wave(repeat(200, 64)), kLoopForever);
    rig.play(0, rig.wave(repeat(30, 64)));
    rig.run(700);
    rig.play(0, rig.wave(repeat(90, 100)), 0, kPlayClearQueue);
    EXPECT_EQ(MixerQueueLength(rig.s, 0), 1);
    rig.run(1000);
    EXPECT_TRUE(all(rig.played(0, 700), 200));
    EXPECT_TRUE(all(rig.played(700, 100), 90));       // heard next, the old queue dropped
    EXPECT_EQ(rig.dev.played().size(), 800u + 412u);  // and then one block's silence
}

TEST(MixerMixing, AdjustingRemixMovesALateRequestToTheMixPosition) {
    MixerRig rig("[default]\nGoodWavePos=1\nWaveBlockLen=512\nWaveBlocks=3\nRemix=2\n");
    rig.play(0, rig.wave(repeat(200, 64)), kLoopForever);
    rig.run(700);
    const int64_t mixed = MixerGetStatus(rig.s).mixPosition;
    rig.play(1, rig.wave(repeat(60, 100)), 0, kPlayHighPriority);
    EXPECT_EQ(rig.dev.resets(), 0);
    rig.run(3000);
    EXPECT_TRUE(all(rig.played(0, size_t(mixed)), 200));
    EXPECT_TRUE(all(rig.played(size_t(mixed), 100), 132));
}

TEST(MixerMixing, LeastRecentlyUsedChannel) {
    MixerRig rig;
    MixWave* w = rig.wave(repeat(100, 64));
    for (int c = 4; c < 8; ++c) MixerCloseChannel(rig.s, c, 0);
    MixPlayParams p;
    p.session = rig.s;
    p.wave = w;
    p.loops = kLoopForever;
    p.flags = kPlayLeastRecent;
    MixerPlay(&p);
    EXPECT_EQ(p.channel, 0);  // channel 0 idle
    for (int c : {2, 1, 3}) rig.play(c, w, kLoopForever);
    MixerPlay(&p);
    EXPECT_EQ(p.channel, 0);  // all busy: 0 was used longest ago
    MixerPlay(&p);
    EXPECT_EQ(p.channel, 2);
}

TEST(MixerMixing, NotifyTellsWhenARequestHasFinished) {
    MixerRig rig;
    MixWave* w = rig.wave(ramp(300));
    std::vector<std::pair<int, MixWave*>> heard;
    size_t heardAt = 0;
    rig.play(3, w, 0, 0, [&](int c, MixWave* x) {
        heard.emplace_back(c, x);
        heardAt = rig.dev.played().size();
    });
    rig.run(256);
    EXPECT_TRUE(heard.empty());
    rig.run(512);
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0], std::make_pair(3, w));
    // Requests leave their channel when a block is done, not at every pump.
    EXPECT_EQ(heardAt, 512u);
}

TEST(MixerMixing, WaitingRequestsOfClosedChannelsOrFreedWavesAreDropped) {
    MixerRig rig;
    MixWave* a = rig.wave(repeat(50, 64));
    MixWave* b = rig.wave(repeat(70, 64));
    rig.play(4, a, 0, kPlayWait);
    rig.play(5, b, 0, kPlayWait);
    MixerCloseChannel(rig.s, 4, 0);
    MixerFreeWave(rig.s, b);
    EXPECT_EQ(MixerGetStatus(rig.s).freeRequests, kMixerRequestPool - 1);
    rig.play(0, rig.wave(repeat(140, 64)));
    rig.run(512);
    EXPECT_TRUE(all(rig.played(0, 64), 140));  // heard alone
    EXPECT_EQ(MixerGetStatus(rig.s).freeRequests, kMixerRequestPool);
}

TEST(MixerMixing, DeactivationKeepsTheQueuesAndResumesWhereItStopped) {
    MixerRig rig;
    Bytes a = ramp(1000);
    rig.play(0, rig.wave(a), kLoopForever);
    rig.run(700);
    MixerActivate(rig.s, false);
    EXPECT_FALSE(rig.dev.isOpen());
    EXPECT_EQ(MixerQueueLength(rig.s, 0), 1);
    MixerActivate(rig.s, true);
    MixerActivate(rig.s, true);  // again: no effect
    rig.run(1300);
    EXPECT_EQ(rig.played(0, 1000), a);
    EXPECT_EQ(rig.played(1000, 1000), a);
}

TEST(MixerMixing, AFailedWriteIsReportedAndTheBlockReused) {
    MixerRig rig;
    MixWave* w = rig.wave(repeat(99, 64));
    rig.dev.failWrites(5);
    EXPECT_MIXER_ERROR(rig.play(0, w), "Failed to write block to device");
    EXPECT_EQ(MixerGetStatus(rig.s).blocksAtDevice, 0);
    rig.dev.failWrites(0);
    rig.play(1, w);
    rig.run(2048);
    EXPECT_TRUE(std::find(rig.dev.played().begin(), rig.dev.played().end(), 99) !=
                rig.dev.played().end());
}

TEST(MixerPosition, ClockBasedPositionRoundsToWholeFramesInStereo) {
    RecordingWaveOut dev;
    IniFile empty;
    int64_t clock = 5000;
    MixerConfig stereo{10, kConfigChannels, 2, 11};
    HMixSession s = MixerInit({&dev, [&] { return clock; }, &empty}, &stereo);
    MixerActivate(s, true);
    MixerOpenChannel(s, 0, 0);
    Bytes image = makeWav(pcm(1, 11025, 8), repeat(1, 9000));
    MixPlayParams p;
    p.session = s;
    p.wave = MixerOpenWaveMemory(s, image.data(), image.size());
    MixerPlay(&p);  // the stream clock restarts at 0 here
    clock += 20;
    EXPECT_EQ(MixerCurrentPosition(s), 440);  // 20 ms * 22050 / 1000 = 441, made even
    clock += 1000;
    EXPECT_EQ(MixerCurrentPosition(s), 22490);
    MixerCloseSession(s);

    // In mono every byte is a frame: nothing is rounded.
    s = MixerInit({&dev, [&] { return clock; }, &empty});
    MixerActivate(s, true);
    MixerOpenChannel(s, 0, 0);
    p.session = s;
    p.wave = MixerOpenWaveMemory(s, image.data(), image.size());
    MixerPlay(&p);
    clock += 1;
    EXPECT_EQ(MixerCurrentPosition(s), 11);
    MixerCloseSession(s);
}

// ---- wave sources ----

TEST(MixerWaves, FileMemoryAndEmbeddedSources) {
    MixerRig rig;
    const std::string path = std::string(KOTOU_TEST_OUTPUT) + "/a-rather-long-wave-name.wav";
    Bytes image = makeWav(pcm(1, 22050, 16), le16s({0, 0, 0x4000, 0x4000}));
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(image.data()), std::streamsize(image.size()));
    MixWave* f = MixerOpenWaveFile(rig.s, path);
    EXPECT_EQ(f->samples, (Bytes{128, 192}));
    EXPECT_EQ(f->length, 2u);
    EXPECT_EQ(f->sourceFormat, pcm(1, 22050, 16));
    EXPECT_STREQ(f->name, "a-rather-long-w");
    EXPECT_MIXER_ERROR(MixerOpenWaveFile(rig.s, "/nonexistent/x.wav"),
                       "Failed to open wave file /nonexistent/x.wav");

    MixWave* byName = MixerOpenWaveResource(rig.s, mixerTestWaves(), "pairs");
    EXPECT_EQ(byName->samples, (Bytes{128, 192, 64, 255}));
    EXPECT_STREQ(byName->name, "pairs");
    MixWave* byNumber = MixerOpenWaveResource(rig.s, mixerTestWaves(), 1);
    EXPECT_EQ(byNumber->length, 16u);
    EXPECT_EQ(byNumber->samples[1], 104);
    EXPECT_STREQ(byNumber->name, "res#1");
    EXPECT_MIXER_ERROR(MixerOpenWaveResource(rig.s, mixerTestWaves(), "NOPE"),
                       "Failed to open \"WAVE\" resource NOPE");
    EXPECT_MIXER_ERROR(MixerOpenWaveResource(rig.s, mixerTestWaves(), 9),
                       "Failed to open \"WAVE\" resource 9");
    EXPECT_MIXER_ERROR(MixerOpenWaveMemory(rig.s, nullptr, 10),
                       "Failed to open memory file, mmioOpen error=1.\rMay need to make sure "
                       "memory is read-write");
    Bytes notWave(40, 0);
    EXPECT_MIXER_ERROR(MixerOpenWaveMemory(rig.s, notWave.data(), notWave.size()),
                       "This is not a WAVE file");
    EXPECT_MIXER_ERROR(MixerFreeWave(rig.s, nullptr), "The given pointer was not valid");
}

TEST(MixerWaves, RefusedWhenTheDeviceCannotPlayTheOutputFormat) {
    RecordingWaveOut::Setup setup;
    setup.formatSupported = false;
    MixerRig rig("", setup);
    EXPECT_MIXER_ERROR(rig.wave({1, 2}), "The waveform device can\xB4t play this format");
}

}  // namespace
}  // namespace kotou::test
