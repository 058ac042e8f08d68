#include "state/Text.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <memory>

namespace kotou {
namespace {

struct IconvCloser {
    void operator()(void* cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};

std::string convert(std::string_view in, const char* to, const char* from) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw TextError(std::string("text conversion ") + from + " -> " + to + " is not available");
    std::unique_ptr<void, IconvCloser> guard(cd);
    std::string out;
    out.resize(in.size() * 2 + 8);
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    char* dst = out.data();
    size_t dstLeft = out.size();
    while (srcLeft > 0) {
        if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) == static_cast<size_t>(-1)) {
            if (errno == E2BIG) {
                const size_t used = static_cast<size_t>(dst - out.data());
                out.resize(out.size() * 2);
                dst = out.data() + used;
                dstLeft = out.size() - used;
                continue;
            }
            const size_t at = in.size() - srcLeft;
            std::string what = errno == EILSEQ ? "cannot be represented" : "is incomplete";
            throw TextError("text at byte " + std::to_string(at) + " " + what + " in " + to +
                            " (from " + from + ")");
        }
    }
    out.resize(static_cast<size_t>(dst - out.data()));
    return out;
}

// Decodes one UTF-8 sequence at i; returns its code point and advances i.
// Invalid bytes are taken as one byte each (code point U+FFFD).
char32_t nextCodePoint(std::string_view s, size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    size_t len = b0 < 0x80           ? 1
                 : (b0 >> 5) == 0x6  ? 2
                 : (b0 >> 4) == 0xE  ? 3
                 : (b0 >> 3) == 0x1E ? 4
                                     : 0;
    if (len == 0 || i + len > s.size()) {
        ++i;
        return 0xFFFD;
    }
    char32_t cp = len == 1 ? b0 : len == 2 ? (b0 & 0x1F) : len == 3 ? (b0 & 0x0F) : (b0 & 0x07);
    for (size_t k = 1; k < len; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    i += len;
    return cp;
}

// Bytes of one character in code page 932: ASCII and half-width katakana
// take one byte, everything else two.
size_t cp932Width(char32_t cp) {
    return (cp < 0x80 || (cp >= 0xFF61 && cp <= 0xFF9F)) ? 1 : 2;
}

}  // namespace

std::string toCp932(std::string_view utf8) {
    return convert(utf8, "CP932", "UTF-8");
}
std::string fromCp932(std::string_view cp932) {
    return convert(cp932, "UTF-8", "CP932");
}

size_t cp932Length(std::string_view utf8) {
    size_t n = 0;
    for (size_t i = 0; i < utf8.size();) n += cp932Width(nextCodePoint(utf8, i));
    return n;
}

std::string cp932Prefix(std::string_view utf8, size_t n) {
    size_t bytes = 0;
    size_t i = 0;
    while (i < utf8.size()) {
        size_t next = i;
        const size_t w = cp932Width(nextCodePoint(utf8, next));
        if (bytes + w > n) break;
        bytes += w;
        i = next;
    }
    return std::string(utf8.substr(0, i));
}

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const size_t nl = text.find('\n');
        std::string_view line = text.substr(0, nl);
        text.remove_prefix(nl == std::string_view::npos ? text.size() : nl + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
    }
    return lines;
}

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

}  // namespace kotou
