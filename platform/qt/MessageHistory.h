#pragma once
// The lines of the messages shown in this run, for the history view: the
// last kCapacity lines in the order they appeared. A message is split at its
// line breaks; a message that replaces the previous one and one appended
// under it are kept alike. Nothing of it is saved.

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

namespace kotou {

class MessageHistory {
  public:
    static constexpr size_t kCapacity = 200;

    void add(std::string_view message) {
        size_t start = 0;
        while (start <= message.size()) {
            size_t end = message.find_first_of("\r\n", start);
            if (end == std::string_view::npos) end = message.size();
            std::string_view line = message.substr(start, end - start);
            while (!line.empty() && line.back() == ' ') line.remove_suffix(1);
            if (!line.empty()) push(std::string(line));
            if (end < message.size() && message[end] == '\r' && end + 1 < message.size() &&
                message[end + 1] == '\n')
                ++end;
            start = end + 1;
        }
    }
    const std::deque<std::string>& lines() const { return lines_; }
    size_t size() const { return lines_.size(); }

    // The speaker of a spoken line (【name】『words』), or "" for narration.
    static std::string_view speakerOf(std::string_view line) {
        constexpr std::string_view open = "【", close = "】";
        if (line.substr(0, open.size()) != open) return {};
        const size_t end = line.find(close, open.size());
        return end == std::string_view::npos ? std::string_view()
                                             : line.substr(open.size(), end - open.size());
    }

  private:
    void push(std::string line) {
        lines_.push_back(std::move(line));
        if (lines_.size() > kCapacity) lines_.pop_front();
    }
    std::deque<std::string> lines_;
};

}  // namespace kotou
