#pragma once
// The geographic tree above the airports: region, country, state, city.
//
// The four levels form an inheritance chain (CCountry derives from CRegion, CState from CCountry,
// CCity from CState; CAirport from CCity), so a deeper object carries every field of the levels
// above it as separate storage. Only a level's own fields are filled in; the inherited ones keep
// their defaults but are archived all the same, since each Serialize first runs its base's.
//
// Links: a region's countries are in CRegion::countries, a country's states in CCountry::states,
// a state's cities in CState::cities, a city's airports in CCity::airports. Each object owns the
// values of every map it holds, its own and the inherited ones. Parent pointers (region, country,
// state, city) are not owned and are not archived: loading a level's map sets them.
//
// Archive form, each level after its base's part:
//   CRegion  (schema 2): name, use (32), countries (map)
//   CCountry (schema 2): name, patternCount (32), patternCount patterns (11 when -1), countryUse (32), states
//   CState   (schema 2): name, cities (map)
//   CCity    (schema 1): name, airports (map)
// Loading throws ArchiveError for damaged data, including a patternCount outside -1..11.
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "archive/archive.h"
#include "world/string_map.h"

namespace wf {

class CCountry;
class CState;
class CCity;
class CAirport;

class CRegion : public CObject {
 public:
  CRegion();
  ~CRegion() override;
  const char* ClassName() const override { return "CRegion"; }
  static constexpr std::uint16_t kSchema = 2;
  std::uint16_t Schema() const override { return kSchema; }
  void Serialize(CArchive& ar) override;

  // Use flag; the Airports page sets it together with the countryUse of the region's countries.
  std::int32_t use = 1;
  // Country name -> country.
  StringMap<CCountry> countries;
  std::string name;
};

// The eleven registration pattern slots of a country level. Every state, city and airport carries
// them too (as an inherited level) but keeps the defaults, so records with unchanged slots share one
// copy of them; changing a slot gives the record its own. Reads like an array of strings.
class RegistrationPatterns {
 public:
  static constexpr int kCount = 11;
  using Slots = std::array<std::string, kCount>;

  RegistrationPatterns();                    // "N!!!!!", "N!!!!.", "N!!!..", the rest empty
  RegistrationPatterns(const Slots& slots);  // NOLINT(google-explicit-constructor): reads as an array
  RegistrationPatterns& operator=(const Slots& slots);

  const std::string& operator[](std::size_t i) const { return (*slots_)[i]; }
  // A slot to change; the record gets its own copy of the slots first.
  std::string& operator[](std::size_t i) { return Own()[i]; }
  // Sets slot i; a value equal to the current one changes nothing (and copies nothing).
  void Set(std::size_t i, std::string value);
  const Slots& slots() const { return *slots_; }

  friend bool operator==(const RegistrationPatterns& a, const RegistrationPatterns& b) {
    return a.slots() == b.slots();
  }
  friend bool operator==(const RegistrationPatterns& a, const Slots& b) { return a.slots() == b; }

 private:
  Slots& Own();

  std::shared_ptr<Slots> slots_;
};

class CCountry : public CRegion {
 public:
  static constexpr int kMaxPatterns = RegistrationPatterns::kCount;

  CCountry();
  ~CCountry() override;
  const char* ClassName() const override { return "CCountry"; }
  static constexpr std::uint16_t kSchema = 2;
  std::uint16_t Schema() const override { return kSchema; }
  void Serialize(CArchive& ar) override;

  // The patterns in use, counted from the first; -1 means all 11.
  std::int32_t patternCount = 3;
  // 0 excludes every airport of the country from traffic generation.
  std::int32_t countryUse = 1;
  RegistrationPatterns registrationPatterns;
  CRegion* region = nullptr;  // parent, not owned
  // State name -> state.
  StringMap<CState> states;
  std::string name;

  // The number of patterns that patternCount puts in use, 0..11.
  int PatternsInUse() const;
};

class CState : public CCountry {
 public:
  CState();
  ~CState() override;
  const char* ClassName() const override { return "CState"; }
  static constexpr std::uint16_t kSchema = 2;
  std::uint16_t Schema() const override { return kSchema; }
  void Serialize(CArchive& ar) override;

  CCountry* country = nullptr;  // parent, not owned
  // City name -> city.
  StringMap<CCity> cities;
  std::string name;
};

class CCity : public CState {
 public:
  CCity();
  ~CCity() override;
  const char* ClassName() const override { return "CCity"; }
  static constexpr std::uint16_t kSchema = 1;
  std::uint16_t Schema() const override { return kSchema; }
  void Serialize(CArchive& ar) override;

  CState* state = nullptr;  // parent, not owned
  // ICAO ident -> airport.
  StringMap<CAirport> airports;
  std::string name;
};

}
