#include "world/plane.h"

#include <array>
#include <bit>
#include <utility>

#include "world/aircraft.h"
#include "world/settings.h"

namespace wf {

namespace {

constexpr std::array<const char*, kCategoryCount> kCategoryNames = {"Private",  "Club",      "Training",
                                                                    "Rentable", "Buisiness", "Taxi"};

}

const char* CategoryName(int category) {
  return category >= 0 && category < kCategoryCount ? kCategoryNames[category] : "unknown";
}

CPlane::CPlane(std::string registration, CAirport* homeAirport, CAI_Aircraft* aircraft, Random& random)
    : aircraft(aircraft), homeAirport(homeAirport), registration(std::move(registration)) {
  if (aircraft == nullptr) return;
  // The category bits set in the usage mask, lowest first.
  std::array<std::uint32_t, kCategoryCount> candidates{};
  int candidateCount = 0;
  for (int bit = 0; bit < kCategoryCount; ++bit) {
    const std::uint32_t value = 1u << bit;
    if (static_cast<std::uint32_t>(aircraft->usage) & value) candidates[candidateCount++] = value;
  }
  if (candidateCount > 0) {
    const std::uint32_t drawn = candidates[random.Next() % candidateCount];
    category = std::countr_zero(drawn);
  }
  percentage = aircraft->percentage;
}

int CPlane::GetCategoryName(std::string& categoryName) const {
  categoryName = CategoryName(category);
  return category;
}

}
