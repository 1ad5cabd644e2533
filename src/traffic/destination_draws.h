#pragma once
// The draws of a destination search, worked out ahead.
//
// A search draws a first candidate from the plane's band (lo + draw % span) and, while candidates
// are rejected, halves the span and draws the next near home: |h + draw % (span + 1) - old span / 4|,
// limited to the order list, until the span reaches 0 (that last candidate is home and is not
// tested). Where each candidate lies follows from the draws alone, never from the tests, so a whole
// search's candidates can be computed at once from the random state it starts with, together with
// the kind test of each: the caller then runs the remaining tests on the passing candidates in
// order and leaves the random state after the draw that ended the search (StateAfterDraws).
//
// Positions are 32-bit: an order list holds fewer than 2^30 airports.
#include <array>
#include <cstddef>
#include <cstdint>

namespace wf {

inline constexpr std::size_t kMaxDrawSteps = 40;  // a span below 2^31 halves to 0 in at most 32 steps
inline constexpr std::size_t kMaxOrderListSize = std::size_t{1} << 30;

// One plane's draws, the same for all its searches (they depend on its band only).
struct DrawPlan {
  std::size_t count = 0;  // draws of a search that runs to the end; 0 when the band is empty
  std::int32_t home = 0;  // h
  std::int32_t last = 0;  // the last position of the order list
  // Per draw, padded with harmless steps to a whole number of 8: draw % modulus, with reciprocal
  // floor((2^32 - 1) / modulus), and base (lo for the first, the quarter span for the others).
  std::array<std::uint32_t, kMaxDrawSteps + 8> modulus{};
  std::array<std::uint32_t, kMaxDrawSteps + 8> reciprocal{};
  std::array<std::int32_t, kMaxDrawSteps + 8> base{};
};

// The plan of a band [lo, lo + span) around position `home` of a list of `size` airports.
DrawPlan PlanDraws(std::int64_t lo, std::int64_t span, std::int32_t home, std::size_t size);

// Writes the `plan.count` candidates of the search that starts at random state `state` (and up to 7
// more, to be ignored) and returns a mask whose bit k is set when candidate k, one of the tested
// ones (k < count - 1), has its bit set in `kindPasses` (bit i of word i / 64 for position i).
std::uint64_t DrawCandidates(const DrawPlan& plan, std::uint32_t state, const std::uint64_t* kindPasses,
                             std::array<std::int32_t, kMaxDrawSteps + 8>& candidates);
// The same, computed one draw at a time without vector instructions: the reference for the above.
std::uint64_t DrawCandidatesOneByOne(const DrawPlan& plan, std::uint32_t state,
                                     const std::uint64_t* kindPasses,
                                     std::array<std::int32_t, kMaxDrawSteps + 8>& candidates);

// The random state after `draws` draws from `state` (draws at most kMaxDrawSteps).
std::uint32_t StateAfterDraws(std::uint32_t state, std::size_t draws);

}
