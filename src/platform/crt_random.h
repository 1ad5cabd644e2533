#pragma once
// The C runtime's rand/srand recurrence, as the simulator's platform runtime computes it:
// state = state * 214013 + 2531011 (mod 2^32), result = bits 16..30 of the new state (0..32767).
// Every traffic draw follows from this one sequence, so its order is part of the behaviour.
#include <cstdint>

namespace wf {

class Random {
 public:
  static constexpr int kMax = 32767;

  static constexpr std::uint32_t kMultiplier = 214013u;
  static constexpr std::uint32_t kIncrement = 2531011u;

  explicit Random(std::uint32_t seed = 1) : state_(seed) {}
  void Seed(std::uint32_t seed) { state_ = seed; }
  int Next() {
    state_ = state_ * kMultiplier + kIncrement;
    return DrawOf(state_);
  }
  // The draw that ends in `state`.
  static int DrawOf(std::uint32_t state) { return static_cast<int>((state >> 16) & 0x7FFF); }
  // The raw recurrence state; Seed(State()) continues the sequence where it stands.
  std::uint32_t State() const { return state_; }

 private:
  std::uint32_t state_;
};

}
