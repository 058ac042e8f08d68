#include "mixer/MixSession.h"

#include <strings.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>
#include <vector>

namespace kotou {

namespace {

constexpr uint32_t kSessionTag = 21554;
constexpr int64_t kNever = INT64_MAX;

// A play request. Stream positions are in bytes; `end` is the position just
// after the last byte played (kNever for endless loops).
struct PlayRequest {
    PlayRequest* next = nullptr;
    MixPlayParams params;
    MixWave* wave = nullptr;
    uint32_t length = 0;
    int64_t start = 0;
    int64_t end = 0;
    const uint8_t* data = nullptr;
};

struct OutputBlock {
    WaveBuffer buffer;
    bool free = true;
    OutputBlock* nextAtDevice = nullptr;
    uint8_t samples[kMixerMaxBlockLength];
};

// Shared with the device's thread: whether a block-done signal came since
// the last pump, and the owner's hook.
struct BlockSignal {
    std::atomic<bool> pending{false};
    std::mutex mutex;
    std::function<void()> hook;
};

struct Notification {
    MixNotify notify;
    int channel;
    MixWave* wave;
};

MixSession* g_session = nullptr;      // the one session of the process
MixSession* g_deviceOwner = nullptr;  // the session holding the device

[[noreturn]] void fail(const std::string& message) {
    throw EMixerError(message);
}

int64_t steadyMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

struct MixSession {
    uint32_t tag = kSessionTag;
    WaveOutDevice* device = nullptr;
    std::function<int64_t()> clock;
    bool activated = false;
    int deviceId = 0;
    std::string deviceName;
    PlayRequest* queues[kMixerChannels] = {};
    bool open[kMixerChannels] = {};
    int openCount = 0;
    uint32_t lastUse[kMixerChannels] = {};
    uint32_t useCounter = 0;
    PcmFormat format = kDefaultOutputFormat;
    uint32_t blockLength = 0;
    int blocksInUse = 3;
    int64_t mixPos = 0;
    int64_t timeOrigin = 0;
    bool goodWavePos = false;
    int64_t positionOffset = 0;
    bool adjustingRemix = false;
    PlayRequest* pendingHead = nullptr;
    PlayRequest pool[kMixerRequestPool];
    PlayRequest* freeList = nullptr;
    std::unique_ptr<OutputBlock[]> blocks;
    OutputBlock* deviceHead = nullptr;
    OutputBlock* deviceTail = nullptr;
    std::shared_ptr<BlockSignal> signal = std::make_shared<BlockSignal>();
    std::vector<MixWave*> waves;
    std::vector<Notification> notifications;
    int debug = 0;
    uint32_t tag2 = kSessionTag;
};

namespace {

MixSession& validate(HMixSession h) {
    if (!h || h != g_session || h->tag != kSessionTag || h->tag2 != kSessionTag)
        fail("Invalid Session handle");
    return *h;
}

// ---- request pool and queues ----

PlayRequest* takeRequest(MixSession& s) {
    PlayRequest* r = s.freeList;
    if (!r) return nullptr;
    s.freeList = r->next;
    r->next = nullptr;
    return r;
}

void releaseRequest(MixSession& s, PlayRequest* r) {
    *r = PlayRequest{};
    r->next = s.freeList;
    s.freeList = r;
}

// Returns every request of the list to the pool; true if there was any.
bool releaseAll(MixSession& s, PlayRequest*& head) {
    bool any = head != nullptr;
    while (head) {
        PlayRequest* next = head->next;
        releaseRequest(s, head);
        head = next;
    }
    return any;
}

// Returns to the pool the requests of the list for which `drop` holds.
template <typename Pred>
void releaseIf(MixSession& s, PlayRequest*& head, Pred drop) {
    for (PlayRequest** link = &head; *link;) {
        PlayRequest* r = *link;
        if (drop(r)) {
            *link = r->next;
            releaseRequest(s, r);
        } else {
            link = &r->next;
        }
    }
}

PlayRequest* lastOf(PlayRequest* head) {
    while (head && head->next) head = head->next;
    return head;
}

bool allChannelsIdle(const MixSession& s) {
    for (int c = 0; c < kMixerChannels; ++c)
        if (s.open[c] && s.queues[c]) return false;
    return true;
}

// Requests whose last byte the device has played leave their channel; their
// notify targets hear of it at the end of the next pump.
void reapFinished(MixSession& s, int64_t position) {
    for (int c = 0; c < kMixerChannels; ++c) {
        if (!s.open[c]) continue;
        releaseIf(s, s.queues[c], [&](PlayRequest* r) {
            if (r->end > position) return false;
            if (r->params.notify) s.notifications.push_back({r->params.notify, c, r->wave});
            return true;
        });
    }
}

// ---- positions ----

int64_t currentPosition(MixSession& s) {
    if (s.goodWavePos) return int64_t(s.device->position()) + s.positionOffset;
    int64_t ms = std::max<int64_t>(0, s.clock() - s.timeOrigin);
    int64_t pos = ms * s.format.avgBytesPerSec / 1000;
    if (s.format.blockAlign >= 2) pos &= ~int64_t(1);
    return pos;
}

void setPosition(MixSession& s, int64_t q) {
    if (s.goodWavePos)
        s.positionOffset = q - int64_t(s.device->position());
    else
        s.timeOrigin = s.clock() - q * 1000 / s.format.avgBytesPerSec;
    s.mixPos = q;
}

// ---- mixing ----

// out[i] = 128 + sum(src[k][i] - 128), clamped to 0..255, for `n` bytes
// (at most kRun) from `at`, in three passes over a 16-bit accumulator: the
// first source, each further source added, the clamp. Each pass is a
// function whose arguments are declared not to overlap, so that the compiler
// vectorises all three at -O2 for the full runs of kRun bytes (GCC 12: 16
// bytes per step), not only the clamp; a shorter last run goes byte by byte.
constexpr size_t kRun = 256;

inline void widen(int16_t* __restrict acc, const uint8_t* __restrict s, int16_t bias, size_t n) {
    for (size_t i = 0; i < n; ++i) acc[i] = int16_t(s[i] - bias);
}

inline void addInto(int16_t* __restrict acc, const uint8_t* __restrict s, size_t n) {
    for (size_t i = 0; i < n; ++i) acc[i] = int16_t(acc[i] + s[i]);
}

inline void clampInto(uint8_t* __restrict out, const int16_t* __restrict acc, size_t n) {
    for (size_t i = 0; i < n; ++i) {
        const int v = acc[i];
        out[i] = uint8_t(v < 0 ? 0 : (v > 255 ? 255 : v));
    }
}

inline void mixRun(uint8_t* out, const uint8_t* const* src, int count, size_t at, size_t n) {
    int16_t acc[kRun];
    widen(acc, src[0] + at, int16_t(128 * (count - 1)), n);
    for (int k = 1; k < count; ++k) addInto(acc, src[k] + at, n);
    clampInto(out + at, acc, n);
}

void mixSpan(uint8_t* out, const uint8_t* const* src, int count, size_t len) {
    if (count == 1) {
        std::memcpy(out, src[0], len);
        return;
    }
    size_t at = 0;
    for (; at + kRun <= len; at += kRun) mixRun(out, src, count, at, kRun);
    if (at < len) mixRun(out, src, count, at, len - at);
}

// Mixes the block of the stream that starts at the mix position into `out`.
// Returns false (and leaves the mix position) when no channel has anything
// at or after that position.
bool mixInto(MixSession& s, uint8_t* out) {
    const int64_t first = s.mixPos;
    const int64_t blockEnd = first + s.blockLength;
    PlayRequest* set[kMixerChannels];
    int n = 0;
    for (int c = 0; c < kMixerChannels; ++c) {
        if (!s.open[c]) continue;
        PlayRequest* r = s.queues[c];
        while (r && r->end <= first) r = r->next;
        if (r) set[n++] = r;
    }
    if (n == 0) return false;

    int64_t a = first;
    while (a < blockEnd) {
        if (n == 0) {
            std::memset(out + (a - first), 128, size_t(blockEnd - a));
            break;
        }
        int64_t earliest = kNever;
        for (int i = 0; i < n; ++i) earliest = std::min(earliest, set[i]->start);
        if (a < earliest) {
            const int64_t e = std::min(earliest, blockEnd);
            std::memset(out + (a - first), 128, size_t(e - a));
            a = e;
            continue;
        }
        int64_t spanEnd = blockEnd;
        const uint8_t* src[kMixerChannels];
        int m = 0;
        for (int i = 0; i < n; ++i) {
            const PlayRequest* r = set[i];
            if (r->start > a) {
                spanEnd = std::min(spanEnd, r->start);
                continue;
            }
            spanEnd = std::min(spanEnd, r->end);
            const int64_t offset = (a - r->start) % r->length;  // loops wrap around
            spanEnd = std::min(spanEnd, a + (r->length - offset));
            src[m++] = r->data + offset;
        }
        mixSpan(out + (a - first), src, m, size_t(spanEnd - a));
        a = spanEnd;
        int kept = 0;
        for (int i = 0; i < n; ++i) {
            PlayRequest* r = set[i];
            while (r && r->end <= a) r = r->next;
            if (r) set[kept++] = r;
        }
        n = kept;
    }
    s.mixPos = blockEnd;
    return true;
}

void unlinkFromDevice(MixSession& s, OutputBlock* b) {
    OutputBlock* prev = nullptr;
    for (OutputBlock* x = s.deviceHead; x; prev = x, x = x->nextAtDevice) {
        if (x != b) continue;
        (prev ? prev->nextAtDevice : s.deviceHead) = x->nextAtDevice;
        if (s.deviceTail == x) s.deviceTail = prev;
        x->nextAtDevice = nullptr;
        return;
    }
}

void writeBlock(MixSession& s, OutputBlock& b) {
    b.buffer.done.store(false);
    b.nextAtDevice = nullptr;
    (s.deviceTail ? s.deviceTail->nextAtDevice : s.deviceHead) = &b;
    s.deviceTail = &b;
    if (s.device->write(b.buffer) != 0) {
        unlinkFromDevice(s, &b);
        b.free = true;
        fail("Failed to write block to device");
    }
}

bool mixBlock(MixSession& s, OutputBlock& b, bool write) {
    if (!mixInto(s, b.samples)) {
        b.free = true;
        return false;
    }
    b.free = false;
    b.buffer.length = s.blockLength;
    if (write) writeBlock(s, b);
    return true;
}

void fillBlocks(MixSession& s) {
    for (int i = 0; i < s.blocksInUse; ++i) {
        OutputBlock& b = s.blocks[i];
        if (b.free && !mixBlock(s, b, true)) break;
    }
}

// Takes every block back from the device; the device lets go of them first.
void takeBackBlocks(MixSession& s) {
    s.device->reset();
    while (OutputBlock* b = s.deviceHead) {
        s.deviceHead = b->nextAtDevice;
        b->nextAtDevice = nullptr;
        b->free = true;
    }
    s.deviceTail = nullptr;
}

void handleBlockDone(MixSession& s) {
    for (OutputBlock* b = s.deviceHead; b;) {
        OutputBlock* next = b->nextAtDevice;
        if (b->buffer.done.load()) {
            unlinkFromDevice(s, b);
            b->free = true;
        }
        b = next;
    }
    reapFinished(s, currentPosition(s));
    fillBlocks(s);
}

// Drops everything queued at the device and mixes the stream again from
// `from` with the queues as they are now. The device goes on from where it
// is, so the position is re-anchored there: stream position `from` is what
// plays next, and the ends of requests stay in step with what is heard.
void fullRemix(MixSession& s, int64_t from) {
    takeBackBlocks(s);
    setPosition(s, from);
    OutputBlock* filled[kMixerMaxBlocks];
    int count = 0;
    for (int i = 0; i < s.blocksInUse; ++i) {
        if (!mixBlock(s, s.blocks[i], false)) break;
        filled[count++] = &s.blocks[i];
    }
    s.device->pause();
    int written = 0;
    try {
        for (; written < count; ++written) writeBlock(s, *filled[written]);
    } catch (const EMixerError&) {
        for (int i = written; i < count; ++i) filled[i]->free = true;
        s.device->restart();
        throw;
    }
    s.device->restart();
}

// Moves a request that would start in the already mixed past to the mix
// position, then carries on as after a block-done signal.
void adjustingRemix(MixSession& s, PlayRequest* r) {
    if (r->start < s.mixPos) {
        const int64_t delta = s.mixPos - r->start;
        r->start += delta;
        if (r->end != kNever) r->end += delta;
    }
    handleBlockDone(s);
}

void startPending(MixSession& s) {
    int64_t p = currentPosition(s);
    if (!s.deviceHead) {
        // The device has run dry: whatever has finished leaves its channel,
        // and the stream restarts at 0 when nothing is left, or else carries
        // on from now rather than from a mix position in the past.
        reapFinished(s, p);
        if (allChannelsIdle(s)) {
            setPosition(s, 0);
            p = 0;
        } else if (s.mixPos < p) {
            s.mixPos = p;
        }
    }

    bool remix = false;
    PlayRequest* last = nullptr;
    while (PlayRequest* r = s.pendingHead) {
        s.pendingHead = r->next;
        r->next = nullptr;
        const int c = r->params.channel;
        if (!s.open[c]) {  // closed while the request waited
            releaseRequest(s, r);
            continue;
        }
        const uint32_t flags = r->params.flags;
        const bool now = flags & kPlayHighPriority;
        if (flags & kPlayClearQueue) {
            releaseAll(s, s.queues[c]);
            s.queues[c] = r;
            r->start = now ? p : s.mixPos;
            if (s.deviceHead) remix = true;
        } else {
            PlayRequest* tail = lastOf(s.queues[c]);
            // Behind the channel's last request; a request the device has
            // played to its end may still be queued (requests leave their
            // channel at the next block-done signal), and a start in the past
            // would make the remix play again what was already heard.
            if (!tail)
                r->start = now ? p : s.mixPos;
            else
                r->start = std::max(tail->end, now ? p : s.mixPos);
            (tail ? tail->next : s.queues[c]) = r;
            if (r->start < s.mixPos) remix = true;
        }
        if (r->params.loops == kLoopForever || r->start == kNever)
            r->end = kNever;
        else
            r->end = r->start + (int64_t(r->params.loops) + 1) * r->length;
        last = r;
    }
    if (!last) return;

    if (remix) {
        if (s.adjustingRemix)
            adjustingRemix(s, last);
        else
            fullRemix(s, last->start);
    } else if (!s.deviceHead) {
        s.device->pause();
        try {
            fillBlocks(s);
        } catch (const EMixerError&) {
            s.device->restart();
            throw;
        }
        s.device->restart();
    } else {
        fillBlocks(s);
    }
}

bool ownsWave(const MixSession& s, const MixWave* w) {
    return w && std::find(s.waves.begin(), s.waves.end(), w) != s.waves.end();
}

// ---- wave sources ----

class FileSource : public ByteSource {
  public:
    explicit FileSource(std::FILE* f) : f_(f) {
        if (std::fseek(f_, 0, SEEK_END) == 0) {
            long n = std::ftell(f_);
            size_ = n < 0 ? 0 : uint64_t(n);
        }
    }
    ~FileSource() override { std::fclose(f_); }
    uint64_t size() const override { return size_; }
    bool read(uint64_t offset, void* dst, size_t n) override {
        if (offset > size_ || n > size_ - offset) return false;
        if (std::fseek(f_, long(offset), SEEK_SET) != 0) return false;
        return std::fread(dst, 1, n, f_) == n;
    }

  private:
    std::FILE* f_;
    uint64_t size_ = 0;
};

MixWave* addWave(MixSession& s, ByteSource& source, const std::string& name) {
    auto wave = std::make_unique<MixWave>();
    wave->samples = loadWaveSamples(source, s.format, &wave->sourceFormat);
    wave->length = uint32_t(wave->samples.size());
    std::strncpy(wave->name, name.c_str(), sizeof wave->name - 1);
    s.waves.push_back(wave.get());
    return wave.release();
}

MixSession& sessionForWave(HMixSession h) {
    MixSession& s = validate(h);
    if (!s.device->supportsFormat(s.deviceId, s.format))
        fail("The waveform device can\xB4t play this format");
    return s;
}

MixWave* openResource(MixSession& s, const WaveResource& r, const std::string& name) {
    if (!r.data || r.size == 0)
        fail(
            "Failed to open resource, mmioOpen error= 1.\rMay need to make sure resource is "
            "marked read-write");
    MemorySource source(r.data, r.size);
    return addWave(s, source, name);
}

}  // namespace

// ---- session life ----

HMixSession MixerInit(const MixerEnvironment& env, const MixerConfig* config) {
    if (g_session) fail("Session already initialized");
    IniFile loaded;
    if (!env.settings) {
        const std::string folder = userSettingsFolder();
        if (!folder.empty()) loaded = IniFile::load(folder + "/MIXER.INI");
    }
    const IniFile& ini = env.settings ? *env.settings : loaded;
    if (config && config->size != 10) config = nullptr;

    const int devices = env.device ? env.device->deviceCount() : 0;
    if (devices <= 0) fail("No wave output devices available");

    std::unique_ptr<MixSession> s(new (std::nothrow) MixSession);
    if (!s) fail(kMsgNoMemory);
    s->device = env.device;
    s->clock = env.clockMs ? env.clockMs : steadyMs;
    s->debug = ini.readInt("general", "debug", 0);
    for (int i = 0; i < kMixerRequestPool; ++i) {
        s->pool[i].next = s->freeList;
        s->freeList = &s->pool[i];
    }

    const int defRemix = ini.readInt("default", "Remix", 1);
    const int defGoodPos = ini.readInt("default", "GoodWavePos", 0);
    const int defBlocks = ini.readInt("default", "WaveBlocks", 3);
    const int defBlockLen = ini.readInt("default", "WaveBlockLen", 0) & ~3;
    const int defRate = ini.readInt("default", "SamplesPerSec", 11);

    s->deviceId = ini.readInt("general", "WaveOutDevice", 0);
    if (s->deviceId >= devices || s->deviceId < 0) s->deviceId = -1;
    WaveOutCaps caps;
    if (!env.device->capabilities(s->deviceId, caps))
        caps = WaveOutCaps{"Unknown Device", 1, false};
    s->deviceName = caps.name.substr(0, 31);
    const std::string& name = s->deviceName;

    if (caps.synchronous)
        fail(name + " is a syncronous (blocking) " +
             "wave output device.  This will not permit audio to play while other " +
             "applications are running");
    if (ini.readInt("not compatible", name, 0) != 0)
        fail(name + " is not compatible with " + "the realtime mixer");

    s->adjustingRemix = ini.readInt(name, "Remix", defRemix) == 2;
    s->goodWavePos = ini.readInt(name, "GoodWavePos", defGoodPos) == 1;
    s->blocksInUse = std::clamp(ini.readInt(name, "WaveBlocks", defBlocks), 2, kMixerMaxBlocks);

    if (config && (config->flags & kConfigChannels) && config->channels > 1 && caps.channels > 1) {
        s->format.channels = 2;
        s->format.blockAlign = 2;
    }
    const int rateCode = config && (config->flags & kConfigRate)
                             ? config->rate
                             : ini.readInt(name, "SamplesPerSec", defRate);
    s->format.samplesPerSec = rateCode == 22 ? 22050 : rateCode == 44 ? 44100 : 11025;
    s->format.avgBytesPerSec = s->format.blockAlign * s->format.samplesPerSec;

    int len = ini.readInt(name, "WaveBlockLen", defBlockLen);
    if (len == 0) len = defBlockLen;
    if (len != 0)
        len = std::clamp(len, 512, int(kMixerMaxBlockLength));
    else
        len = std::min<int>((s->format.samplesPerSec / 11025) * 2048, kMixerMaxBlockLength);
    s->blockLength = uint32_t(len) & ~3u;  // whole frames, also in stereo

    g_session = s.release();
    return g_session;
}

void MixerActivate(HMixSession h, bool on) {
    MixSession& s = validate(h);
    if (on) {
        if (g_deviceOwner && g_deviceOwner != &s)
            fail("Resource is already allocated to a process");
        if (s.activated) return;
        std::unique_ptr<OutputBlock[]> blocks(new (std::nothrow) OutputBlock[kMixerMaxBlocks]);
        if (!blocks) fail(kMsgNoMemory);
        for (int i = 0; i < kMixerMaxBlocks; ++i) blocks[i].buffer.data = blocks[i].samples;
        std::shared_ptr<BlockSignal> signal = s.signal;
        const int err = s.device->open(s.deviceId, s.format, [signal] {
            signal->pending.store(true);
            std::lock_guard<std::mutex> lock(signal->mutex);
            if (signal->hook) signal->hook();
        });
        if (err != 0) fail("Failed to open waveform output device #" + std::to_string(err));
        s.blocks = std::move(blocks);
        s.activated = true;
        g_deviceOwner = &s;
        setPosition(s, s.mixPos);
        fillBlocks(s);
    } else {
        if (!s.activated) return;
        s.mixPos = currentPosition(s);
        takeBackBlocks(s);
        s.device->close();
        s.blocks.reset();
        s.activated = false;
        s.signal->pending.store(false);
        if (g_deviceOwner == &s) g_deviceOwner = nullptr;
    }
}

void MixerCloseSession(HMixSession h) {
    MixSession& s = validate(h);
    MixerActivate(h, false);
    for (int c = 0; c < kMixerChannels; ++c) {
        releaseAll(s, s.queues[c]);
        s.open[c] = false;
    }
    releaseAll(s, s.pendingHead);
    for (MixWave* w : s.waves) delete w;
    s.tag = s.tag2 = 0;
    g_session = nullptr;
    delete &s;
}

// ---- channels ----

void MixerOpenChannel(HMixSession h, int channel, uint32_t flags) {
    MixSession& s = validate(h);
    if (flags >= 3) fail("Invalid Flags");
    int from = channel, to = channel;
    if (flags == 0) {
        if (channel < 0 || channel >= kMixerChannels) fail("Invalid channel number");
        if (s.open[channel]) fail("The channel has already been opened");
    } else if (flags == kOpenAll) {
        from = 0;
        to = kMixerChannels - 1;
    } else {
        if (channel < 1 || channel > kMixerChannels) fail("Invalid number of channels");
        from = 0;
        to = channel - 1;
    }
    for (int c = from; c <= to; ++c) {
        if (s.open[c]) continue;
        s.open[c] = true;
        s.queues[c] = nullptr;
        ++s.openCount;
    }
}

void MixerFlushChannel(HMixSession h, int channel, uint32_t flags) {
    MixSession& s = validate(h);
    bool dropped = false;
    if (flags & kFlushAll) {
        for (int c = 0; c < kMixerChannels; ++c)
            if (s.open[c]) dropped |= releaseAll(s, s.queues[c]);
    } else {
        if (channel < 0 || channel >= kMixerChannels) fail("Invalid channel number");
        if (!s.open[channel]) fail("The specified channel was not open");
        dropped = releaseAll(s, s.queues[channel]);
    }
    if (dropped && s.activated && !(flags & kFlushNoRemix)) fullRemix(s, currentPosition(s));
}

void MixerCloseChannel(HMixSession h, int channel, uint32_t flags) {
    MixSession& s = validate(h);
    if (flags & kCloseAll) {
        MixerFlushChannel(h, 0, kFlushAll | kFlushNoRemix);
        for (int c = 0; c < kMixerChannels; ++c) s.open[c] = false;
        s.openCount = 0;
        return;
    }
    MixerFlushChannel(h, channel, kFlushNoRemix);
    s.open[channel] = false;
    --s.openCount;
}

// ---- playing ----

void MixerPlay(MixPlayParams* params) {
    if (!params) fail("nil parameters pointer passed to MixerPlay");
    MixSession& s = validate(params->session);
    if (!params->wave) fail("nil wave pointer passed to MixerPlay!");
    if (!s.activated) fail("Wave device not allocated, call MixerActivate(hMixSession,TRUE)");
    if (s.openCount == 0) fail("You must open a channel before you can play a wave");
    if (!ownsWave(s, params->wave)) fail("The given pointer was not valid");

    int c = params->channel;
    if (params->flags & kPlayLeastRecent) {
        // The first idle open channel, else the one used longest ago.
        c = 0;
        while (!s.open[c]) ++c;
        for (int i = 0; i < kMixerChannels; ++i) {
            if (!s.open[i]) continue;
            if (!s.queues[c]) break;
            if (s.lastUse[i] < s.lastUse[c]) c = i;
        }
        params->channel = c;
    } else if (c < 0 || c >= kMixerChannels) {
        fail("Invalid channel number");
    }
    if (!s.open[c]) fail("The specified channel was not open");
    PlayRequest* r = takeRequest(s);
    if (!r) fail("Not enough memory");
    s.lastUse[c] = ++s.useCounter;
    r->params = *params;
    r->params.channel = c;
    r->wave = params->wave;
    r->length = params->wave->length;
    r->data = params->wave->samples.data();
    (s.pendingHead ? lastOf(s.pendingHead)->next : s.pendingHead) = r;
    if (params->flags & kPlayWait) return;
    startPending(s);
}

// ---- waves ----

MixWave* MixerOpenWaveFile(HMixSession h, const std::string& path) {
    MixSession& s = sessionForWave(h);
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) fail("Failed to open wave file " + path);
    FileSource source(f);
    const size_t slash = path.find_last_of("/\\");
    return addWave(s, source, slash == std::string::npos ? path : path.substr(slash + 1));
}

MixWave* MixerOpenWaveMemory(HMixSession h, const void* data, size_t size) {
    MixSession& s = sessionForWave(h);
    if (!data || size == 0)
        fail(
            "Failed to open memory file, mmioOpen error=1.\rMay need to make sure memory is "
            "read-write");
    MemorySource source(data, size);
    return addWave(s, source, "");
}

MixWave* MixerOpenWaveResource(HMixSession h, const WaveResourceModule& module,
                               const std::string& name) {
    MixSession& s = sessionForWave(h);
    for (size_t i = 0; i < module.count; ++i)
        if (strcasecmp(module.entries[i].name, name.c_str()) == 0)
            return openResource(s, module.entries[i], name);
    fail("Failed to open \"WAVE\" resource " + name);
}

MixWave* MixerOpenWaveResource(HMixSession h, const WaveResourceModule& module, int number) {
    MixSession& s = sessionForWave(h);
    for (size_t i = 0; i < module.count; ++i)
        if (module.entries[i].number == number)
            return openResource(s, module.entries[i], "res#" + std::to_string(number));
    fail("Failed to open \"WAVE\" resource " + std::to_string(number));
}

void MixerFreeWave(HMixSession h, MixWave* wave) {
    MixSession& s = validate(h);
    if (!ownsWave(s, wave)) fail("The given pointer was not valid");
    auto playsIt = [wave](PlayRequest* r) { return r->wave == wave; };
    for (int c = 0; c < kMixerChannels; ++c) releaseIf(s, s.queues[c], playsIt);
    releaseIf(s, s.pendingHead, playsIt);
    s.waves.erase(std::find(s.waves.begin(), s.waves.end(), wave));
    delete wave;
}

// ---- block-done signals ----

void MixerSetBlockDoneHook(HMixSession h, std::function<void()> hook) {
    MixSession& s = validate(h);
    std::lock_guard<std::mutex> lock(s.signal->mutex);
    s.signal->hook = std::move(hook);
}

void MixerPump(HMixSession h) {
    MixSession& s = validate(h);
    if (s.signal->pending.exchange(false) && s.activated) handleBlockDone(s);
    if (s.activated && !s.deviceHead) s.device->idle();
    if (s.notifications.empty()) return;
    std::vector<Notification> due;
    due.swap(s.notifications);
    for (Notification& n : due) n.notify(n.channel, n.wave);
}

// ---- views ----

MixerStatus MixerGetStatus(HMixSession h) {
    MixSession& s = validate(h);
    MixerStatus st;
    st.format = s.format;
    st.blockLength = s.blockLength;
    st.blocksInUse = s.blocksInUse;
    st.activated = s.activated;
    st.adjustingRemix = s.adjustingRemix;
    st.goodWavePos = s.goodWavePos;
    st.deviceId = s.deviceId;
    st.deviceName = s.deviceName;
    st.openChannels = s.openCount;
    for (PlayRequest* r = s.freeList; r; r = r->next) ++st.freeRequests;
    for (OutputBlock* b = s.deviceHead; b; b = b->nextAtDevice) ++st.blocksAtDevice;
    st.mixPosition = s.mixPos;
    return st;
}

bool MixerChannelOpen(HMixSession h, int channel) {
    MixSession& s = validate(h);
    return channel >= 0 && channel < kMixerChannels && s.open[channel];
}

int MixerQueueLength(HMixSession h, int channel) {
    MixSession& s = validate(h);
    if (channel < 0 || channel >= kMixerChannels || !s.open[channel]) return 0;
    int n = 0;
    for (PlayRequest* r = s.queues[channel]; r; r = r->next) ++n;
    return n;
}

bool MixerWaveInUse(HMixSession h, const MixWave* wave) {
    MixSession& s = validate(h);
    for (int c = 0; c < kMixerChannels; ++c)
        for (PlayRequest* r = s.queues[c]; r; r = r->next)
            if (r->wave == wave) return true;
    for (PlayRequest* r = s.pendingHead; r; r = r->next)
        if (r->wave == wave) return true;
    return false;
}

int64_t MixerCurrentPosition(HMixSession h) {
    MixSession& s = validate(h);
    return s.activated ? currentPosition(s) : s.mixPos;
}

bool MixerMixInto(HMixSession h, uint8_t* out) {
    return mixInto(validate(h), out);
}

}  // namespace kotou
