#pragma once
// Readers for the generated file formats, written independently of the
// generator so that the tests check the files the way a loader sees them.

#include <jpeglib.h>

#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <vector>

namespace kotou::assets::testing {

namespace fs = std::filesystem;

inline std::vector<uint8_t> readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline uint32_t le16(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | (b[at + 1] << 8);
}
inline uint32_t le32(const std::vector<uint8_t>& b, size_t at) {
    return le16(b, at) | (le16(b, at + 2) << 16);
}
inline uint32_t be32(const std::vector<uint8_t>& b, size_t at) {
    return (uint32_t{b[at]} << 24) | (b[at + 1] << 16) | (b[at + 2] << 8) | b[at + 3];
}
inline bool tagAt(const std::vector<uint8_t>& b, size_t at, const char* tag) {
    return b.size() >= at + 4 && std::equal(tag, tag + 4, b.begin() + static_cast<long>(at));
}

struct JpegInfo {
    bool ok = false;
    int width = 0, height = 0, components = 0;
    std::vector<uint8_t> pixels;
};

struct JpegError {
    jpeg_error_mgr base;
    jmp_buf jump;
};

inline void onJpegError(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<JpegError*>(cinfo->err)->jump, 1);
}

// Decodes a whole JPEG with libjpeg, as the game's picture loader does.
inline JpegInfo decodeJpeg(const std::vector<uint8_t>& data) {
    JpegInfo info;
    jpeg_decompress_struct cinfo{};
    JpegError err{};
    cinfo.err = jpeg_std_error(&err.base);
    err.base.error_exit = onJpegError;
    if (setjmp(err.jump) != 0) {
        jpeg_destroy_decompress(&cinfo);
        info.ok = false;
        return info;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, data.data(), static_cast<unsigned long>(data.size()));
    jpeg_read_header(&cinfo, TRUE);
    jpeg_start_decompress(&cinfo);
    info.width = static_cast<int>(cinfo.output_width);
    info.height = static_cast<int>(cinfo.output_height);
    info.components = cinfo.output_components;
    info.pixels.resize(static_cast<size_t>(info.width) * info.height * info.components);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = info.pixels.data() +
                       static_cast<size_t>(cinfo.output_scanline) * info.width * info.components;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    info.ok = true;
    return info;
}

struct WaveInfo {
    bool ok = false;
    int format = 0, channels = 0, rate = 0, bits = 0, blockAlign = 0;
    uint32_t byteRate = 0;
    std::vector<uint8_t> data;
};

// Walks the RIFF chunks the way the mixer's loader does: "WAVE" form, a
// 16-byte "fmt " chunk, then a "data" chunk.
inline WaveInfo parseWave(const std::vector<uint8_t>& b) {
    WaveInfo w;
    if (b.size() < 12 || !tagAt(b, 0, "RIFF") || !tagAt(b, 8, "WAVE")) return w;
    if (le32(b, 4) + 8 != b.size()) return w;
    bool haveFmt = false;
    size_t at = 12;
    while (at + 8 <= b.size()) {
        const uint32_t size = le32(b, at + 4);
        if (at + 8 + size > b.size()) return w;
        if (tagAt(b, at, "fmt ") && size >= 16) {
            w.format = static_cast<int>(le16(b, at + 8));
            w.channels = static_cast<int>(le16(b, at + 10));
            w.rate = static_cast<int>(le32(b, at + 12));
            w.byteRate = le32(b, at + 16);
            w.blockAlign = static_cast<int>(le16(b, at + 20));
            w.bits = static_cast<int>(le16(b, at + 22));
            haveFmt = true;
        } else if (tagAt(b, at, "data") && haveFmt) {
            w.data.assign(b.begin() + static_cast<long>(at + 8),
                          b.begin() + static_cast<long>(at + 8 + size));
            w.ok = true;
            return w;
        }
        at += 8 + size + (size & 1);
    }
    return w;
}

// Sample values scaled to -1..1, all channels interleaved.
inline std::vector<double> samples(const WaveInfo& w) {
    std::vector<double> out;
    if (w.bits == 8) {
        for (uint8_t v : w.data) out.push_back((v - 128) / 128.0);
    } else {
        for (size_t i = 0; i + 1 < w.data.size(); i += 2)
            out.push_back(static_cast<int16_t>(w.data[i] | (w.data[i + 1] << 8)) / 32768.0);
    }
    return out;
}

struct MidiInfo {
    bool ok = false;
    int format = -1, tracks = 0, division = 0;
    int noteOns = 0, programChanges = 0, tempos = 0;
    bool balanced = false;   // every note-on is matched by a note-off
    uint32_t usPerBeat = 0;  // the first tempo
    int beatsPerBar = 0;     // the first time signature
    int drumNotes = 0;       // note-ons on channel 10
    uint32_t lastTick = 0;   // the latest event time of any track
};

inline uint32_t readVarLen(const std::vector<uint8_t>& b, size_t& at, size_t end, bool& ok) {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
        if (at >= end) {
            ok = false;
            return 0;
        }
        const uint8_t c = b[at++];
        v = (v << 7) | (c & 0x7F);
        if (!(c & 0x80)) return v;
    }
    ok = false;
    return 0;
}

// Reads a Standard MIDI File event by event (with running status).
inline MidiInfo parseMidi(const std::vector<uint8_t>& b) {
    MidiInfo m;
    if (b.size() < 14 || !tagAt(b, 0, "MThd") || be32(b, 4) != 6) return m;
    m.format = (b[8] << 8) | b[9];
    const int declared = (b[10] << 8) | b[11];
    m.division = (b[12] << 8) | b[13];
    std::map<int, int> open;
    size_t at = 14;
    bool ok = true;
    while (at + 8 <= b.size() && ok) {
        if (!tagAt(b, at, "MTrk")) return m;
        const size_t end = at + 8 + be32(b, at + 4);
        if (end > b.size()) return m;
        ++m.tracks;
        size_t p = at + 8;
        uint8_t status = 0;
        bool ended = false;
        uint32_t tick = 0;
        while (p < end && ok && !ended) {
            tick += readVarLen(b, p, end, ok);
            m.lastTick = std::max(m.lastTick, tick);
            if (!ok || p >= end) break;
            if (b[p] & 0x80) status = b[p++];
            if (status == 0xFF) {
                const uint8_t type = b[p++];
                const uint32_t len = readVarLen(b, p, end, ok);
                if (type == 0x51 && p + 3 <= end) {
                    if (m.tempos++ == 0) m.usPerBeat = (b[p] << 16) | (b[p + 1] << 8) | b[p + 2];
                }
                if (type == 0x58 && m.beatsPerBar == 0 && p < end) m.beatsPerBar = b[p];
                if (type == 0x2F) ended = true;
                p += len;
            } else if (status == 0xF0 || status == 0xF7) {
                p += readVarLen(b, p, end, ok);
            } else {
                const int kind = status & 0xF0;
                const int channel = status & 0x0F;
                const int dataBytes = (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
                if (p + dataBytes > end) {
                    ok = false;
                    break;
                }
                if (kind == 0xC0) ++m.programChanges;
                const int key = channel * 128 + b[p];
                if (kind == 0x90 && b[p + 1] > 0) {
                    ++m.noteOns;
                    if (channel == 9) ++m.drumNotes;
                    ++open[key];
                } else if (kind == 0x80 || (kind == 0x90 && b[p + 1] == 0)) {
                    --open[key];
                }
                p += dataBytes;
            }
        }
        if (!ended || p != end) return m;
        at = end;
    }
    m.balanced = std::all_of(open.begin(), open.end(), [](auto& kv) { return kv.second == 0; });
    m.ok = ok && at == b.size() && m.tracks == declared;
    return m;
}

}  // namespace kotou::assets::testing
