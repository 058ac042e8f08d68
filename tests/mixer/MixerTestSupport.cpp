#include "MixerTestSupport.h"

#include <cstdlib>
#include <filesystem>

namespace kotou::test {

namespace {
// The tests never read or write the user's real settings folder.
const bool kSettingsFolderIsolated = [] {
    const std::string dir = std::string(KOTOU_TEST_OUTPUT) + "/mixer-config-default";
    std::filesystem::create_directories(dir);
    return setenv("XDG_CONFIG_HOME", dir.c_str(), 1) == 0;
}();

void put32(Bytes& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(uint8_t(v >> (8 * i)));
}
void put16(Bytes& b, uint16_t v) {
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}
}  // namespace

PcmFormat pcm(int channels, uint32_t rate, int bits) {
    PcmFormat f;
    f.channels = uint16_t(channels);
    f.samplesPerSec = rate;
    f.bitsPerSample = uint16_t(bits);
    f.blockAlign = uint16_t(channels * bits / 8);
    f.avgBytesPerSec = rate * f.blockAlign;
    return f;
}

Bytes fmtBody(const PcmFormat& f) {
    Bytes b;
    put16(b, f.formatTag);
    put16(b, f.channels);
    put32(b, f.samplesPerSec);
    put32(b, f.avgBytesPerSec);
    put16(b, f.blockAlign);
    put16(b, f.bitsPerSample);
    return b;
}

Bytes chunk(const char* id, const Bytes& body, int64_t sizeField) {
    Bytes b(id, id + 4);
    put32(b, uint32_t(sizeField < 0 ? body.size() : uint64_t(sizeField)));
    b.insert(b.end(), body.begin(), body.end());
    if (body.size() % 2) b.push_back(0);
    return b;
}

Bytes riff(const Bytes& body, const char* form, int64_t sizeField) {
    Bytes inner(form, form + 4);
    inner.insert(inner.end(), body.begin(), body.end());
    Bytes b{'R', 'I', 'F', 'F'};
    put32(b, uint32_t(sizeField < 0 ? inner.size() : uint64_t(sizeField)));
    b.insert(b.end(), inner.begin(), inner.end());
    return b;
}

Bytes makeWav(const PcmFormat& format, const Bytes& data) {
    Bytes body = chunk("fmt ", fmtBody(format));
    Bytes d = chunk("data", data);
    body.insert(body.end(), d.begin(), d.end());
    return riff(body);
}

Bytes le16s(const std::vector<int16_t>& samples) {
    Bytes b;
    for (int16_t s : samples) put16(b, uint16_t(s));
    return b;
}

Bytes repeat(uint8_t value, size_t n) {
    return Bytes(n, value);
}

MixerRig::MixerRig(const std::string& ini, RecordingWaveOut::Setup setup)
    : dev(*new RecordingWaveOut(std::move(setup))), owned(&dev), settings(IniFile::parse(ini)) {
    MixerEnvironment env;
    env.device = &dev;
    env.settings = &settings;
    env.clockMs = [this] { return clock; };
    s = MixerInit(env);
    MixerOpenChannel(s, 0, kOpenAll);
    MixerActivate(s, true);
}

MixerRig::~MixerRig() {
    if (s) MixerCloseSession(s);
}

MixWave* MixerRig::wave(const Bytes& samples) {
    Bytes image = makeWav(pcm(1, 11025, 8), samples);
    return MixerOpenWaveMemory(s, image.data(), image.size());
}

void MixerRig::play(int channel, MixWave* w, uint16_t loops, uint32_t flags, MixNotify notify) {
    MixPlayParams p;
    p.session = s;
    p.channel = channel;
    p.wave = w;
    p.loops = loops;
    p.flags = flags;
    p.notify = std::move(notify);
    MixerPlay(&p);
}

void MixerRig::run(size_t bytes) {
    while (bytes > 0) {
        const size_t n = dev.play(std::min<size_t>(bytes, 128));
        MixerPump(s);
        if (n == 0) break;  // the device ran dry
        bytes -= n;
    }
}

Bytes MixerRig::played(size_t from, size_t n) const {
    const Bytes& p = dev.played();
    if (from >= p.size()) return {};
    return Bytes(p.begin() + long(from), p.begin() + long(std::min(p.size(), from + n)));
}

}  // namespace kotou::test
