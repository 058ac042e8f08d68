#pragma once
// The one source of randomness of the game. random(n) is a uniform integer
// 0..n-1 and random(0) is 0; each call is one draw, so a scripted source can
// replay exact draws in order.

#include <cstdint>
#include <deque>
#include <initializer_list>
#include <random>
#include <stdexcept>
#include <vector>

namespace kotou {

class Random {
  public:
    virtual ~Random() = default;
    virtual int32_t random(int32_t n) = 0;
};

// The game's default: a Mersenne twister seeded from the clock (or a given
// seed, so that a seed reproduces a game).
class DefaultRandom : public Random {
  public:
    DefaultRandom();
    explicit DefaultRandom(uint64_t seed) : engine_(seed), seed_(seed) {}
    int32_t random(int32_t n) override;
    uint64_t seed() const { return seed_; }

  private:
    std::mt19937_64 engine_;
    uint64_t seed_;
};

// Thrown by ScriptedRandom when a test did not script the draws the code made.
class ScriptError : public std::logic_error {
  public:
    using std::logic_error::logic_error;
};

// Returns the given draws in order. Running out of draws, or a draw that is
// not within 0..n-1 for the requested n, throws ScriptError.
class ScriptedRandom : public Random {
  public:
    ScriptedRandom() = default;
    ScriptedRandom(std::initializer_list<int32_t> draws) : draws_(draws) {}
    void push(int32_t draw) { draws_.push_back(draw); }
    void push(std::initializer_list<int32_t> draws) { draws_.insert(draws_.end(), draws); }
    int32_t random(int32_t n) override;
    size_t remaining() const { return draws_.size(); }
    // The n of every call made so far, in order.
    const std::vector<int32_t>& requests() const { return requests_; }

  private:
    std::deque<int32_t> draws_;
    std::vector<int32_t> requests_;
};

}  // namespace kotou
