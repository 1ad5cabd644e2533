#pragma once
// The "Flightplan generation" page: the flight settings of one operator category at a time, the
// start date, the fee of one parking kind at a time and the other airport fees; applied into the
// session and saved to Wingfold.ini. Its button gives every airport whose fee the user has not
// fixed its normal landing fee.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/calendar.h"
#include "ui/sheet_page.h"

namespace wf::ui {

inline constexpr int kParkingKindCount = 10;

// The category list, index = operator category: "Privat", "Club", "Students", "Rental",
// "Buisiness", "Taxi".
extern const std::array<const char*, kCategoryCount> kCategoryListNames;
// The parking-kind list; kind k is parking type k + 2.
extern const std::array<const char*, kParkingKindCount> kParkingKindNames;

// The category named `name`, without regard to case: the list's names, the names of the Planes
// page's boxes ("Privat", "Club", "Student", "Rental", "Business", "Taxi") and the planes' names
// ("Private", "Training", "Rentable", "Buisiness").
std::optional<Category> CategoryByName(std::string_view name);
// The parking kind named `name`, without regard to case; blanks and underscores count alike
// ("large_gate" is "large Gate").
std::optional<int> ParkingKindByName(std::string_view name);

// The start date that the page stores for a picked day: the first Sunday after it when that falls
// before the 21st, else the Sunday on or before it; at 12:00:00.
TimeValue NormalizedStartDate(TimeValue picked);

class CPFlightplan final : public SheetPage {
 public:
  explicit CPFlightplan(Session& session);

  TimeValue pickedDate = 0;  // "Month for Flightplan generation"
  int selectedCategory = kTaxi;
  NumberField<float> maxHours{"maximum Flight time", 0.25, 12};
  NumberField<float> minHours{"minimum Flight time", 0, 11};
  NumberField<std::uint8_t> ifrValue{"IFR percentage", 0, 100};
  NumberField<std::uint8_t> touchAndGoValue{"T&G percentage", 0, 100};
  NumberField<std::uint8_t> nightValue{"Night (NVFR/IFR) flight percentage", 0, 100};
  int selectedParkingKind = 0;
  NumberField<float> parkingFeeValue{"parking fees", 0, 5000};
  NumberField<float> ilsValue{"ILS", 0, 1000};
  NumberField<float> lightsValue{"Night equipment", 0, 1000};
  NumberField<float> crossCountryValue{"cross country", 0, 1000};
  NumberField<float> runwayValue{"per1000 feet runway", 0, 1000};

  void OnInitDialog() override;
  // A refused number, or, once the page was edited, a minimum flight time above the maximum.
  std::string Problem() const override;
  // Stores the selected category and parking kind and the other fees; the start date becomes the
  // normalised picked date only when a date was picked since the last apply, so that applying again
  // never moves it.
  bool OnApply() override;

  // Selections: load the members of the category (discarding its unapplied edits and clearing the
  // modified state) or of the parking kind. Indexes outside the lists are ignored.
  void OnCategorySelected(int category);
  void OnParkingKindSelected(int kind);
  // The category edits and the date (picked): mark the page modified.
  void OnMaxHoursChanged(const std::string& text);
  void OnMinHoursChanged(const std::string& text);
  void OnIfrChanged(const std::string& text);
  void OnTouchAndGoChanged(const std::string& text);
  void OnNightChanged(const std::string& text);
  void OnDateChanged(TimeValue date);
  // The fee edits: the page is modified when the value differs from the applied setting.
  void OnParkingFeeChanged(const std::string& text);
  void OnIlsFeeChanged(const std::string& text);
  void OnLightsFeeChanged(const std::string& text);
  void OnCrossCountryFeeChanged(const std::string& text);
  void OnRunwayFeeChanged(const std::string& text);

  // "Assign airport fees to all airports": every airport whose fee the user has not fixed gets its
  // normal landing fee from the applied settings (not from unapplied edits); then the airport
  // database is saved and the Airports page's tree rebuilt.
  struct FeeAssignment {
    int airports = 0;    // airports whose fee was set
    bool saved = false;  // objects.dat was written
  };
  FeeAssignment OnAssignFees();

 private:
  void OnFeeChanged(NumberField<float>& box, const std::string& text, float setting);

  bool datePicked_ = false;
};

}
