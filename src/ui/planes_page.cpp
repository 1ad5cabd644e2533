#include "ui/planes_page.h"

#include <cmath>
#include <unordered_map>

#include "app/databases.h"

namespace wf::ui {

namespace {

constexpr const char* kModelQuestion =
    "This action will change the values of the base aircraft, all variations of the base aircraft will "
    "apply those values too.\nAre youre sure?";

// The values as "%5.2f" writes them.
std::string LowMoneyQuestion(double entered, double normal) {
  return "The money per week value of " + FormatFixed(entered, 2, 5) +
         " is below the 'normal' money per week value (" + FormatFixed(normal, 2, 5) + "). Is this correct?";
}

// Money per flight is money per week over 70 flights.
constexpr float kFlightsPerWeek = 70.0f;
// A model's money per week may lie this far below its normal value without a question.
constexpr float kModelMoneyTolerance = 0.05f;

CAircraft* ModelOf(const PlaneTree::Node& node) {
  CAircraft* const* model = std::get_if<CAircraft*>(&node.data);
  return model != nullptr ? *model : nullptr;
}

bool IsVariationNode(const PlaneTree::Node& node) {
  return std::holds_alternative<std::uint16_t>(node.data);
}

// A title with a comma cannot be written to the compiler's comma-separated aircraft file.
bool UsableTitle(const std::string& title) {
  return title.find(',') == std::string::npos;
}

std::int32_t UseForGA(bool ticked, std::int32_t usage, const std::string& title) {
  return ticked && usage != 0 && UsableTitle(title) ? 1 : 0;
}

bool ModelSelected(const SheetPage& page) {
  return static_cast<const CPPlanes&>(page).m_bModelBoxesEnabled;
}

// A model or a variation: the root takes no values.
bool PlaneSelected(const SheetPage& page) {
  const auto& planes = static_cast<const CPPlanes&>(page);
  const PlaneTree::Node* node = planes.m_tree.Find(planes.m_hSelectedItem);
  return node != nullptr && (ModelOf(*node) != nullptr || IsVariationNode(*node));
}

using P = CPPlanes;
const PageField kFields[] = {
    NumberBoxField<&P::m_nCruiseSpeed, &P::OnCruiseSpeedChanged>(P::kCruiseSpeed, ModelSelected),
    NumberBoxField<&P::m_nStallSpeed, &P::OnStallSpeedChanged>(P::kStallSpeed, ModelSelected),
    NumberBoxField<&P::m_nRange, &P::OnRangeChanged>(P::kRange, ModelSelected),
    NumberBoxField<&P::m_nFuel, &P::OnFuelChanged>(P::kFuel, ModelSelected),
    ValueField<&P::m_bUseForGA, &P::OnUseForGAClicked>(P::kUseForGA, PlaneSelected),
    ValueField<&P::m_bIFREquipped, &P::OnIFREquippedClicked>(P::kIFREquipped, ModelSelected),
    ValueField<&P::m_bHasWheels>(P::kHasWheels),
    NumberBoxField<&P::m_fProbability, &P::OnProbabilityChanged>(P::kProbability, PlaneSelected),
    NumberBoxField<&P::m_fMoneyPerWeek, &P::OnMoneyPerWeekChanged>(P::kMoneyPerWeek, PlaneSelected),
    NumberBoxField<&P::m_fMoneyPerFlight, &P::OnMoneyPerFlightChanged>(P::kMoneyPerFlight, PlaneSelected),
    ValueField<&P::UsageMask, &P::OnUsageChanged>(P::kUsage, PlaneSelected),
    ValueField<&P::m_bBushplane, &P::OnBushplaneClicked>(P::kBushplane, ModelSelected),
    ValueField<&P::m_bAmphibian, &P::OnAmphibianClicked>(P::kAmphibian, ModelSelected),
    ValueField<&P::m_bSkis, &P::OnSkisClicked>(P::kSkis, ModelSelected),
};

}

CPPlanes::CPPlanes(Session& session) : SheetPage(session) {}

std::span<const PageField> CPPlanes::FieldTable() {
  return kFields;
}

bool CPPlanes::IsModelValue(const PageField& field) {
  return field.applies == ModelSelected;
}

void CPPlanes::OnInitDialog() {
  m_bSaved = true;
  m_bReady = true;
  BuildPlaneTree(true);
}

std::string CPPlanes::EditedItem() const {
  const PlaneTree::Node* node = m_tree.Find(m_hSelectedItem);
  return node != nullptr ? node->label : std::string();
}

void CPPlanes::DropEdits() {
  ShowNode(m_hSelectedItem);
}

int CPPlanes::ModelImage(const CAircraft& model) const {
  if (model.hasWheels == 0 || model.maxWeight > session_.settings.maxWeightGA) return kImageNotForGA;
  return model.useForGA != 0 && model.probability != 0.0f ? kImageUsable : kImageSwitchedOff;
}

int CPPlanes::VariationImage(const CAI_Aircraft& variation) const {
  const CAircraft* model = variation.aircraft;
  if (model != nullptr && (model->hasWheels == 0 || model->maxWeight > session_.settings.maxWeightGA)) {
    return kImageNotForGA;
  }
  return variation.useForGA != 0 && variation.probability != 0.0f ? kImageUsable : kImageSwitchedOff;
}

void CPPlanes::BuildPlaneTree(bool first) {
  m_pAircraft = nullptr;
  m_pVariation = nullptr;
  if (!m_bReady) return;
  if (first) EnableGenerateButton();
  std::string noted;
  bool haveNoted = false;
  if (const PlaneTree::Node* selected = m_tree.Find(m_hSelectedItem); selected != nullptr && !first) {
    noted = selected->label;
    haveNoted = true;
  }
  m_tree.Clear();

  World& world = session_.world;
  const NodeId root = m_tree.Insert(kNoNode, "All planes", std::monostate{});
  NodeId matched = kNoNode;
  std::unordered_map<const CAircraft*, NodeId> modelNodes;
  for (auto& [key, model] : world.aircraftTypes) {
    if (world.aircraftTypes.Find(std::string(kAIPrefix) + key) != nullptr) {
      // Converted: only the AI copy is shown, and the flyable model flies no GA traffic.
      model->useForGA = 0;
      for (auto& [title, variation] : world.aircraftNames) {
        if (variation->aircraft == model.get()) variation->useForGA = 0;
      }
      continue;
    }
    const NodeId node = m_tree.Insert(root, key, model.get(), ModelImage(*model));
    modelNodes.emplace(model.get(), node);
    if (haveNoted && (key == noted || key == std::string(kAIPrefix) + noted)) matched = node;
  }
  for (auto& [title, variation] : world.aircraftNames) {
    const auto found = modelNodes.find(variation->aircraft);
    if (found == modelNodes.end()) continue;
    if (IsAICopyName(variation->aircraft->name) && !IsAICopyName(title)) continue;
    m_tree.Insert(found->second, title, variation->number, VariationImage(*variation));
  }
  m_tree.SortChildren(root, [](const PlaneTree::Node& a, const PlaneTree::Node& b) {
    const CAircraft* modelA = ModelOf(a);
    const CAircraft* modelB = ModelOf(b);
    return modelA != nullptr && modelB != nullptr && modelA->name < modelB->name;
  });
  m_hSelectedItem = matched != kNoNode ? matched : root;
}

bool CPPlanes::ShownBy(const NameFilter& filter, NodeId id) const {
  const PlaneTree::Node* node = m_tree.Find(id);
  if (node == nullptr || node->parent == kNoNode || filter.Matches(node->label)) return true;
  if (IsVariationNode(*node)) {
    const PlaneTree::Node* model = m_tree.Find(node->parent);
    return model != nullptr && filter.Matches(model->label);
  }
  for (NodeId child : node->children) {
    if (filter.Matches(m_tree.Find(child)->label)) return true;
  }
  return false;
}

void CPPlanes::MarkEdited() {
  m_bSaved = false;
  SetModified();
}

std::int32_t CPPlanes::UsageMask() const {
  std::int32_t mask = 0;
  const std::int32_t boxes[kCategoryCount] = {m_bPrivat, m_bClub,     m_bStudent,
                                              m_bRental, m_bBusiness, m_bTaxi};
  for (int c = 0; c < kCategoryCount; ++c) {
    if (boxes[c] != 0) mask |= 1 << c;
  }
  return mask;
}

std::int32_t& CPPlanes::UsageBox(Category category) {
  switch (category) {
    case kPrivate:
      return m_bPrivat;
    case kClub:
      return m_bClub;
    case kTraining:
      return m_bStudent;
    case kRental:
      return m_bRental;
    case kBusiness:
      return m_bBusiness;
    case kTaxi:
    default:
      return m_bTaxi;
  }
}

void CPPlanes::SetUsageBoxes(std::int32_t usage) {
  for (int c = 0; c < kCategoryCount; ++c) UsageBox(static_cast<Category>(c)) = (usage >> c) & 1;
}

void CPPlanes::ShowModelValues(const CAircraft& model) {
  m_nCruiseSpeed.Show(static_cast<std::uint32_t>(model.cruiseSpeed));
  m_nFuel.Show(model.fuelCapacity);
  m_nRange.Show(model.range);
  m_nStallSpeed.Show(static_cast<std::uint32_t>(model.stallSpeed));
  m_bHasWheels = model.hasWheels == 1;
  m_bIFREquipped = model.ifr;
  m_bSkis = model.skis == 1;
  m_bBushplane = model.bushPlane == 1;
  m_bAmphibian = model.amphibian == 1;
}

void CPPlanes::ShowChoiceValues(float probability, std::int32_t useForGA, float moneyPerWeek,
                                std::int32_t usage) {
  m_fProbability.Show(probability);
  m_bUseForGA = useForGA == 1;
  m_fMoneyPerWeek.Show(moneyPerWeek);
  SetUsageBoxes(usage);
}

void CPPlanes::ShowNode(NodeId id) {
  SetModified(false);
  m_hSelectedItem = id;
  const PlaneTree::Node* node = m_tree.Find(id);
  if (node == nullptr) return;
  if (CAircraft* model = ModelOf(*node)) {
    m_pAircraft = model;
    m_pVariation = nullptr;
  } else if (IsVariationNode(*node)) {
    if (CAI_Aircraft* variation = session_.world.aircraftNames.Find(node->label)) {
      m_pVariation = variation;
      m_pAircraft = variation->aircraft;
    }
  }
  if (m_pAircraft != nullptr) {
    m_bModelBoxesEnabled = ModelOf(*node) != nullptr;
    ShowModelValues(*m_pAircraft);
    if (m_pVariation != nullptr) {
      ShowChoiceValues(m_pVariation->probability, m_pVariation->useForGA, m_pVariation->moneyPerWeek,
                       m_pVariation->usage);
    } else {
      ShowChoiceValues(m_pAircraft->probability, m_pAircraft->useForGA, m_pAircraft->moneyPerWeek,
                       m_pAircraft->usage);
    }
  } else {
    m_bModelBoxesEnabled = false;
  }
  m_fMoneyPerFlight.Show(m_fMoneyPerWeek.value / kFlightsPerWeek);
}

void CPPlanes::OnTreeSelectionChanged(NodeId node) {
  ShowNode(node);
}

template <class T>
void CPPlanes::EditNumber(NumberField<T>& box, const std::string& text) {
  const T before = box.value;
  // A refused text marks the page too, so that the apply says what is wrong with it.
  if (!box.SetText(text) || box.value != before) MarkEdited();
}

void CPPlanes::OnCruiseSpeedChanged(const std::string& text) {
  EditNumber(m_nCruiseSpeed, text);
}

void CPPlanes::OnStallSpeedChanged(const std::string& text) {
  EditNumber(m_nStallSpeed, text);
}

void CPPlanes::OnRangeChanged(const std::string& text) {
  EditNumber(m_nRange, text);
}

void CPPlanes::OnFuelChanged(const std::string& text) {
  EditNumber(m_nFuel, text);
}

void CPPlanes::OnProbabilityChanged(const std::string& text) {
  EditNumber(m_fProbability, text);
}

void CPPlanes::OnMoneyPerWeekChanged(const std::string& text) {
  if (!m_fMoneyPerWeek.SetText(text)) {
    MarkEdited();
    return;
  }
  if (m_fMoneyPerFlight.value * kFlightsPerWeek != m_fMoneyPerWeek.value) {
    m_fMoneyPerFlight.Show(m_fMoneyPerWeek.value / kFlightsPerWeek);
    MarkEdited();
  }
}

void CPPlanes::OnMoneyPerFlightChanged(const std::string& text) {
  if (!m_fMoneyPerFlight.SetText(text)) {
    MarkEdited();
    return;
  }
  if (m_fMoneyPerFlight.value * kFlightsPerWeek != m_fMoneyPerWeek.value) {
    m_fMoneyPerWeek.Show(m_fMoneyPerFlight.value * kFlightsPerWeek);
    MarkEdited();
  }
}

void CPPlanes::OnUseForGAClicked(bool checked) {
  m_bUseForGA = checked;
  MarkEdited();
}

void CPPlanes::OnIFREquippedClicked(bool checked) {
  m_bIFREquipped = checked;
  MarkEdited();
}

void CPPlanes::OnUsageClicked(Category category, bool checked) {
  UsageBox(category) = checked;
  MarkEdited();
}

void CPPlanes::OnUsageChanged(std::int64_t mask) {
  for (int c = 0; c < kCategoryCount; ++c) UsageBox(static_cast<Category>(c)) = (mask >> c) & 1;
  MarkEdited();
}

void CPPlanes::OnBushplaneClicked(bool checked) {
  m_bBushplane = checked;
  MarkEdited();
}

void CPPlanes::OnAmphibianClicked(bool checked) {
  m_bAmphibian = checked;
  MarkEdited();
}

void CPPlanes::OnSkisClicked(bool checked) {
  m_bSkis = checked;
  MarkEdited();
}

std::string CPPlanes::Problem() const {
  if (m_bSaved) return {};
  const PlaneTree::Node* node = m_tree.Find(m_hSelectedItem);
  if (node == nullptr) return {};
  std::string problem;
  const CAI_Aircraft* variation = nullptr;
  const CAircraft* model = ModelOf(*node);
  if (model != nullptr) {
    problem = FirstProblem({&m_nCruiseSpeed, &m_nStallSpeed, &m_nRange, &m_nFuel, &m_fProbability,
                            &m_fMoneyPerWeek, &m_fMoneyPerFlight});
  } else if (IsVariationNode(*node)) {
    problem = FirstProblem({&m_fProbability, &m_fMoneyPerWeek, &m_fMoneyPerFlight});
    variation = session_.world.aircraftNames.Find(node->label);
  }
  // "Use for GA:" ticked by the user where the apply would switch it off again.
  const std::int32_t stored = variation != nullptr ? variation->useForGA
                              : model != nullptr   ? model->useForGA
                                                   : 1;
  if (!problem.empty() || m_bUseForGA == 0 || stored != 0) return problem;
  if (variation != nullptr && !UsableTitle(variation->title)) {
    return std::string(kUseForGA.label) + " \"" + variation->title +
           "\" holds a comma, which the traffic compiler's aircraft file cannot take; this variation cannot "
           "fly GA traffic.";
  }
  if (UsageMask() == 0) {
    return std::string(kUseForGA.label) + " no category of \"" + kUsage.label + "\" is ticked. Tick one.";
  }
  return {};
}

bool CPPlanes::OnApply() {
  if (m_bSaved) return true;
  if (!Acceptable()) return false;
  ForgetAnswers();
  const NodeId id = m_hSelectedItem;
  const PlaneTree::Node* node = m_tree.Find(id);
  bool done = true;
  if (node != nullptr) {
    if (CAircraft* model = ModelOf(*node)) {
      done = ApplyModel(*model, id);
    } else if (IsVariationNode(*node)) {
      if (CAI_Aircraft* variation = session_.world.aircraftNames.Find(node->label)) {
        ApplyVariation(*variation, id);
      }
    }
  }
  m_fMoneyPerFlight.Show(m_fMoneyPerWeek.value / kFlightsPerWeek);
  return done;
}

float CPPlanes::CheckedMoneyPerWeek(float normal, float tolerance) {
  const float entered = m_fMoneyPerWeek.value;
  if (!(normal > entered + static_cast<double>(tolerance))) return entered;
  if (Ask(LowMoneyQuestion(entered, normal))) return entered;
  m_fMoneyPerWeek.Show(normal);
  m_fMoneyPerFlight.Show(normal / kFlightsPerWeek);
  return normal;
}

void CPPlanes::ApplyVariation(CAI_Aircraft& variation, NodeId id) {
  SetModified(false);
  variation.probability = m_fProbability.value;
  if (variation.moneyPerWeek != m_fMoneyPerWeek.value) {
    const float normal = variation.aircraft != nullptr ? variation.aircraft->ComputeMoneyPerWeek() : 0.0f;
    variation.moneyPerWeek = CheckedMoneyPerWeek(normal, 0.0f);
  }
  variation.usage = UsageMask();
  variation.useForGA = UseForGA(m_bUseForGA != 0, variation.usage, variation.title);
  m_bUseForGA = variation.useForGA;
  const bool noWheels = variation.aircraft != nullptr && variation.aircraft->hasWheels == 0;
  m_tree.SetImage(id, noWheels                                                   ? kImageNotForGA
                      : variation.useForGA != 0 && variation.probability != 0.0f ? kImageUsable
                                                                                 : kImageSwitchedOff);
}

void CPPlanes::SetFuelFlow(CAircraft& model) {
  const double flow = (static_cast<double>(model.fuelCapacity) / model.engineCount) /
                      (static_cast<double>(model.range) / model.cruiseSpeed);
  if (std::isfinite(flow)) {
    model.fuelFlow = static_cast<float>(flow);
    return;
  }
  session_.prompter->Message("The fuel flow of " + model.name + " cannot be computed from " +
                                 std::to_string(model.engineCount) + " engines and a range of " +
                                 std::to_string(model.range) + " nm; it keeps its fuel flow of " +
                                 FormatNumber(model.fuelFlow) + " l/h.",
                             MessageIcon::kInformation);
}

bool CPPlanes::ApplyModel(CAircraft& model, NodeId id) {
  if (Ask(kModelQuestion)) {
    SetModified(false);
    model.cruiseSpeed = static_cast<std::int32_t>(m_nCruiseSpeed.value);
    model.fuelCapacity = m_nFuel.value;
    model.range = m_nRange.value;
    SetFuelFlow(model);
    model.stallSpeed = static_cast<std::int32_t>(m_nStallSpeed.value);
    model.probability = m_fProbability.value;
    model.useForGA = m_bUseForGA;
    if (model.moneyPerWeek != m_fMoneyPerWeek.value) {
      model.moneyPerWeek = CheckedMoneyPerWeek(model.ComputeMoneyPerWeek(), kModelMoneyTolerance);
    }
    model.ifr = m_bIFREquipped;
    model.skis = m_bSkis;
    model.bushPlane = m_bBushplane;
    model.amphibian = m_bAmphibian;
    model.usage = UsageMask();
    model.useForGA = model.usage != 0 && m_bUseForGA != 0 ? 1 : 0;
    m_bUseForGA = model.useForGA;

    const int image = ModelImage(model);
    m_tree.SetImage(id, image);
    if (const PlaneTree::Node* node = m_tree.Find(id)) {
      for (NodeId child : node->children) m_tree.SetImage(child, image);
    }
    for (auto& [title, variation] : session_.world.aircraftNames) {
      if (variation->aircraft != &model) continue;
      variation->probability = m_fProbability.value;
      variation->moneyPerWeek = m_fMoneyPerWeek.value;
      variation->usage = model.usage;
      variation->useForGA = UseForGA(m_bUseForGA != 0, variation->usage, variation->title);
    }
  } else {
    ShowModelValues(model);
    ShowChoiceValues(model.probability, model.useForGA, model.moneyPerWeek, model.usage);
  }
  m_hSelectedItem = id;
  return WriteAircraftFiles(session_);
}

MakeAIPlaneResult CPPlanes::OnMakeAIPlane(const std::function<int(MakeAI_Plane&)>& runDialog) {
  MakeAIPlaneResult result;
  if (m_pAircraft == nullptr) return result;
  CAircraft& aircraft = *m_pAircraft;
  MakeAI_Plane dialog(&aircraft, session_);
  dialog.OnInitDialog();
  result.dialogResult = runDialog ? runDialog(dialog) : -1;
  if (result.dialogResult == -1) {
    session_.prompter->Message(kDialogNotCreated, MessageIcon::kStop);
    return result;
  }
  if (const std::string failure = dialog.FailureText(); !failure.empty()) {
    result.failed = true;
    session_.prompter->Message(failure, MessageIcon::kStop);
  }
  if (result.dialogResult != kDialogOK) return result;
  if (const std::string problems = dialog.Problems(); !problems.empty()) {
    session_.prompter->Message(problems, MessageIcon::kWarning);
  }
  result.entry = EnterAICopy(session_.world, aircraft);
  // Only a model's apply writes the aircraft files; the copy's entry must reach them in any case.
  const PlaneTree::Node* node = m_tree.Find(m_hSelectedItem);
  const bool modelSelected = node != nullptr && ModelOf(*node) != nullptr;
  m_bSaved = false;
  const bool applied = OnApply();
  result.aircraftFilesSaved = modelSelected && applied;
  BuildPlaneTree(false);
  m_bSaved = true;
  if (!modelSelected || !applied) result.aircraftFilesSaved = WriteAircraftFiles(session_);
  return result;
}

}
