#include "state/Random.h"

#include <chrono>
#include <string>

namespace kotou {

DefaultRandom::DefaultRandom()
    : DefaultRandom(
          static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count())) {}

int32_t DefaultRandom::random(int32_t n) {
    if (n <= 0) {
        engine_();  // still one draw, so the sequence does not depend on n
        return 0;
    }
    return static_cast<int32_t>(std::uniform_int_distribution<int32_t>(0, n - 1)(engine_));
}

int32_t ScriptedRandom::random(int32_t n) {
    requests_.push_back(n);
    if (draws_.empty())
        throw ScriptError("scripted random: out of draws at call " +
                          std::to_string(requests_.size()) + " (random(" + std::to_string(n) +
                          "))");
    const int32_t d = draws_.front();
    draws_.pop_front();
    const bool ok = n <= 0 ? d == 0 : (d >= 0 && d < n);
    if (!ok)
        throw ScriptError("scripted random: draw " + std::to_string(d) +
                          " out of range for random(" + std::to_string(n) + ") at call " +
                          std::to_string(requests_.size()));
    return d;
}

}  // namespace kotou
