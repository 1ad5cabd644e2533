#pragma once
// One registered plane of the generated fleet: a registration, a home airport, the variation it
// flies and its operator category. Planes live in memory only: the world's registrationIndex owns
// them, each airport's `planes` refers to those based there.
#include <cstdint>
#include <string>

#include "archive/archive.h"
#include "platform/crt_random.h"

namespace wf {

class CAI_Aircraft;
class CAirport;

// The display name of operator category 0..5 ("Private" ... "Taxi"), or "unknown".
const char* CategoryName(int category);

class CPlane : public CObject {
 public:
  CPlane() = default;
  // A plane of `aircraft` based at `homeAirport`. The category is drawn from the bits 0..5 of the
  // aircraft's usage mask with exactly one random.Next() when any of them is set, and is 0 (Private)
  // without a draw otherwise. `aircraft` may be null: then Private, percentage 0, no draw.
  CPlane(std::string registration, CAirport* homeAirport, CAI_Aircraft* aircraft, Random& random);

  const char* ClassName() const override { return "CPlane"; }
  std::uint16_t Schema() const override { return 1; }
  // Planes are never archived: this does nothing.
  void Serialize(CArchive&) override {}

  // Sets `categoryName` to the display name of `category` and returns `category`.
  int GetCategoryName(std::string& categoryName) const;

  std::int32_t category = 0;         // operator category, 0..5
  std::int32_t percentage = 0;       // taken from the variation at creation
  CAI_Aircraft* aircraft = nullptr;  // not owned; null when unknown
  CAirport* homeAirport = nullptr;   // not owned; null when unknown
  std::string registration;
};

}
