#include "state/SaveFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <limits>

#include "state/RecordsFile.h"
#include "state/Text.h"

namespace kotou {
namespace {

namespace fs = std::filesystem;

std::string at(const std::string& label, int line) {
    return label + " line " + std::to_string(line) + ": ";
}

// A token from a file, shown in an error message: UTF-8 when it is valid code
// page 932 without control characters, otherwise with every byte outside
// printable ASCII as \xNN; cut short when long.
std::string quote(std::string_view bytes) {
    constexpr size_t kShown = 40;
    const bool cut = bytes.size() > kShown;
    if (cut) bytes = bytes.substr(0, kShown);
    auto isControl = [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; };
    std::string shown;
    try {
        shown = fromCp932(bytes);
    } catch (const TextError&) {
        shown.clear();
    }
    if (shown.empty() || std::any_of(shown.begin(), shown.end(), isControl)) {
        static constexpr char kHex[] = "0123456789abcdef";
        shown.clear();
        for (char c : bytes) {
            const auto b = static_cast<unsigned char>(c);
            if (b >= 0x20 && b < 0x7F) {
                shown += c;
            } else {
                shown += "\\x";
                shown += kHex[b >> 4];
                shown += kHex[b & 0xF];
            }
        }
    }
    return "'" + shown + (cut ? "...'" : "'");
}

bool isLineBreak(char c) {
    return c == '\r' || c == '\n';
}
bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
// The end of a number: a blank or any control character.
bool endsNumber(char c) {
    const auto b = static_cast<unsigned char>(c);
    return b <= 0x20 || b == 0x7F;
}

// Decimal integer with an optional sign; nullopt-like flag for bad text.
enum class NumberResult { kOk, kNotANumber, kOutOfRange };
NumberResult parseInt32(std::string_view t, int32_t& out) {
    size_t i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == '-' || t[i] == '+')) negative = t[i++] == '-';
    if (i == t.size()) return NumberResult::kNotANumber;
    int64_t v = 0;
    for (; i < t.size(); ++i) {
        if (t[i] < '0' || t[i] > '9') return NumberResult::kNotANumber;
        // Beyond 32 bits the value only has to stay out of range, not grow.
        if (v <= std::numeric_limits<uint32_t>::max()) v = v * 10 + (t[i] - '0');
    }
    if (negative) v = -v;
    if (v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max())
        return NumberResult::kOutOfRange;
    out = static_cast<int32_t>(v);
    return NumberResult::kOk;
}

// Walks the bytes of a save file line by line. Every line the reader enters
// is measured once, so an overlong line is refused before it is used.
class Reader {
  public:
    Reader(std::string_view bytes, const std::string& label) : b_(bytes), label_(label) {
        enterLine();
    }

    bool atEnd() const { return pos_ >= b_.size(); }
    int line() const { return line_; }

    // Skips blanks and line breaks; false when the file ends first.
    bool skipToToken() {
        while (!atEnd()) {
            if (isLineBreak(b_[pos_]))
                takeLineBreak();
            else if (isBlank(b_[pos_]))
                ++pos_;
            else
                return true;
        }
        return false;
    }

    // The number's text up to the first blank or control character. A control
    // character where the number should start is taken as the token, so the
    // error message shows it.
    std::string_view token() {
        const size_t start = pos_;
        while (!atEnd() && !endsNumber(b_[pos_])) ++pos_;
        if (pos_ == start && !atEnd()) ++pos_;
        return b_.substr(start, pos_ - start);
    }

    // The rest of the current line; the reader moves to the next line.
    std::string_view restOfLine() {
        const size_t start = pos_;
        while (!atEnd() && !isLineBreak(b_[pos_])) ++pos_;
        const std::string_view rest = b_.substr(start, pos_ - start);
        if (!atEnd()) takeLineBreak();
        return rest;
    }

  private:
    void takeLineBreak() {
        if (b_[pos_] == '\r' && pos_ + 1 < b_.size() && b_[pos_ + 1] == '\n') ++pos_;
        ++pos_;
        ++line_;
        enterLine();
    }

    void enterLine() {
        size_t end = pos_;
        while (end < b_.size() && !isLineBreak(b_[end])) ++end;
        if (end - pos_ > kMaxSaveLineBytes)
            throw SaveError(at(label_, line_) + "the line is longer than " +
                            std::to_string(kMaxSaveLineBytes) + " bytes");
    }

    std::string_view b_;
    const std::string& label_;
    size_t pos_ = 0;
    int line_ = 1;
};

class ParseVisitor {
  public:
    ParseVisitor(Reader& r, const std::string& label,
                 std::array<SaveValueSource, kSaveLineCount>& sources)
        : r_(r), label_(label), sources_(sources) {}

    void integer(const std::string&, int32_t& value) {
        SaveValueSource& src = next();
        if (!r_.skipToToken()) {
            value = 0;
            src.missing = true;
            return;
        }
        src.line = r_.line();
        const std::string_view tok = r_.token();
        switch (parseInt32(tok, value)) {
            case NumberResult::kOk:
                break;
            case NumberResult::kNotANumber:
                throw SaveError(at(label_, src.line) + quote(tok) + " is not a number");
            case NumberResult::kOutOfRange:
                throw SaveError(at(label_, src.line) + quote(tok) +
                                " is out of the range of a 32-bit integer");
        }
        r_.restOfLine();
    }

    void text(const std::string&, std::string& value) {
        SaveValueSource& src = next();
        if (r_.atEnd()) {
            value.clear();
            src.missing = true;
            return;
        }
        src.line = r_.line();
        const std::string_view raw = r_.restOfLine();
        try {
            value = fromCp932(raw);
        } catch (const TextError&) {
            throw SaveError(at(label_, src.line) + "the text is not valid code page 932");
        }
    }

  private:
    SaveValueSource& next() {
        SaveValueSource& src = sources_[index_];
        ++index_;
        // A value past the end of the file is reported at its place in the
        // table, which is where the player would look for it.
        src.line = static_cast<int>(index_);
        return src;
    }

    Reader& r_;
    const std::string& label_;
    std::array<SaveValueSource, kSaveLineCount>& sources_;
    size_t index_ = 0;
};

class FormatVisitor {
  public:
    explicit FormatVisitor(const std::string& label) : label_(label) {}

    void integer(const std::string&, int32_t value) { addLine(std::to_string(value)); }

    void text(const std::string& name, const std::string& value) {
        const int line = line_ + 1;
        if (value.find_first_of("\r\n") != std::string::npos)
            throw SaveError(at(label_, line) + name + " contains a line break");
        std::string bytes;
        try {
            bytes = toCp932(value);
        } catch (const TextError&) {
            throw SaveError(at(label_, line) + name +
                            " has a character that code page 932 cannot hold");
        }
        if (bytes.size() > kMaxSaveLineBytes)
            throw SaveError(at(label_, line) + name + " is longer than " +
                            std::to_string(kMaxSaveLineBytes) + " bytes");
        addLine(bytes);
    }

    std::string take() { return std::move(out_); }

  private:
    void addLine(const std::string& bytes) {
        out_ += bytes;
        out_ += "\r\n";
        ++line_;
    }

    const std::string& label_;
    std::string out_;
    int line_ = 0;
};

struct NameCollector {
    std::vector<std::string>& names;
    void integer(const std::string& name, const int32_t&) { names.push_back(name); }
    void text(const std::string& name, const std::string&) { names.push_back(name); }
};

// The place of currentCharacter in the table (its line less one).
size_t currentCharacterIndex() {
    const auto& names = saveValueNames();
    return static_cast<size_t>(std::find(names.begin(), names.end(), "currentCharacter") -
                               names.begin());
}

}  // namespace

const std::vector<std::string>& saveValueNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> out;
        const GameState s;
        visitSaved(s, NameCollector{out});
        return out;
    }();
    return names;
}

std::string formatSave(const GameState& s, const std::string& label) {
    FormatVisitor v(label);
    visitSaved(s, v);
    return v.take();
}

std::array<SaveValueSource, kSaveLineCount> parseSave(std::string_view bytes, GameState& into,
                                                      const std::string& label) {
    std::array<SaveValueSource, kSaveLineCount> sources{};
    Reader reader(bytes, label);
    ParseVisitor v(reader, label, sources);
    visitSaved(into, v);
    return sources;
}

bool isPlayableState(const GameState& s) {
    return GameState::isCharacterIndex(s.currentCharacter);
}

GameState loadSaveImage(std::string_view bytes, const GameState& base, const std::string& label) {
    GameState next = base;
    const auto sources = parseSave(bytes, next, label);
    // A file whose current character is not 1..4 is refused: the game would
    // have to pick some character's turn to continue, and every command works
    // on the current character. All other values are kept as read.
    if (!isPlayableState(next)) {
        const SaveValueSource& src = sources[currentCharacterIndex()];
        throw SaveError(at(label, src.line) + "current character " +
                        std::to_string(next.currentCharacter) + " is not 1..4" +
                        (src.missing ? " (the file ends before it)" : ""));
    }
    return next;
}

std::string readSaveBytes(const fs::path& file, const std::string& label) {
    std::error_code ec;
    const fs::file_status st = fs::status(file, ec);
    // Only a missing file or folder is "does not exist"; a folder the player
    // may not enter is a different failure and is named as such.
    if (ec && ec != std::errc::no_such_file_or_directory && ec != std::errc::not_a_directory)
        throw SaveError(label + ": cannot open the file: " + ec.message());
    if (!fs::exists(st)) throw SaveError(label + ": the file does not exist");
    if (!fs::is_regular_file(st)) throw SaveError(label + ": not a regular file");
    std::ifstream in(file, std::ios::binary);
    if (!in) throw SaveError(label + ": cannot open the file: " + std::strerror(errno));
    std::string bytes;
    char buf[64 * 1024];
    while (in.read(buf, sizeof buf) || in.gcount() > 0) {
        bytes.append(buf, static_cast<size_t>(in.gcount()));
        if (bytes.size() > kMaxSaveFileBytes)
            throw SaveError(label + ": the file is larger than " +
                            std::to_string(kMaxSaveFileBytes >> 20) + " MiB");
    }
    if (in.bad()) throw SaveError(label + ": cannot read the file");
    return bytes;
}

fs::path saveFilePath(const fs::path& baseDir) {
    return baseDir / "dat" / "my.dat";
}

fs::path backupFilePath(const fs::path& saveFile) {
    return fs::path(saveFile.string() + ".bak");
}

bool keepPreviousSave(const fs::path& saveFile, std::string& error) {
    std::error_code ec;
    if (!fs::exists(saveFile, ec)) return true;
    const std::string label = saveFile.filename().string() + ".bak";
    try {
        replaceFile(backupFilePath(saveFile), readSaveBytes(saveFile, kSaveFileLabel), label);
    } catch (const SaveError& e) {
        error = e.what();
        return false;
    }
    return true;
}

void saveGame(const GameState& s, const fs::path& baseDir, const std::string& pointText) {
    // Both images are built before anything is written, so a text that cannot
    // be stored leaves both files as they were.
    const std::string save = formatSave(s, kSaveFileLabel);
    const std::string records = formatRecords(s, pointText);
    if (std::string error; !keepPreviousSave(saveFilePath(baseDir), error))
        std::cerr << "kotou: warning: the previous save was not kept: " << error << '\n';
    replaceFile(saveFilePath(baseDir), save, kSaveFileLabel);
    replaceFile(recordsFilePath(baseDir), records, "記録.txt");
}

void loadGame(GameState& s, const fs::path& baseDir) {
    const std::string bytes = readSaveBytes(saveFilePath(baseDir), kSaveFileLabel);
    s = loadSaveImage(bytes, s, kSaveFileLabel);
}

}  // namespace kotou
