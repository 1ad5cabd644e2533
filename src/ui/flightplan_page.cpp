#include "ui/flightplan_page.h"

#include "app/settings_file.h"
#include "platform/text.h"

namespace wf::ui {

namespace {

constexpr int kParkingTypeOfKind0 = Code(ParkingType::kRampGaSmall);

// The category first: choosing one discards the unapplied edits of the page.
using F = CPFlightplan;
const PageField kFields[] = {
    ValueField<&F::selectedCategory, &F::OnCategorySelected>(F::kCategory),
    ValueField<&F::pickedDate, &F::OnDateChanged>(F::kPickedDate),
    NumberBoxField<&F::maxHours, &F::OnMaxHoursChanged>(F::kMaxHours),
    NumberBoxField<&F::minHours, &F::OnMinHoursChanged>(F::kMinHours),
    NumberBoxField<&F::ifrValue, &F::OnIfrChanged>(F::kIfr),
    NumberBoxField<&F::touchAndGoValue, &F::OnTouchAndGoChanged>(F::kTouchAndGo),
    NumberBoxField<&F::nightValue, &F::OnNightChanged>(F::kNight),
    ValueField<&F::selectedParkingKind, &F::OnParkingKindSelected>(F::kParkingKind),
    NumberBoxField<&F::parkingFeeValue, &F::OnParkingFeeChanged>(F::kParkingFee),
    NumberBoxField<&F::ilsValue, &F::OnIlsFeeChanged>(F::kIlsFee),
    NumberBoxField<&F::lightsValue, &F::OnLightsFeeChanged>(F::kLightsFee),
    NumberBoxField<&F::crossCountryValue, &F::OnCrossCountryFeeChanged>(F::kCrossCountryFee),
    NumberBoxField<&F::runwayValue, &F::OnRunwayFeeChanged>(F::kRunwayFee),
};

}

std::optional<int> ParkingKindByName(std::string_view name) {
  std::string spaced(name);
  for (char& c : spaced) {
    if (c == '_' || c == '-') c = ' ';
  }
  for (int k = 0; k < kParkingKindCount; ++k) {
    if (EqualsIgnoringCase(spaced, kParkingKindNames[k])) return k;
  }
  return std::nullopt;
}

TimeValue NormalizedStartDate(TimeValue picked) {
  const CalendarFields f = SplitTime(picked);
  const int firstSundayAfter = f.day + 7 - f.weekday;
  const int day = firstSundayAfter < 21 ? firstSundayAfter : firstSundayAfter - 7;
  return MakeTime(f.year, f.month, day, 12);
}

CPFlightplan::CPFlightplan(Session& session) : SheetPage(session) {}

std::span<const PageField> CPFlightplan::FieldTable() {
  return kFields;
}

void CPFlightplan::OnInitDialog() {
  selectedCategory = kTaxi;
  selectedParkingKind = 0;
  const Settings& s = session_.settings;
  pickedDate = s.startDate;
  datePicked_ = false;
  ilsValue.Show(s.ilsFee);
  lightsValue.Show(s.lightsFee);
  crossCountryValue.Show(s.crossCountryFee);
  runwayValue.Show(s.runwayFee);
  OnCategorySelected(selectedCategory);
  OnParkingKindSelected(selectedParkingKind);
}

void CPFlightplan::DropEdits() {
  const int category = selectedCategory, kind = selectedParkingKind;
  OnInitDialog();
  OnCategorySelected(category);
  OnParkingKindSelected(kind);
}

void CPFlightplan::OnCategorySelected(int category) {
  if (category < 0 || category >= kCategoryCount) return;
  selectedCategory = category;
  const Settings& s = session_.settings;
  ifrValue.Show(s.ifrPercent[category]);
  touchAndGoValue.Show(s.touchAndGoPercent[category]);
  nightValue.Show(s.nightPercent[category]);
  maxHours.Show(s.flightTimeMax[category]);
  minHours.Show(s.flightTimeMin[category]);
  SetModified(false);
}

void CPFlightplan::OnParkingKindSelected(int kind) {
  if (kind < 0 || kind >= kParkingKindCount) return;
  selectedParkingKind = kind;
  parkingFeeValue.Show(session_.settings.parkingFee[kind + kParkingTypeOfKind0]);
}

void CPFlightplan::OnMaxHoursChanged(const std::string& text) {
  maxHours.SetText(text);
  SetModified();
}

void CPFlightplan::OnMinHoursChanged(const std::string& text) {
  minHours.SetText(text);
  SetModified();
}

void CPFlightplan::OnIfrChanged(const std::string& text) {
  ifrValue.SetText(text);
  SetModified();
}

void CPFlightplan::OnTouchAndGoChanged(const std::string& text) {
  touchAndGoValue.SetText(text);
  SetModified();
}

void CPFlightplan::OnNightChanged(const std::string& text) {
  nightValue.SetText(text);
  SetModified();
}

void CPFlightplan::OnDateChanged(TimeValue date) {
  pickedDate = date;
  datePicked_ = true;
  SetModified();
}

void CPFlightplan::OnFeeChanged(NumberField<float>& box, const std::string& text, float setting) {
  // A refused text marks the page too, so that the apply says what is wrong with it.
  if (!box.SetText(text) || box.value != setting) SetModified();
}

void CPFlightplan::OnParkingFeeChanged(const std::string& text) {
  OnFeeChanged(parkingFeeValue, text,
               session_.settings.parkingFee[selectedParkingKind + kParkingTypeOfKind0]);
}

void CPFlightplan::OnIlsFeeChanged(const std::string& text) {
  OnFeeChanged(ilsValue, text, session_.settings.ilsFee);
}

void CPFlightplan::OnLightsFeeChanged(const std::string& text) {
  OnFeeChanged(lightsValue, text, session_.settings.lightsFee);
}

void CPFlightplan::OnCrossCountryFeeChanged(const std::string& text) {
  OnFeeChanged(crossCountryValue, text, session_.settings.crossCountryFee);
}

void CPFlightplan::OnRunwayFeeChanged(const std::string& text) {
  OnFeeChanged(runwayValue, text, session_.settings.runwayFee);
}

std::string CPFlightplan::Problem() const {
  std::string problem =
      FirstProblem({&maxHours, &minHours, &ifrValue, &touchAndGoValue, &nightValue, &parkingFeeValue,
                    &ilsValue, &lightsValue, &crossCountryValue, &runwayValue});
  // Only an edit is checked against the maximum: settings read from the file are applied again
  // with every apply of the sheet, and must not stop the other pages.
  if (problem.empty() && IsModified() && minHours.value > maxHours.value) {
    problem = std::string(minHours.label()) + ": \"" + minHours.text() + "\" is above the " +
              maxHours.label() + " of " + maxHours.text() + ". Enter a " + minHours.label() +
              " no longer than the " + maxHours.label() + ".";
  }
  return problem;
}

bool CPFlightplan::OnApply() {
  if (!Acceptable()) return false;
  Settings& s = session_.settings;
  const int c = selectedCategory;
  s.ifrPercent[c] = ifrValue.value;
  s.touchAndGoPercent[c] = touchAndGoValue.value;
  s.nightPercent[c] = nightValue.value;
  s.flightTimeMin[c] = minHours.value;
  s.flightTimeMax[c] = maxHours.value;
  s.parkingFee[selectedParkingKind + kParkingTypeOfKind0] = parkingFeeValue.value;
  s.ilsFee = ilsValue.value;
  s.lightsFee = lightsValue.value;
  s.crossCountryFee = crossCountryValue.value;
  s.runwayFee = runwayValue.value;

  if (datePicked_) s.startDate = NormalizedStartDate(pickedDate);
  datePicked_ = false;
  pickedDate = s.startDate;
  session_.random.Seed(static_cast<std::uint32_t>(s.startDate));

  for (auto* box :
       {&maxHours, &minHours, &parkingFeeValue, &ilsValue, &lightsValue, &crossCountryValue, &runwayValue}) {
    box->Show(box->value);
  }
  for (auto* box : {&ifrValue, &touchAndGoValue, &nightValue}) box->Show(box->value);

  const bool saved = SaveSettingsFile(session_, [&s](IniFile& ini) { WriteFlightplanSettings(ini, s); });
  SetModified(false);
  return saved;
}

CPFlightplan::FeeAssignment CPFlightplan::OnAssignFees() {
  FeeAssignment assignment;
  for (const auto& [icao, airport] : session_.world.airportIndex) {
    if (airport->feeSetByUser != 0) continue;
    airport->landingFee = airport->NormalLandingFee(session_.settings);
    ++assignment.airports;
  }
  assignment.saved = SaveAirports();
  session_.hooks->InitAirportData();
  return assignment;
}

}
