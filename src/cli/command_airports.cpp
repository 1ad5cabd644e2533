// Commands of the Airports page: airports, airport, country, world.
#include <CLI/CLI.hpp>
#include <memory>
#include <ostream>
#include <vector>

#include "cli/page_commands.h"
#include "platform/numbers.h"
#include "platform/text.h"

namespace wf::cli {

namespace {

using ui::AirportNodeObject;
using ui::AirportTree;
using ui::CPAirports;
using ui::kNoNode;
using ui::NodeId;

NodeId WorldNode(const CPAirports& page) {
  return page.m_tree.TopLevel().empty() ? kNoNode : page.m_tree.TopLevel().front();
}

// "Germany/Bavaria/Munich": the labels from below World down to the node.
std::string NodePath(const AirportTree& tree, NodeId id) {
  std::string path;
  for (const AirportTree::Node* node = tree.Find(id); node != nullptr && node->parent != kNoNode;
       node = tree.Find(node->parent)) {
    path = path.empty() ? node->label : node->label + "/" + path;
  }
  return path;
}

// The country, state or city nodes that `spec` names: one label, or a path of labels from the
// country down ("United States/Oregon/Portland"); labels match without regard to case.
std::vector<NodeId> FindRegionNodes(const AirportTree& tree, NodeId world, const std::string& spec) {
  const bool path = spec.find('/') != std::string::npos;
  // A name shared by places of different levels names the highest: "Georgia" is the country, and
  // "United States/Georgia" the state.
  std::vector<NodeId> found;
  std::size_t foundLevel = 0;
  tree.Walk(world, [&](const AirportTree::Node& node, int depth) {
    if (depth == 0 || std::holds_alternative<CAirport*>(node.data)) return;
    if (!EqualsIgnoringCase(path ? NodePath(tree, node.id) : node.label, spec)) return;
    const std::size_t level = node.data.index();  // country, state, city
    if (!found.empty() && level > foundLevel) return;
    if (!found.empty() && level < foundLevel) found.clear();
    foundLevel = level;
    found.push_back(node.id);
  });
  return found;
}

void PrintTree(std::ostream& out, const AirportTree& tree, NodeId from) {
  tree.Walk(from, [&](const AirportTree::Node& node, int depth) {
    out << std::string(2 * depth, ' ');
    if (CAirport* const* airport = std::get_if<CAirport*>(&node.data)) {
      out << (*airport)->icao << "  " << node.label;
      if ((*airport)->useAirport == 0) out << "  [not used]";
      if ((*airport)->military != 0) out << "  [military]";
    } else {
      out << (node.label.empty() ? "(no name)" : node.label);
      if (CCountry* const* country = std::get_if<CCountry*>(&node.data);
          country && (*country)->countryUse == 0) {
        out << "  [not used]";
      }
    }
    out << "\n";
  });
}

void PrintAirportFields(std::ostream& out, const CPAirports& page, const CAirport& airport) {
  out << "Airport " << airport.name << "\n"
      << "  Call Sign:            " << page.m_strCallSign << "\n"
      << "  ICAO:                 " << page.m_strICAO << "\n"
      << "  has IFR:              " << YesNo(page.m_bHasIFR) << "\n"
      << "  longest Runway type:  " << page.m_strRunwayType << "\n"
      << "  Use:                  " << YesNo(page.m_bUse) << "\n"
      << "  Military:             " << YesNo(page.m_bMilitary) << "\n"
      << "  Airport type:         " << AirportTypeName(AirportType{page.m_comboType}) << " ("
      << page.m_comboType << ")\n"
      << "  Parking places:       Gates " << page.m_nGates << ", Ramp " << page.m_nRamp << ", Cargo "
      << page.m_nCargo << ", Mil. " << page.m_nMil << ", Dock " << page.m_nDock << "\n"
      << "  Tower Frequency:      " << FormatNumber(page.m_fTowerFrequency) << " MHz\n"
      << "  Landing fees:         " << page.m_fLandingFee.text() << "\n";
}

int RunAirports(CommandContext& context, const std::string& spec) {
  Session& session = context.StartWritingSession("airports");
  ui::MainSheet sheet(session);
  if (!OpenSheet(context, sheet, ui::PageId::kAirports)) return 1;
  const CPAirports& page = sheet.airports;
  const NodeId world = WorldNode(page);
  if (spec.empty()) {
    PrintTree(context.out(), page.m_tree, world);
    return 0;
  }
  const std::vector<NodeId> found = FindRegionNodes(page.m_tree, world, spec);
  if (found.size() == 1) {
    PrintTree(context.out(), page.m_tree, found.front());
    return 0;
  }
  if (found.empty()) {
    context.err() << "wingfold: no country, state or city is named \"" << spec
                  << "\"; `wingfold airports` lists them\n";
  } else {
    context.err() << "wingfold: \"" << spec << "\" names " << found.size()
                  << " places; name one by its path:\n";
    for (NodeId id : found) context.err() << "  " << NodePath(page.m_tree, id) << "\n";
  }
  return 1;
}

struct AirportOptions {
  std::string icao;
  std::string use, military, type, fee;
  CLI::Option *useOption = nullptr, *militaryOption = nullptr, *typeOption = nullptr, *feeOption = nullptr;
};

int RunAirport(CommandContext& context, const AirportOptions& o) {
  Session& session = context.StartWritingSession("airport");
  ui::MainSheet sheet(session);
  if (!OpenSheet(context, sheet, ui::PageId::kAirports)) return 1;
  CPAirports& page = sheet.airports;
  page.OnICAOChanged(o.icao);
  const AirportNodeObject* selected = page.SelectedObject();
  CAirport* const* airport = selected != nullptr ? std::get_if<CAirport*>(selected) : nullptr;
  if (airport == nullptr) {
    context.err() << "wingfold: no airport has the ICAO ident " << ToUpperAscii(o.icao) << "\n";
    return 1;
  }
  bool edited = false;
  if (o.typeOption->count() > 0) {
    page.OnTypeSelected(*ui::AirportTypeByName(o.type));
    edited = true;
  }
  if (o.useOption->count() > 0) {
    page.OnUseClicked(IsYes(o.use));
    edited = true;
  }
  if (o.militaryOption->count() > 0) {
    page.OnMilitaryClicked(IsYes(o.military));
    edited = true;
  }
  if (o.feeOption->count() > 0) {
    page.OnLandingFeeChanged(o.fee);
    edited = true;
  }
  const bool applied = !edited || sheet.Apply();
  PrintAirportFields(context.out(), page, **airport);
  return ApplyStatus(applied);
}

// `country NAME` (every country node of that name) and `world` (NAME empty): show, or set the use
// flag when `useGiven`.
int RunUse(CommandContext& context, const std::string& country, const std::string& use, bool useGiven) {
  Session& session = context.StartWritingSession(country.empty() ? "world" : "country");
  ui::MainSheet sheet(session);
  if (!OpenSheet(context, sheet, ui::PageId::kAirports)) return 1;
  CPAirports& page = sheet.airports;
  const NodeId world = WorldNode(page);
  std::vector<NodeId> nodes;
  if (country.empty()) {
    nodes.push_back(world);
  } else if (const AirportTree::Node* worldNode = page.m_tree.Find(world)) {
    for (NodeId child : worldNode->children) {
      if (EqualsIgnoringCase(page.m_tree.Find(child)->label, country)) nodes.push_back(child);
    }
  }
  if (nodes.empty()) {
    context.err() << "wingfold: no country is named \"" << country << "\"; `wingfold airports` lists them\n";
    return 1;
  }
  bool applied = true;
  for (NodeId node : nodes) {
    page.OnTreeSelectionChanged(node);
    if (useGiven) {
      page.OnUseClicked(IsYes(use));
      applied = sheet.Apply() && applied;
    }
    context.out() << (country.empty() ? "World" : "Country " + page.m_tree.Find(node)->label) << "\n";
    if (!country.empty()) context.out() << "  Call Sign:  " << page.m_strCallSign << "\n";
    context.out() << "  Use:        " << YesNo(page.m_bUse) << "\n";
  }
  return ApplyStatus(applied);
}

}

std::vector<CommandRegistration> AddAirportPageCommands(CLI::App& app) {
  std::vector<CommandRegistration> commands;

  auto* airports =
      app.add_subcommand("airports", "List the airport tree, whole or below a country, state or city");
  auto node = std::make_shared<std::string>();
  airports->add_option("NODE", *node,
                       "A country, state or city, by name or by path (\"United States/Oregon/Portland\")");
  commands.push_back({airports, [node](CommandContext& context) { return RunAirports(context, *node); }});

  auto* airport =
      app.add_subcommand("airport", "Show an airport, or change its use, military flag, type or landing fee");
  auto o = std::make_shared<AirportOptions>();
  airport->add_option("ICAO", o->icao, "The airport's ICAO ident (any case)")->required();
  o->useOption = AddYesNoOption(*airport, "--use", o->use, "Use the airport for traffic");
  o->militaryOption =
      AddYesNoOption(*airport, "--military", o->military, "The airport is military (no GA traffic)");
  o->typeOption =
      airport->add_option("--type", o->type, "Airport type, by name (\"small airfield\") or index 0-8")
          ->type_name("NAME|INDEX")
          ->check(CLI::Validator(
              [](std::string& value) {
                return ui::AirportTypeByName(value)
                           ? std::string()
                           : "not an airport type: \"" + value +
                                 "\" (Bush, Gras Strip, small airfield, ... Seaplane Base, or 0-8)";
              },
              "", "airport type"));
  o->feeOption =
      airport->add_option("--fee", o->fee, "Landing fee; a fee below the normal fee is asked about")
          ->type_name("AMOUNT");
  commands.push_back({airport, [o](CommandContext& context) { return RunAirport(context, *o); }});

  auto* country = app.add_subcommand("country", "Show a country, or change whether its airports are used");
  auto name = std::make_shared<std::string>();
  auto countryUse = std::make_shared<std::string>();
  country->add_option("NAME", *name, "The country's name (any case)")->required();
  auto* countryUseOption =
      AddYesNoOption(*country, "--use", *countryUse, "Use the country's airports for traffic");
  commands.push_back({country, [name, countryUse, countryUseOption](CommandContext& context) {
                        return RunUse(context, *name, *countryUse, countryUseOption->count() > 0);
                      }});

  auto* world = app.add_subcommand("world", "Show, or change, whether every region and country is used");
  auto worldUse = std::make_shared<std::string>();
  auto* worldUseOption =
      AddYesNoOption(*world, "--use", *worldUse, "Use every region and country for traffic");
  commands.push_back({world, [worldUse, worldUseOption](CommandContext& context) {
                        return RunUse(context, "", *worldUse, worldUseOption->count() > 0);
                      }});
  return commands;
}

}
