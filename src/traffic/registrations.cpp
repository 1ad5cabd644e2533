#include "traffic/registrations.h"

#include <array>

namespace wf {

namespace {

constexpr std::array<std::string_view, 3> kNewCountryPatterns = {"N!!!!!", "N!!!!.", "N!!!.."};

bool HasWildcard(std::string_view pattern) {
  return pattern.find_first_of("!.") != std::string_view::npos;
}

// The pattern for `model`, with the draw that a random choice makes.
std::string_view ChoosePattern(const CCountry* country, const CAircraft& model, Random& random) {
  if (country != nullptr && country->patternCount == -1)
    return country->registrationPatterns[RegistrationPatternIndex(model)];
  const int inUse = country != nullptr ? country->PatternsInUse() : 0;
  if (inUse == 0) return kNewCountryPatterns[random.Next() % kNewCountryPatterns.size()];
  return country->registrationPatterns[random.Next() % inUse];
}

}

int RegistrationPatternIndex(const CAircraft& model) {
  if (model.engineCount == 0) return 10;
  if (model.engineType == EngineType::kHelicopterTurbine) return 7;
  if (model.maxWeight > 20000) return 6;
  if (model.maxWeight >= 14000) return 5;
  if (model.maxWeight >= 5700) return 4;
  const bool multiEngine = model.engineCount > 1;
  if (model.maxWeight >= 2000) return multiEngine ? 3 : 1;
  return multiEngine ? 2 : 0;
}

void ExpandRegistrationPattern(std::string_view pattern, Random& random, std::string& registration) {
  registration.assign(pattern);
  for (char& c : registration) {
    if (c == '!') {
      c = static_cast<char>('0' + random.Next() % 10);
    } else if (c == '.') {
      c = static_cast<char>('A' + random.Next() % 26);
    }
  }
}

std::optional<std::string> MakeRegistration(const CCountry* country, const CAircraft& model,
                                            const StringMap<CPlane>& taken, Random& random) {
  const std::string_view pattern = ChoosePattern(country, model, random);
  if (pattern.empty()) return std::nullopt;
  const int attempts = HasWildcard(pattern) ? kMaxRegistrationExpansions : 1;
  std::string registration;
  for (int attempt = 0; attempt < attempts; ++attempt) {
    ExpandRegistrationPattern(pattern, random, registration);
    if (taken.Find(registration) == nullptr) return registration;
  }
  return std::nullopt;
}

}
