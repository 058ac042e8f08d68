#pragma once
// The one exception type of the mixer. Every refusal of the mixer carries a
// fixed message; callers that only want sound to be optional catch this type.

#include <stdexcept>
#include <string>

namespace kotou {

class EMixerError : public std::runtime_error {
  public:
    explicit EMixerError(const std::string& message) : std::runtime_error(message) {}
};

// Messages shared by several operations.
inline constexpr const char* kMsgNoMemory =
    "Unable to allocate memory for waveform data.  Try making more memory available by closing "
    "other applications.";

}  // namespace kotou
