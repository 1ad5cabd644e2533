#include "ui/airports_page.h"

#include "platform/numbers.h"
#include "platform/text.h"
#include "traffic/registrations.h"

namespace wf::ui {

namespace {

// The name of a node's object, as the tree sorts by it: each level's own name field.
const std::string* SortName(const AirportNodeObject& object) {
  if (auto* const* country = std::get_if<CCountry*>(&object)) return &(*country)->name;
  if (auto* const* state = std::get_if<CState*>(&object)) return &(*state)->name;
  if (auto* const* city = std::get_if<CCity*>(&object)) return &(*city)->name;
  if (auto* const* airport = std::get_if<CAirport*>(&object)) return &(*airport)->name;
  return nullptr;
}

// Byte-wise ascending by name; nodes without an object, or of different kinds, compare equal.
bool NameLess(const AirportTree::Node& a, const AirportTree::Node& b) {
  if (a.data.index() != b.data.index()) return false;
  const std::string* nameA = SortName(a.data);
  const std::string* nameB = SortName(b.data);
  return nameA != nullptr && nameB != nullptr && *nameA < *nameB;
}

// The fees as "%5.2f" writes them.
std::string LowFeeQuestion(double entered, double normal) {
  return "The landing fee of " + FormatFixed(entered, 2, 5) + " is below the 'normal' landing fee (" +
         FormatFixed(normal, 2, 5) + "). Is this correct?";
}

// A fee from 101.5 % of the entered one upward counts as below the normal fee.
constexpr double kFeeTolerance = 1.015;

// What the selected node is; an apply writes Use for World, a country or an airport, the rest for
// an airport only.
template <class Object>
bool Selected(const SheetPage& page) {
  const AirportNodeObject* object = static_cast<const CPAirports&>(page).SelectedObject();
  return object != nullptr && std::holds_alternative<Object>(*object);
}

bool UseApplies(const SheetPage& page) {
  return Selected<std::monostate>(page) || Selected<CCountry*>(page) || Selected<CAirport*>(page);
}

bool GroupSelected(const SheetPage& page) {
  return static_cast<const CPAirports&>(page).SelectedObject() != nullptr && !Selected<CAirport*>(page);
}

using A = CPAirports;
const PageField kFields[] = {
    TextField<&A::m_strCallSign>(A::kCallSign),
    TextField<&A::m_strICAO, &A::OnICAOChanged>(A::kICAO),
    ValueField<&A::m_bHasIFR>(A::kHasIFR),
    TextField<&A::m_strRunwayType>(A::kRunwayType),
    TextField<&A::m_strAirportCount>(A::kAirportCount, GroupSelected),
    ValueField<&A::m_bUse, &A::OnUseClicked>(A::kUse, UseApplies),
    ValueField<&A::m_bMilitary, &A::OnMilitaryClicked>(A::kMilitary, Selected<CAirport*>),
    ValueField<&A::m_comboType, &A::OnTypeSelected>(A::kType, Selected<CAirport*>),
    TextField<&A::m_nGates>(A::kGates),
    TextField<&A::m_nRamp>(A::kRamp),
    TextField<&A::m_nCargo>(A::kCargo),
    TextField<&A::m_nMil>(A::kMil),
    TextField<&A::m_nDock>(A::kDock),
    TextField<&A::m_fTowerFrequency>(A::kTowerFrequency),
    NumberBoxField<&A::m_fLandingFee, &A::OnLandingFeeChanged>(A::kLandingFee, Selected<CAirport*>),
};

}

const char* const kAirportTypeNames[kAirportTypeCount] = {
    AirportTypeName(AirportType{0}), AirportTypeName(AirportType{1}), AirportTypeName(AirportType{2}),
    AirportTypeName(AirportType{3}), AirportTypeName(AirportType{4}), AirportTypeName(AirportType{5}),
    AirportTypeName(AirportType{6}), AirportTypeName(AirportType{7}), AirportTypeName(AirportType{8})};

std::optional<int> AirportTypeByName(std::string_view name) {
  for (int type = 0; type < kAirportTypeCount; ++type) {
    if (EqualsIgnoringCase(name, AirportTypeName(AirportType{type}))) return type;
  }
  const std::optional<std::int64_t> index = ParseWhole(TypedNumber(name));
  if (index && *index >= 0 && *index < kAirportTypeCount) return static_cast<int>(*index);
  return std::nullopt;
}

bool AirportUsed(const CAirport& airport) {
  const CCity* city = airport.city;
  const CCountry* country = city != nullptr && city->state != nullptr ? city->state->country : nullptr;
  return airport.useAirport != 0 && (country == nullptr || country->countryUse != 0);
}

CPAirports::CPAirports(Session& session) : SheetPage(session) {}

std::span<const PageField> CPAirports::FieldTable() {
  return kFields;
}

void CPAirports::OnInitDialog() {
  m_bApplied = true;
  m_bReady = true;
  InitAirportData(true);
}

void CPAirports::InitAirportData(bool first) {
  if (!m_bReady) return;
  session_.progress->SetCaption("Init Airport Data");
  if (first) EnableGenerateButton();
  m_tree.Clear();
  m_hSelectedItem = kNoNode;

  const NodeId world = m_tree.Insert(kNoNode, "World", std::monostate{});
  for (auto& [regionName, region] : session_.world.regionMap) {
    for (auto& [countryName, country] : region->countries) {
      const NodeId countryNode = m_tree.Insert(world, country->name, country.get());
      const bool stateNodes = country->states.size() > 1;
      for (auto& [stateName, state] : country->states) {
        NodeId stateNode = countryNode;
        if (stateNodes) {
          stateNode = m_tree.Insert(countryNode, state->name.empty() ? "none" : state->name, state.get());
        }
        for (auto& [cityName, city] : state->cities) {
          const NodeId cityNode = m_tree.Insert(stateNode, city->name, city.get());
          for (auto& [icao, airport] : city->airports) {
            airport->treeItem = m_tree.Insert(cityNode, airport->name + " (" + icao + ")", airport.get());
          }
          m_tree.SortChildren(cityNode, NameLess);
        }
        if (stateNodes) m_tree.SortChildren(stateNode, NameLess);
      }
      m_tree.SortChildren(countryNode, NameLess);
    }
    m_tree.SortChildren(world, NameLess);
  }
  search_ = std::make_unique<AirportSearch>(session_.world);
  session_.progress->Hide();
}

NodeId CPAirports::NodeOf(const CAirport& airport) const {
  const auto id = static_cast<NodeId>(airport.treeItem);
  const AirportTree::Node* node = m_tree.Find(id);
  if (node == nullptr) return kNoNode;
  auto* const* carried = std::get_if<CAirport*>(&node->data);
  return carried != nullptr && *carried == &airport ? id : kNoNode;
}

const AirportNodeObject* CPAirports::SelectedObject() const {
  const AirportTree::Node* node = m_tree.Find(m_hSelectedItem);
  return node != nullptr ? &node->data : nullptr;
}

void CPAirports::MarkEdited() {
  m_bApplied = false;
  SetModified();
}

void CPAirports::OnTreeSelectionChanged(NodeId node) {
  ShowNode(node);
}

void CPAirports::OnTypeSelected(int index) {
  if (index >= 0 && index < kAirportTypeCount) m_comboType = index;
  MarkEdited();
}

void CPAirports::OnLandingFeeChanged(const std::string& text) {
  m_fLandingFee.SetText(text);
  feeTyped_ = true;
  MarkEdited();
}

void CPAirports::OnUseClicked(bool checked) {
  m_bUse = checked ? 1 : 0;
  MarkEdited();
}

void CPAirports::OnMilitaryClicked(bool checked) {
  m_bMilitary = checked ? 1 : 0;
  MarkEdited();
}

void CPAirports::OnICAOChanged(const std::string& text) {
  m_strICAO = ToUpperAscii(text);
  const CAirport* airport = session_.world.airportIndex.Find(m_strICAO);
  const NodeId node = airport != nullptr ? NodeOf(*airport) : kNoNode;
  if (node == kNoNode) return;
  if (!IsModified()) {
    ShowNode(node);
  } else if (node != m_hSelectedItem) {
    wantedNode_ = node;
  }
}

std::string CPAirports::EditedItem() const {
  const AirportTree::Node* node = m_tree.Find(m_hSelectedItem);
  return node != nullptr ? node->label : std::string();
}

void CPAirports::DropEdits() {
  m_bApplied = true;
  ShowNode(m_hSelectedItem);
}

void CPAirports::SampleCallSign(const CCountry* country) {
  if (country == nullptr) return;
  ExpandRegistrationPattern(country->registrationPatterns[0], session_.random, m_strCallSign);
}

void CPAirports::ShowNode(NodeId id) {
  SetModified(false);
  m_hSelectedItem = id;
  feeTyped_ = false;
  m_strCallSign.clear();
  m_strICAO.clear();
  m_bHasIFR = 0;
  m_strRunwayType = "none";
  m_nGates = m_nRamp = m_nCargo = m_nMil = m_nDock = 0;
  m_fLandingFee.Show(0.0f);
  m_fTowerFrequency = 0.0f;
  m_strAirportCount.clear();

  const AirportTree::Node* node = m_tree.Find(id);
  if (node == nullptr) return;
  if (!std::holds_alternative<CAirport*>(node->data)) {
    std::int64_t below = 0, used = 0;
    m_tree.Walk(id, [&](const AirportTree::Node& child, int) {
      if (CAirport* const* airport = std::get_if<CAirport*>(&child.data)) {
        ++below;
        used += AirportUsed(**airport) ? 1 : 0;
      }
    });
    m_strAirportCount = FormatWhole(below) + " (" + FormatWhole(used) + " used)";
  }
  if (std::holds_alternative<std::monostate>(node->data)) {
    for (const auto& [name, region] : session_.world.regionMap) m_bUse = region->use;
  } else if (CCountry* const* country = std::get_if<CCountry*>(&node->data)) {
    SampleCallSign(*country);
    m_bUse = (*country)->countryUse;
  } else if (CState* const* state = std::get_if<CState*>(&node->data)) {
    SampleCallSign((*state)->country);
  } else if (CCity* const* city = std::get_if<CCity*>(&node->data)) {
    SampleCallSign((*city)->state != nullptr ? (*city)->state->country : nullptr);
  } else if (CAirport* const* carried = std::get_if<CAirport*>(&node->data)) {
    const CAirport& a = **carried;
    const CCountry* country =
        a.city != nullptr && a.city->state != nullptr ? a.city->state->country : nullptr;
    SampleCallSign(country);
    m_strICAO = a.icao;
    m_bHasIFR = a.hasILS != 0 && a.runwayLights != 0 ? 1 : 0;
    a.GetSurfaceName(m_strRunwayType);
    m_fTowerFrequency = static_cast<float>(a.towerFrequency / 1000000.0);
    m_comboType = Code(a.GetType());
    m_bMilitary = a.military;
    m_bUse = AirportUsed(a) ? 1 : 0;
    using enum ParkingType;
    const auto count = [&a](ParkingType type) { return std::uint64_t{a.ParkingCount(type)}; };
    m_nRamp = count(kRampGa) + count(kRampGaSmall) + count(kRampGaMedium) + count(kRampGaLarge);
    m_nCargo = count(kRampCargo);
    m_nMil = count(kRampMilitaryCargo) + count(kRampMilitaryCombat);
    if (m_nMil != 0) m_bMilitary = 1;
    m_nGates = count(kGateSmall) + count(kGateMedium) + count(kGateHeavy);
    m_nDock = count(kDockGa);
    m_fLandingFee.Show(a.landingFee);
  }
}

std::string CPAirports::Problem() const {
  const AirportNodeObject* object = SelectedObject();
  if (m_bApplied || object == nullptr || !std::holds_alternative<CAirport*>(*object)) return {};
  return FirstProblem({&m_fLandingFee});
}

bool CPAirports::OnApply() {
  if (m_bApplied) return true;
  if (!Acceptable()) return false;
  ForgetAnswers();
  const AirportNodeObject* object = SelectedObject();
  m_bApplied = true;
  SetModified(false);
  if (object == nullptr) return true;

  if (std::holds_alternative<std::monostate>(*object)) {
    for (auto& [regionName, region] : session_.world.regionMap) {
      region->use = m_bUse;
      for (auto& [countryName, country] : region->countries) country->countryUse = m_bUse;
    }
    return SaveAirports();
  }
  if (CCountry* const* country = std::get_if<CCountry*>(object)) {
    (*country)->countryUse = m_bUse;
    return SaveAirports();
  }
  CAirport* const* carried = std::get_if<CAirport*>(object);
  if (carried == nullptr) return true;  // a state or a city: nothing to write

  CAirport& a = **carried;
  a.military = m_bMilitary;
  a.useAirport = m_bUse;
  if (m_comboType >= 0 && m_comboType != Code(a.airportType)) a.airportType = AirportType{m_comboType};
  const float entered = m_fLandingFee.value;
  const float normal = a.NormalLandingFee(session_.settings);
  const bool ask = feeTyped_ || askAboutUntypedFee;
  feeTyped_ = false;
  if (ask && normal > entered * kFeeTolerance) {
    if (Ask(LowFeeQuestion(entered, normal))) {
      a.landingFee = entered;
      a.feeSetByUser = 1;
    } else {
      a.landingFee = normal;
      a.feeSetByUser = 0;
      m_fLandingFee.Show(normal);
    }
  } else if (a.landingFee != entered) {
    a.landingFee = entered;
    a.feeSetByUser = 1;
  }
  return SaveAirports();
}

}
