#pragma once
// What the destination searches of one generation read of the airports of the order list, and what
// they keep between searches. A week's searches look at many airports once each, and a plane meets
// the same candidates all week: reading the records themselves (scattered through memory) or
// computing a distance or a sunset again costs more than the tests. Every table here is indexed by
// position in the order list (fleet.h), as the candidates of destination_draws.h are.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

#include "platform/calendar.h"
#include "traffic/fleet.h"

namespace wf {

// The part of the order list that a plane's destination searches draw from: [lo, lo + span).
struct SearchBand {
  std::int64_t lo = 0;
  std::int64_t span = 0;
};

// The keys of the order list (DistanceNm from 0, 0; ascending), in one array of their own.
class OrderKeys {
 public:
  explicit OrderKeys(const AirportOrder& order);

  // The band of a plane at position h with a range of `range` nautical miles: lo walks down from h
  // while the key stays above k[h] - range (at least 0), hi walks up from h while the key stays below
  // k[h] + range.
  SearchBand BandAround(std::int32_t h, std::int32_t range) const;

 private:
  std::vector<float> keys_;
};

// Which airports pass a plane's kind tests: usable, of the plane's class (Business and Taxi fly to
// commercial types, the other categories below them), seaplane bases only for amphibians, and a
// longest runway of at least the plane's shortest runway. Planes share a few such sets, each made
// once per run and small enough to stay in cache.
class KindPassSets {
 public:
  explicit KindPassSets(const AirportOrder& order);

  // Bit i (bit i % 64 of word i / 64): the airport at position i passes for a plane of `category`
  // that needs `shortestRunway` metres. The words live as long as this object.
  const std::uint64_t* For(int category, bool amphibian, double shortestRunway);

 private:
  struct Kind {
    std::uint32_t longestRunway = 0;
    std::uint8_t bits = 0;  // kUsable | kCommercial | kSeaplaneBase
  };
  std::vector<Kind> kinds_;
  // By the bits of the accepted kinds and the runway length's bit pattern.
  std::map<std::pair<std::uint8_t, std::uint64_t>, std::vector<std::uint64_t>> sets_;
};

// What the distance and sunset tests read of an airport, with the distance from the current home
// airport and the sunsets of the days around the generated week, each computed once. Counts what it
// computes in `work`.
class DestinationTable {
 public:
  struct Destination {
    double latitude = 0.0;
    double longitude = 0.0;
    float landingFee = 0.0f;
    std::int32_t country = 0;  // a number per country name
  };

  DestinationTable(const AirportOrder& order, TimeValue startDate, WorkCounters& work);

  const Destination& operator[](std::size_t i) const { return entries_[i].destination; }

  // The distances that follow are from the home airport at position `home`, until the next call.
  void StartHome(std::size_t home);

  // DistanceNm from the current home airport to the airport at position `to`, as a float.
  float DistanceFromHome(std::size_t to);

  // SunsetTime on the Greenwich date of `date` at the airport at position `i`.
  TimeValue SunsetAt(std::size_t i, TimeValue date);

 private:
  struct Entry {
    Destination destination;
    std::uint32_t distanceStamp = 0;  // the home airport `distance` is from (0: none yet)
    float distance = 0.0f;
  };
  static_assert(sizeof(Entry) == 32, "four to a cache line pair: the array stays in the second-level cache");

  std::vector<Entry> entries_;
  std::size_t home_ = 0;
  std::uint32_t homeStamp_ = 0;
  std::vector<TimeValue> sunsets_;  // per airport, kSunsetDays from firstSunsetDay_
  std::int64_t firstSunsetDay_ = 0;
  WorkCounters& work_;
};

// What the distance tests (all but the sunset test) made of each candidate for the current plane:
// they depend on the plane and the candidate alone, and a plane meets the same candidates again and
// again during its week.
class LegVerdicts {
 public:
  explicit LegVerdicts(std::size_t airports) : entries_(airports) {}

  // The verdicts that follow are for another plane.
  void StartPlane() {
    if (++planeStamp_ == kPassesBit) {  // a stamp must leave the passes bit free
      std::fill(entries_.begin(), entries_.end(), Entry{});
      planeStamp_ = 1;
    }
  }

  // Asks the processor to start loading the verdict on position i; a hint only.
  void Prefetch(std::size_t i) const {
#if defined(__GNUC__) || defined(__clang__)
    __builtin_prefetch(&entries_[i]);
#else
    (void)i;
#endif
  }

  // Whether the candidate at position i passes the current plane's distance tests, with the leg's
  // time in hours. `judge(float& legHours)` returns the verdict and sets the time; it runs only the
  // first time the plane meets the candidate.
  template <class Judge>
  bool Passes(std::size_t i, float& legHours, Judge&& judge) {
    Entry& entry = entries_[i];
    if ((entry.planeStamp & ~kPassesBit) != planeStamp_) {
      const bool passes = judge(entry.legHours);
      entry.planeStamp = planeStamp_ | (passes ? kPassesBit : 0u);
    }
    legHours = entry.legHours;
    return (entry.planeStamp & kPassesBit) != 0;
  }

 private:
  static constexpr std::uint32_t kPassesBit = 0x80000000u;
  struct Entry {
    std::uint32_t planeStamp = 0;  // the plane it was made for (0: none), kPassesBit when it passes
    float legHours = 0.0f;
  };
  std::vector<Entry> entries_;
  std::uint32_t planeStamp_ = 0;
};

}
