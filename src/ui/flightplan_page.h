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

// The parking-kind list; kind k is parking type k + 2.
inline constexpr std::array<const char*, kParkingKindCount> kParkingKindNames = {
    "small GA RAMP", "medium GA RAMP", "large GA RAMP", "CARGO",      "military CARGO",
    "military RAMP", "small Gate",     "medium Gate",   "large Gate", "Dock"};

// The parking kind named `name`, without regard to case; blanks and underscores count alike
// ("large_gate" is "large Gate").
std::optional<int> ParkingKindByName(std::string_view name);

// The start date that the page stores for a picked day: the first Sunday after it when that falls
// before the 21st, else the Sunday on or before it; at 12:00:00.
TimeValue NormalizedStartDate(TimeValue picked);

class CPFlightplan final : public SheetPage {
 public:
  explicit CPFlightplan(Session& session);

  // The page's fields, bound to the members below by Fields(). The category and the parking kind
  // choose what the fields after them show.
  static constexpr FieldInfo kPickedDate{
      .kind = FieldKind::kDate,
      .name = "pickedDate",
      .label = "Month for Flightplan generation",
      .option = "--date YYYY-MM-DD",
      .help = "Month for Flightplan generation: the day picked; a Sunday is stored"};
  static constexpr FieldInfo kCategory{
      .kind = FieldKind::kChoice,
      .name = "selectedCategory",
      .label = "Category",
      .choices = kCategoryListNames,
      .byName = CategoryByName,
      .option = "--category NAME",
      .help =
          "The category shown and changed (default: taxi; shows all when not "
          "given)"};
  static constexpr FieldInfo kMaxHours{.kind = FieldKind::kNumber,
                                       .name = "maxHours",
                                       .label = "maximum Flight time",
                                       .min = 0.25,
                                       .max = 12,
                                       .unit = "hours",
                                       .option = "--max-hours H"};
  static constexpr FieldInfo kMinHours{.kind = FieldKind::kNumber,
                                       .name = "minHours",
                                       .label = "minimum Flight time",
                                       .max = 11,
                                       .unit = "hours",
                                       .option = "--min-hours H"};
  static constexpr FieldInfo kIfr{.kind = FieldKind::kNumber,
                                  .name = "ifrValue",
                                  .label = "IFR percentage",
                                  .max = 100,
                                  .option = "--ifr P"};
  static constexpr FieldInfo kTouchAndGo{.kind = FieldKind::kNumber,
                                         .name = "touchAndGoValue",
                                         .label = "T&G percentage",
                                         .max = 100,
                                         .option = "--tng P"};
  static constexpr FieldInfo kNight{.kind = FieldKind::kNumber,
                                    .name = "nightValue",
                                    .label = "Night (NVFR/IFR) flight percentage",
                                    .max = 100,
                                    .option = "--night P"};
  static constexpr FieldInfo kParkingKind{.kind = FieldKind::kChoice,
                                          .name = "selectedParkingKind",
                                          .label = "parking space",
                                          .choices = kParkingKindNames,
                                          .byName = ParkingKindByName};
  static constexpr FieldInfo kParkingFee{
      .kind = FieldKind::kNumber, .name = "parkingFeeValue", .label = "parking fees", .max = 5000};
  static constexpr FieldInfo kIlsFee{
      .kind = FieldKind::kNumber, .name = "ilsValue", .label = "ILS", .max = 1000, .option = "--ils-fee X"};
  static constexpr FieldInfo kLightsFee{.kind = FieldKind::kNumber,
                                        .name = "lightsValue",
                                        .label = "Night equipment",
                                        .max = 1000,
                                        .option = "--lights-fee X"};
  static constexpr FieldInfo kCrossCountryFee{.kind = FieldKind::kNumber,
                                              .name = "crossCountryValue",
                                              .label = "cross country",
                                              .max = 1000,
                                              .option = "--cross-country-fee X"};
  static constexpr FieldInfo kRunwayFee{.kind = FieldKind::kNumber,
                                        .name = "runwayValue",
                                        .label = "per1000 feet runway",
                                        .max = 1000,
                                        .option = "--runway-fee X"};

  TimeValue pickedDate = 0;
  int selectedCategory = kTaxi;
  NumberField<float> maxHours{kMaxHours};
  NumberField<float> minHours{kMinHours};
  NumberField<std::uint8_t> ifrValue{kIfr};
  NumberField<std::uint8_t> touchAndGoValue{kTouchAndGo};
  NumberField<std::uint8_t> nightValue{kNight};
  int selectedParkingKind = 0;
  NumberField<float> parkingFeeValue{kParkingFee};
  NumberField<float> ilsValue{kIlsFee};
  NumberField<float> lightsValue{kLightsFee};
  NumberField<float> crossCountryValue{kCrossCountryFee};
  NumberField<float> runwayValue{kRunwayFee};

  static std::span<const PageField> FieldTable();
  std::span<const PageField> Fields() const override { return FieldTable(); }
  void OnInitDialog() override;
  // Shows the stored settings of the category and parking kind shown.
  void DropEdits() override;
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
