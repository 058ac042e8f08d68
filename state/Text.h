#pragma once
// Text helpers. Strings are UTF-8 inside the program; the files and the byte
// counts of messages use code page 932 (Shift-JIS).

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kotou {

// Text that cannot be converted (not valid UTF-8, or a character code page
// 932 cannot hold, or bytes that are not valid code page 932).
class TextError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// UTF-8 -> code page 932 bytes. Throws TextError naming the offending character.
std::string toCp932(std::string_view utf8);
// Code page 932 bytes -> UTF-8. Throws TextError at invalid bytes.
std::string fromCp932(std::string_view cp932);

// Length of the text in code page 932 bytes.
size_t cp932Length(std::string_view utf8);

// The UTF-8 text of the first n code page 932 bytes of the text. A two-byte
// character is included only when both of its bytes are within the n.
std::string cp932Prefix(std::string_view utf8, size_t n);

// The lines of a text, without their line ends (LF or CR LF). A text that
// ends with a line end has no empty last line; an empty text has no lines.
std::vector<std::string_view> splitLines(std::string_view text);

// The text without blanks and tabs at either end.
std::string_view trimBlanks(std::string_view s);

// Decimal text of an integer, as the messages show numbers.
inline std::string num(long long v) {
    return std::to_string(v);
}

}  // namespace kotou
