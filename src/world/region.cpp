#include "world/region.h"

#include <algorithm>

#include "archive/byte_reader.h"
#include "world/airport.h"

namespace wf {

namespace {

// Loads one level's child map and points every child's parent link at `parent`. Children replaced
// by a later entry under the same key are freed; an airport among them leaves the airport index.
template <class Child, class Parent>
void LoadChildren(CArchive& ar, StringMap<Child>& children, Parent* Child::*parentLink, Parent* parent) {
  LoadStringMap(ar, children);
  for (auto& [key, child] : children) child.get()->*parentLink = parent;
}

}

CRegion::CRegion() = default;
CRegion::~CRegion() = default;

void CRegion::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar.WriteString(name);
    ar.WriteI32(use);
    SaveStringMap(ar, countries);
  } else {
    name = ar.ReadString();
    use = ar.ReadI32();
    LoadChildren(ar, countries, &CCountry::region, this);
  }
}

namespace {

const std::shared_ptr<RegistrationPatterns::Slots>& DefaultPatterns() {
  static const auto defaults = std::make_shared<RegistrationPatterns::Slots>(
      RegistrationPatterns::Slots{"N!!!!!", "N!!!!.", "N!!!.."});
  return defaults;
}

}

RegistrationPatterns::RegistrationPatterns() : slots_(DefaultPatterns()) {}

RegistrationPatterns::RegistrationPatterns(const Slots& slots) : slots_(std::make_shared<Slots>(slots)) {}

RegistrationPatterns& RegistrationPatterns::operator=(const Slots& slots) {
  slots_ = std::make_shared<Slots>(slots);
  return *this;
}

void RegistrationPatterns::Set(std::size_t i, std::string value) {
  if ((*slots_)[i] != value) Own()[i] = std::move(value);
}

RegistrationPatterns::Slots& RegistrationPatterns::Own() {
  // The shared defaults and slots copied along with a record are never changed in place.
  if (slots_ == DefaultPatterns() || slots_.use_count() > 1) slots_ = std::make_shared<Slots>(*slots_);
  return *slots_;
}

CCountry::CCountry() = default;
CCountry::~CCountry() = default;

int CCountry::PatternsInUse() const {
  if (patternCount == -1) return kMaxPatterns;
  return std::clamp(patternCount, 0, kMaxPatterns);
}

void CCountry::Serialize(CArchive& ar) {
  CRegion::Serialize(ar);
  if (ar.IsStoring()) {
    ar.WriteString(name);
    // A count outside -1..11 cannot be read back; store the patterns it actually puts in use.
    ar.WriteI32(patternCount == -1 ? -1 : PatternsInUse());
    for (int i = 0; i < PatternsInUse(); ++i) ar.WriteString(registrationPatterns.slots()[i]);
    ar.WriteI32(countryUse);
    SaveStringMap(ar, states);
  } else {
    name = ar.ReadString();
    const std::size_t countOffset = ar.Offset();
    patternCount = ar.ReadI32();
    if (patternCount < -1 || patternCount > kMaxPatterns) {
      ar.FailAt(countOffset, "country \"" + name + "\" has a pattern count of " +
                                 std::to_string(patternCount) + ", expected -1 to 11");
    }
    for (int i = 0; i < PatternsInUse(); ++i) registrationPatterns.Set(i, ar.ReadString());
    countryUse = ar.ReadI32();
    LoadChildren(ar, states, &CState::country, this);
  }
}

CState::CState() = default;
CState::~CState() = default;

void CState::Serialize(CArchive& ar) {
  CCountry::Serialize(ar);
  if (ar.IsStoring()) {
    ar.WriteString(name);
    SaveStringMap(ar, cities);
  } else {
    name = ar.ReadString();
    LoadChildren(ar, cities, &CCity::state, this);
  }
}

CCity::CCity() = default;
CCity::~CCity() = default;

void CCity::Serialize(CArchive& ar) {
  CState::Serialize(ar);
  if (ar.IsStoring()) {
    ar.WriteString(name);
    SaveStringMap(ar, airports);
  } else {
    name = ar.ReadString();
    LoadChildren(ar, airports, &CAirport::city, this);
  }
}

}
