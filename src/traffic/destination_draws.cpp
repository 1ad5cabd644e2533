#include "traffic/destination_draws.h"

#include <algorithm>
#include <cstdlib>

#include "platform/crt_random.h"

#if (defined(__x86_64__) || defined(__i386__)) && (defined(__GNUC__) || defined(__clang__))
#define WINGFOLD_DRAWS_AVX2 1
#include <immintrin.h>
#endif

namespace wf {

namespace {

// The state k draws after x, from x directly: x_k = a^k x + c (a^(k-1) + ... + 1), mod 2^32, so
// that the draws of a search do not wait for each other. Room for a padded block after the last.
struct RandomJumps {
  std::array<std::uint32_t, kMaxDrawSteps + 9> multiplier{};
  std::array<std::uint32_t, kMaxDrawSteps + 9> increment{};
  constexpr RandomJumps() {
    multiplier[0] = 1;
    for (std::size_t k = 1; k < multiplier.size(); ++k) {
      multiplier[k] = multiplier[k - 1] * Random::kMultiplier;
      increment[k] = increment[k - 1] * Random::kMultiplier + Random::kIncrement;
    }
  }
};
constexpr RandomJumps kJumps{};

void SetStep(DrawPlan& plan, std::size_t k, std::int64_t modulus, std::int64_t base) {
  plan.modulus[k] = static_cast<std::uint32_t>(modulus);
  plan.reciprocal[k] = 0xFFFFFFFFu / static_cast<std::uint32_t>(modulus);
  plan.base[k] = static_cast<std::int32_t>(base);
}

// draw % modulus for a draw below 2^15: the quotient from the reciprocal is exact or one short
// (draw * (2^32 / modulus - reciprocal) / 2^32 stays below 1), and one correction makes it exact.
std::uint32_t Remainder(std::uint32_t draw, std::uint32_t modulus, std::uint32_t reciprocal) {
  const auto quotient = static_cast<std::uint32_t>((std::uint64_t{draw} * reciprocal) >> 32);
  std::uint32_t remainder = draw - quotient * modulus;
  if (remainder >= modulus) remainder -= modulus;
  return remainder;
}

std::uint64_t TestedMask(std::size_t count) {
  return count <= 1 ? 0 : (std::uint64_t{1} << (count - 1)) - 1;
}

#if defined(WINGFOLD_DRAWS_AVX2)
__attribute__((target("avx2"))) std::uint64_t DrawCandidatesAvx2(
    const DrawPlan& plan, std::uint32_t state, const std::uint64_t* kindPasses,
    std::array<std::int32_t, kMaxDrawSteps + 8>& candidates) {
  const __m256i start = _mm256_set1_epi32(static_cast<int>(state));
  const __m256i home = _mm256_set1_epi32(plan.home);
  const __m256i last = _mm256_set1_epi32(plan.last);
  const __m256i zero = _mm256_setzero_si256();
  const __m256i drawBits = _mm256_set1_epi32(0x7FFF);
  const __m256i bitInWord = _mm256_set1_epi32(31);
  const __m256i one = _mm256_set1_epi32(1);
  const auto* words = reinterpret_cast<const int*>(kindPasses);  // little-endian: 32-bit halves
  std::uint64_t passing = 0;
  for (std::size_t k = 0; k < plan.count; k += 8) {
#define WINGFOLD_LOAD8(values, offset) \
  _mm256_loadu_si256(reinterpret_cast<const __m256i*>((values).data() + k + (offset)))
    const __m256i states = _mm256_add_epi32(_mm256_mullo_epi32(WINGFOLD_LOAD8(kJumps.multiplier, 1), start),
                                            WINGFOLD_LOAD8(kJumps.increment, 1));
    const __m256i draws = _mm256_and_si256(_mm256_srli_epi32(states, 16), drawBits);
    const __m256i modulus = WINGFOLD_LOAD8(plan.modulus, 0);
    const __m256i reciprocal = WINGFOLD_LOAD8(plan.reciprocal, 0);
    const __m256i evenProducts = _mm256_mul_epu32(draws, reciprocal);
    const __m256i oddProducts =
        _mm256_mul_epu32(_mm256_srli_epi64(draws, 32), _mm256_srli_epi64(reciprocal, 32));
    const __m256i quotients = _mm256_blend_epi32(_mm256_srli_epi64(evenProducts, 32), oddProducts, 0xAA);
    __m256i remainders = _mm256_sub_epi32(draws, _mm256_mullo_epi32(quotients, modulus));
    remainders =
        _mm256_sub_epi32(remainders, _mm256_andnot_si256(_mm256_cmpgt_epi32(modulus, remainders), modulus));
    const __m256i base = WINGFOLD_LOAD8(plan.base, 0);
#undef WINGFOLD_LOAD8
    __m256i positions = _mm256_abs_epi32(_mm256_sub_epi32(_mm256_add_epi32(home, remainders), base));
    positions = _mm256_min_epi32(_mm256_max_epi32(positions, zero), last);
    if (k == 0) positions = _mm256_blend_epi32(positions, _mm256_add_epi32(base, remainders), 0x01);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(candidates.data() + k), positions);
    const __m256i kindWords = _mm256_i32gather_epi32(words, _mm256_srli_epi32(positions, 5), 4);
    const __m256i bits =
        _mm256_and_si256(_mm256_srlv_epi32(kindWords, _mm256_and_si256(positions, bitInWord)), one);
    const int lanes = _mm256_movemask_ps(_mm256_castsi256_ps(_mm256_slli_epi32(bits, 31)));
    passing |= static_cast<std::uint64_t>(static_cast<unsigned>(lanes)) << k;
  }
  return passing & TestedMask(plan.count);
}

bool HasAvx2() {
  static const bool has = __builtin_cpu_supports("avx2");
  return has;
}
#endif

}

DrawPlan PlanDraws(std::int64_t lo, std::int64_t span, std::int32_t home, std::size_t size) {
  DrawPlan plan;
  plan.home = home;
  plan.last = static_cast<std::int32_t>(size > 0 ? size - 1 : 0);
  for (std::size_t k = 0; k < plan.modulus.size(); ++k) SetStep(plan, k, 1, 0);  // the padding
  if (span <= 0) return plan;
  SetStep(plan, plan.count++, span, lo);
  while (span > 0 && plan.count < kMaxDrawSteps) {
    const std::int64_t oldSpan = span;
    span /= 2;
    SetStep(plan, plan.count++, span + 1, oldSpan / 4);
  }
  return plan;
}

std::uint64_t DrawCandidatesOneByOne(const DrawPlan& plan, std::uint32_t state,
                                     const std::uint64_t* kindPasses,
                                     std::array<std::int32_t, kMaxDrawSteps + 8>& candidates) {
  std::uint64_t passing = 0;
  for (std::size_t k = 0; k < plan.count; ++k) {
    const std::uint32_t after = kJumps.multiplier[k + 1] * state + kJumps.increment[k + 1];
    const auto draw = static_cast<std::uint32_t>(Random::DrawOf(after));
    const auto remainder = static_cast<std::int32_t>(Remainder(draw, plan.modulus[k], plan.reciprocal[k]));
    const std::int32_t position =
        k == 0 ? plan.base[0] + remainder
               : std::clamp(std::abs(plan.home + remainder - plan.base[k]), 0, plan.last);
    candidates[k] = position;
    const auto i = static_cast<std::uint32_t>(position);
    passing |= ((kindPasses[i / 64] >> (i % 64)) & 1u) << k;
  }
  return passing & TestedMask(plan.count);
}

std::uint64_t DrawCandidates(const DrawPlan& plan, std::uint32_t state, const std::uint64_t* kindPasses,
                             std::array<std::int32_t, kMaxDrawSteps + 8>& candidates) {
#if defined(WINGFOLD_DRAWS_AVX2)
  if (HasAvx2()) return DrawCandidatesAvx2(plan, state, kindPasses, candidates);
#endif
  return DrawCandidatesOneByOne(plan, state, kindPasses, candidates);
}

std::uint32_t StateAfterDraws(std::uint32_t state, std::size_t draws) {
  return kJumps.multiplier[draws] * state + kJumps.increment[draws];
}

}
