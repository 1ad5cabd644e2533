// Commands of the Planes page: planes, plane, variation.
#include <CLI/CLI.hpp>
#include <memory>
#include <ostream>
#include <vector>

#include "cli/name_lookup.h"
#include "cli/page_commands.h"
#include "platform/text.h"

namespace wf::cli {

namespace {

using ui::CPPlanes;
using ui::kNoNode;
using ui::NodeId;
using ui::PlaneTree;

const char* StateName(int image) {
  switch (image) {
    case ui::kImageUsable:
      return "usable";
    case ui::kImageSwitchedOff:
      return "switched off";
    default:
      return "cannot fly GA";
  }
}

// LIST: category names separated by commas; "none" or nothing for no category. Nothing when a name
// is not a category.
std::optional<std::int32_t> UsageMask(const std::string& list) {
  std::int32_t mask = 0;
  if (EqualsIgnoringCase(Trim(list), "none")) return mask;
  for (std::size_t start = 0; start <= list.size();) {
    std::size_t comma = list.find(',', start);
    if (comma == std::string::npos) comma = list.size();
    const std::string_view name = Trim(std::string_view(list).substr(start, comma - start));
    if (!name.empty()) {
      const std::optional<Category> category = ui::CategoryByName(name);
      if (!category) return std::nullopt;
      mask |= 1 << *category;
    }
    start = comma + 1;
  }
  return mask;
}

void PrintTree(std::ostream& out, const PlaneTree& tree) {
  tree.Walk(kNoNode, [&](const PlaneTree::Node& node, int depth) {
    out << std::string(2 * depth, ' ') << node.label;
    if (depth > 0) out << "  [" << StateName(node.image) << "]";
    out << "\n";
  });
}

// The node labelled `name` among the root's children (models, depth 1) or their children
// (variations, depth 2), see MatchName; kNoNode with the reason in `why` when there is none.
NodeId FindNode(const PlaneTree& tree, const std::string& name, int depth, std::string& why) {
  std::vector<std::string_view> labels;
  std::vector<NodeId> ids;
  for (NodeId top : tree.TopLevel()) {
    tree.Walk(top, [&](const PlaneTree::Node& node, int d) {
      if (d != depth) return;
      labels.push_back(node.label);
      ids.push_back(node.id);
    });
  }
  const NameMatches matches = MatchName(labels, name);
  if (matches.exact) return ids[*matches.exact];
  if (matches.folded.size() == 1) return ids[matches.folded.front()];
  if (matches.folded.size() > 1) why = AmbiguousName(name, labels, matches.folded);
  return kNoNode;
}

std::string UsageText(const CPPlanes& page) {
  std::string text;
  const std::pair<std::int32_t, const char*> boxes[] = {
      {page.m_bTaxi, "Taxi"},       {page.m_bBusiness, "Business"}, {page.m_bRental, "Rental"},
      {page.m_bStudent, "Student"}, {page.m_bClub, "Club"},         {page.m_bPrivat, "Privat"}};
  for (const auto& [ticked, name] : boxes) {
    if (ticked) text += (text.empty() ? "" : ", ") + std::string(name);
  }
  return text.empty() ? "none" : text;
}

void PrintFields(std::ostream& out, const CPPlanes& page, const PlaneTree::Node& node) {
  const bool model = std::holds_alternative<CAircraft*>(node.data);
  out << (model ? "Model " : "Variation ") << node.label;
  if (!model && page.m_pAircraft != nullptr) out << " (model " << page.m_pAircraft->name << ")";
  out << "\n"
      << "  state:                " << StateName(node.image) << "\n"
      << "  Cruise Speed (kts):   " << page.m_nCruiseSpeed.text() << "\n"
      << "  Stall Speed (kts):    " << page.m_nStallSpeed.text() << "\n"
      << "  Range (nm):           " << page.m_nRange.text() << "\n"
      << "  Fuel (l):             " << page.m_nFuel.text() << "\n"
      << "  has IFR equipment:    " << YesNo(page.m_bIFREquipped) << "\n"
      << "  has Wheels:           " << YesNo(page.m_bHasWheels) << "\n"
      << "  Bushplane:            " << YesNo(page.m_bBushplane) << "\n"
      << "  Amphibian:            " << YesNo(page.m_bAmphibian) << "\n"
      << "  has Skis:             " << YesNo(page.m_bSkis) << "\n"
      << "  Use for GA:           " << YesNo(page.m_bUseForGA) << "\n"
      << "  Probability (%):      " << page.m_fProbability.text() << "\n"
      << "  Money per week:       " << page.m_fMoneyPerWeek.text() << "\n"
      << "  Money per flight:     " << page.m_fMoneyPerFlight.text() << "\n"
      << "  Useage:               " << UsageText(page) << "\n";
}

struct PlaneOptions {
  std::string name;
  std::string cruise, stall, range, fuel, ifr, useGA, probability, moneyWeek, moneyFlight, usage, bush,
      amphibian, skis;
  CLI::Option *cruiseOption = nullptr, *stallOption = nullptr, *rangeOption = nullptr, *fuelOption = nullptr,
              *ifrOption = nullptr, *useGAOption = nullptr, *probabilityOption = nullptr,
              *moneyWeekOption = nullptr, *moneyFlightOption = nullptr, *usageOption = nullptr,
              *bushOption = nullptr, *amphibianOption = nullptr, *skisOption = nullptr;
};

// Feeds every option given to its box; true when there was one.
bool FeedOptions(CPPlanes& page, const PlaneOptions& o) {
  bool edited = false;
  const auto given = [&edited](const CLI::Option* option) {
    const bool isGiven = option != nullptr && option->count() > 0;
    edited = edited || isGiven;
    return isGiven;
  };
  if (given(o.cruiseOption)) page.OnCruiseSpeedChanged(o.cruise);
  if (given(o.stallOption)) page.OnStallSpeedChanged(o.stall);
  if (given(o.rangeOption)) page.OnRangeChanged(o.range);
  if (given(o.fuelOption)) page.OnFuelChanged(o.fuel);
  if (given(o.ifrOption)) page.OnIFREquippedClicked(IsYes(o.ifr));
  if (given(o.useGAOption)) page.OnUseForGAClicked(IsYes(o.useGA));
  if (given(o.probabilityOption)) page.OnProbabilityChanged(o.probability);
  if (given(o.moneyWeekOption)) page.OnMoneyPerWeekChanged(o.moneyWeek);
  if (given(o.moneyFlightOption)) page.OnMoneyPerFlightChanged(o.moneyFlight);
  if (given(o.usageOption)) {
    const std::int32_t mask = *UsageMask(o.usage);
    for (int c = 0; c < kCategoryCount; ++c) page.OnUsageClicked(static_cast<Category>(c), (mask >> c) & 1);
  }
  if (given(o.bushOption)) page.OnBushplaneClicked(IsYes(o.bush));
  if (given(o.amphibianOption)) page.OnAmphibianClicked(IsYes(o.amphibian));
  if (given(o.skisOption)) page.OnSkisClicked(IsYes(o.skis));
  return edited;
}

int RunPlanes(CommandContext& context) {
  Session& session = context.StartWritingSession("planes");
  ui::MainSheet sheet(session);
  if (!OpenSheet(context, sheet, ui::PageId::kPlanes)) return 1;
  PrintTree(context.out(), sheet.planes.m_tree);
  return 0;
}

int RunPlane(CommandContext& context, const PlaneOptions& o, bool model) {
  Session& session = context.StartWritingSession(model ? "plane" : "variation");
  ui::MainSheet sheet(session);
  if (!OpenSheet(context, sheet, ui::PageId::kPlanes)) return 1;
  CPPlanes& page = sheet.planes;
  std::string ambiguous;
  const NodeId node = FindNode(page.m_tree, o.name, model ? 1 : 2, ambiguous);
  if (!ambiguous.empty()) {
    context.err() << "wingfold: " << ambiguous << ", as `wingfold planes` lists it\n";
    return 1;
  }
  if (node == kNoNode) {
    const bool known = model ? session.world.aircraftTypes.Find(o.name) != nullptr
                             : session.world.aircraftNames.Find(o.name) != nullptr;
    context.err() << "wingfold: " << (model ? "model" : "variation") << " \"" << o.name << "\" "
                  << (known ? "is not shown in the plane tree (its model is missing, or has an AI copy that "
                              "is shown instead)"
                            : "is not in the plane tree")
                  << "; `wingfold planes` lists the tree\n";
    std::vector<std::string> labels;
    page.m_tree.Walk(kNoNode, [&](const PlaneTree::Node& n, int depth) {
      if (depth == (model ? 1 : 2)) labels.push_back(n.label);
    });
    SuggestNames(context.err(), o.name, labels);
    return 1;
  }
  page.OnTreeSelectionChanged(node);
  const bool applied = !FeedOptions(page, o) || sheet.Apply();
  PrintFields(context.out(), page, *page.m_tree.Find(node));
  return ApplyStatus(context, page, applied);
}

void AddChoiceOptions(CLI::App& command, PlaneOptions& o) {
  o.probabilityOption =
      command.add_option("--probability", o.probability, "Probability (%) in the fleet lottery, 0-100")
          ->type_name("P");
  o.moneyWeekOption = command.add_option("--money-week", o.moneyWeek, "Money per week")->type_name("M");
  o.moneyFlightOption =
      command.add_option("--money-flight", o.moneyFlight, "Money per flight (a week has 70 flights)")
          ->type_name("M")
          ->excludes(o.moneyWeekOption);
  o.usageOption =
      command
          .add_option("--usage", o.usage,
                      "The categories that fly it: taxi,business,rental,student,club,privat or none")
          ->type_name("LIST")
          ->check(CLI::Validator(
              [](std::string& value) {
                return UsageMask(value) ? std::string()
                                        : "not a list of categories: \"" + value +
                                              "\" (taxi, business, rental, student, club, privat, or none)";
              },
              "", "categories"));
  o.useGAOption = AddYesNoOption(command, "--use-ga", o.useGA, "Use for GA traffic");
}

}

std::vector<CommandRegistration> AddPlanePageCommands(CLI::App& app) {
  std::vector<CommandRegistration> commands;

  auto* planes =
      app.add_subcommand("planes", "List the plane tree: models and their variations, with each one's state");
  commands.push_back({planes, RunPlanes});

  auto* plane = app.add_subcommand(
      "plane", "Show a model, or change its values (handed down to its variations after a question)");
  auto model = std::make_shared<PlaneOptions>();
  TakesStoredName(
      AddNameArgument(*plane, "MODEL", model->name, "The model's name, as `wingfold planes` lists it")
          ->required());
  model->cruiseOption =
      plane->add_option("--cruise", model->cruise, "Cruise Speed (kts), 0-3000")->type_name("KTS");
  model->stallOption =
      plane->add_option("--stall", model->stall, "Stall Speed (kts), 0-3000")->type_name("KTS");
  model->rangeOption = plane->add_option("--range", model->range, "Range (nm)")->type_name("NM");
  model->fuelOption = plane->add_option("--fuel", model->fuel, "Fuel (l)")->type_name("L");
  model->ifrOption = AddYesNoOption(*plane, "--ifr", model->ifr, "has IFR equipment");
  AddChoiceOptions(*plane, *model);
  model->bushOption = AddYesNoOption(*plane, "--bush", model->bush, "Bushplane");
  model->amphibianOption = AddYesNoOption(*plane, "--amphibian", model->amphibian, "Amphibian");
  model->skisOption = AddYesNoOption(*plane, "--skis", model->skis, "has Skis");
  commands.push_back({plane, [model](CommandContext& context) { return RunPlane(context, *model, true); }});

  auto* variation = app.add_subcommand("variation", "Show a variation, or change its own values");
  auto paint = std::make_shared<PlaneOptions>();
  TakesStoredName(AddNameArgument(*variation, "TITLE", paint->name,
                                  "The variation's title, as `wingfold planes` lists it")
                      ->required());
  AddChoiceOptions(*variation, *paint);
  commands.push_back(
      {variation, [paint](CommandContext& context) { return RunPlane(context, *paint, false); }});
  return commands;
}

}
