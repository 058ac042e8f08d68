#include "mixer/Wave.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

#include "mixer/MixerError.h"

namespace kotou {

bool MemorySource::read(uint64_t offset, void* dst, size_t n) {
    if (offset > size_ || n > size_ - offset) return false;
    if (n > 0) std::memcpy(dst, data_ + offset, n);
    return true;
}

namespace {

uint32_t le32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
uint16_t le16(const uint8_t* p) {
    return uint16_t(p[0] | p[1] << 8);
}

struct Chunk {
    uint64_t dataOffset = 0;  // first byte after the 8-byte header
    uint32_t size = 0;
};

// Offset of the chunk that follows a chunk (chunks are padded to even sizes).
uint64_t nextChunk(const Chunk& c) {
    return c.dataOffset + c.size + (c.size & 1u);
}

// Looks for a chunk with id `id` among the chunks from `pos` up to `end`.
bool findChunk(ByteSource& src, uint64_t pos, uint64_t end, const char* id, Chunk& found) {
    uint8_t header[8];
    while (pos + 8 <= end && src.read(pos, header, 8)) {
        Chunk c{pos + 8, le32(header + 4)};
        if (std::memcmp(header, id, 4) == 0) {
            found = c;
            return true;
        }
        pos = nextChunk(c);
    }
    return false;
}

}  // namespace

RawWave readRiffWave(ByteSource& src) {
    const uint64_t fileSize = src.size();

    // The RIFF chunk of form type WAVE, among the top-level chunks. A RIFF
    // size beyond the end of the source (as streaming writers leave it) is
    // cut to the source.
    uint64_t riffStart = 0, riffEnd = 0;
    bool isWave = false;
    uint8_t header[12];
    for (uint64_t pos = 0; pos + 12 <= fileSize && src.read(pos, header, 12);) {
        Chunk c{pos + 8, le32(header + 4)};
        if (std::memcmp(header, "RIFF", 4) == 0 && std::memcmp(header + 8, "WAVE", 4) == 0) {
            riffStart = pos + 12;
            riffEnd = std::min<uint64_t>(c.dataOffset + c.size, fileSize);
            isWave = true;
            break;
        }
        pos = nextChunk(c);
    }
    if (!isWave) throw EMixerError("This is not a WAVE file");

    Chunk fmt;
    if (!findChunk(src, riffStart, riffEnd, "fmt ", fmt))
        throw EMixerError("WAVE file is corrupted");
    uint8_t f[16];
    // A chunk shorter than the record would make the read run into the next
    // chunk: treat it as a short read.
    if (fmt.size < 16 || !src.read(fmt.dataOffset, f, 16))
        throw EMixerError("Failed to read format chunk");
    RawWave wave;
    wave.format.formatTag = le16(f);
    wave.format.channels = le16(f + 2);
    wave.format.samplesPerSec = le32(f + 4);
    wave.format.avgBytesPerSec = le32(f + 8);
    wave.format.blockAlign = le16(f + 12);
    wave.format.bitsPerSample = le16(f + 14);
    if (wave.format.formatTag != 1) throw EMixerError("The file is not a PCM file");

    Chunk data;
    if (!findChunk(src, nextChunk(fmt), riffEnd, "data", data))
        throw EMixerError("WAVE file has no data chunk");
    if (data.size == 0) throw EMixerError("The data chunk has no data");
    // Check the claimed size against the source before allocating for it.
    if (data.dataOffset > fileSize || data.size > fileSize - data.dataOffset)
        throw EMixerError("Failed to read data chunk");
    if (data.size > kMaxWaveDataBytes) throw EMixerError(kMsgNoMemory);
    wave.data.resize(data.size);
    if (!src.read(data.dataOffset, wave.data.data(), data.size))
        throw EMixerError("Failed to read data chunk");
    return wave;
}

namespace {

// Sample values at the output sample size: unsigned 8-bit centred on 128 or
// signed 16-bit centred on 0.
template <typename T>
constexpr int kCentre = std::is_same_v<T, uint8_t> ? 128 : 0;

template <typename T>
std::vector<T> decodeSamples(const uint8_t* in, size_t samples, int fromBits) {
    std::vector<T> out(samples);
    for (size_t i = 0; i < samples; ++i) {
        if (fromBits == 16) {
            int16_t s = int16_t(le16(in + 2 * i));
            if constexpr (std::is_same_v<T, uint8_t>)
                out[i] = uint8_t(int8_t(uint16_t(s) >> 8) + 128);  // high byte, signed, + 128
            else
                out[i] = s;
        } else {
            if constexpr (std::is_same_v<T, uint8_t>)
                out[i] = in[i];
            else
                out[i] = int16_t((int(in[i]) - 128) * 256);
        }
    }
    return out;
}

template <typename T>
std::vector<T> convertChannels(const std::vector<T>& in, int from, int to) {
    if (from == to) return in;
    if (from == 1) {  // mono -> stereo: duplicate
        std::vector<T> out(in.size() * 2);
        for (size_t i = 0; i < in.size(); ++i) out[2 * i] = out[2 * i + 1] = in[i];
        return out;
    }
    std::vector<T> out(in.size() / 2);  // stereo -> mono: mean rounded down
    for (size_t i = 0; i < out.size(); ++i) {
        int sum = int(in[2 * i]) + int(in[2 * i + 1]);
        out[i] = T(sum >> 1);  // arithmetic shift = floor, also for negatives
    }
    return out;
}

template <typename T>
std::vector<T> convertRate(const std::vector<T>& in, int ch, uint32_t from, uint32_t to) {
    const size_t frames = in.size() / ch;
    if (from < to) {
        const uint32_t f = to / from;  // integer factor: 8000 -> 11025 gives 1
        if (f == 1) return in;
        std::vector<T> out(frames * f * ch);
        size_t o = 0;
        for (size_t i = 0; i < frames; ++i) {
            for (uint32_t k = 0; k < f; ++k) {
                for (int c = 0; c < ch; ++c) {
                    const int cur = in[i * ch + c];
                    if (i + 1 == frames) {
                        out[o + k * ch + c] = T(cur);
                    } else {
                        const int step = (int(in[(i + 1) * ch + c]) - cur) / int(f);
                        out[o + k * ch + c] = T(cur + step * int(k));
                    }
                }
            }
            o += size_t(f) * ch;
        }
        return out;
    }
    if (from > to) {
        const uint32_t q = (from + to / 2) / to;  // 22050 -> 11025 gives 2, 44100 -> 4
        const size_t outFrames = frames / q;
        std::vector<T> out(outFrames * ch);
        for (size_t j = 0; j < outFrames; ++j) {
            for (int c = 0; c < ch; ++c) {
                if (j + 1 == outFrames) {
                    out[j * ch + c] = in[j * q * ch + c];
                    continue;
                }
                int sum = 0;
                for (uint32_t k = 0; k < q; ++k) sum += int(in[(j * q + k) * ch + c]) - kCentre<T>;
                out[j * ch + c] = T(sum / int(q) + kCentre<T>);
            }
        }
        return out;
    }
    return in;
}

template <typename T>
std::vector<uint8_t> convertAs(const uint8_t* data, size_t samples, const PcmFormat& from,
                               const PcmFormat& to) {
    std::vector<T> s = decodeSamples<T>(data, samples, from.bitsPerSample);
    s = convertChannels(s, from.channels, to.channels);
    s = convertRate(s, to.channels, from.samplesPerSec, to.samplesPerSec);
    if constexpr (std::is_same_v<T, uint8_t>) {
        return s;
    } else {
        std::vector<uint8_t> out(s.size() * 2);
        for (size_t i = 0; i < s.size(); ++i) {
            out[2 * i] = uint8_t(uint16_t(s[i]) & 0xFF);
            out[2 * i + 1] = uint8_t(uint16_t(s[i]) >> 8);
        }
        return out;
    }
}

bool supportedLayout(const PcmFormat& f) {
    return (f.bitsPerSample == 8 || f.bitsPerSample == 16) && (f.channels == 1 || f.channels == 2);
}

}  // namespace

std::vector<uint8_t> convertSamples(const uint8_t* data, size_t length, const PcmFormat& from,
                                    const PcmFormat& to) {
    constexpr uint32_t kMaxRate = 1'000'000;
    if (!supportedLayout(from) || !supportedLayout(to) || from.samplesPerSec == 0 ||
        from.samplesPerSec > kMaxRate || to.samplesPerSec == 0 || to.samplesPerSec > kMaxRate)
        throw EMixerError("File format not supported");

    // Whole frames only, so that stereo data never ends half-way in a frame.
    const size_t fromFrame = size_t(from.channels) * (from.bitsPerSample / 8);
    const uint64_t frames = length / fromFrame;
    uint64_t outFrames = frames;
    if (from.samplesPerSec < to.samplesPerSec)
        outFrames = frames * (to.samplesPerSec / from.samplesPerSec);
    else if (from.samplesPerSec > to.samplesPerSec)
        outFrames = frames / ((from.samplesPerSec + to.samplesPerSec / 2) / to.samplesPerSec);
    const uint64_t outBytes = outFrames * to.channels * (to.bitsPerSample / 8);
    if (outBytes == 0 || outBytes > kMaxConvertedBytes)
        throw EMixerError("Failed to convert wave format");

    const size_t samples = size_t(frames) * from.channels;
    if (to.bitsPerSample == 8) return convertAs<uint8_t>(data, samples, from, to);
    return convertAs<int16_t>(data, samples, from, to);
}

std::vector<uint8_t> loadWaveSamples(ByteSource& source, const PcmFormat& output,
                                     PcmFormat* sourceFormat) {
    RawWave raw = readRiffWave(source);
    if (sourceFormat) *sourceFormat = raw.format;
    return convertSamples(raw.data.data(), raw.data.size(), raw.format, output);
}

}  // namespace kotou
