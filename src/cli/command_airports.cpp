// Commands of the Airports page: airports, airport, country, world, and its search: find.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <memory>
#include <ostream>
#include <vector>

#include "cli/page_commands.h"
#include "platform/numbers.h"
#include "platform/text.h"
#include "ui/airport_search.h"

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

// The labels (or, with `paths`, the paths) of the country, state and city nodes.
std::vector<std::string> RegionNames(const AirportTree& tree, NodeId world, bool paths) {
  std::vector<std::string> names;
  tree.Walk(world, [&](const AirportTree::Node& node, int depth) {
    if (depth > 0 && !std::holds_alternative<CAirport*>(node.data))
      names.push_back(paths ? NodePath(tree, node.id) : node.label);
  });
  return names;
}

// One line per airport: ident, name, city and country in aligned columns.
void PrintMatches(std::ostream& out, const std::vector<ui::AirportMatch>& matches) {
  std::size_t identWidth = 0, nameWidth = 0, cityWidth = 0;
  for (const ui::AirportMatch& m : matches) {
    identWidth = std::max(identWidth, m.ident.size());
    nameWidth = std::max(nameWidth, m.name.size());
    cityWidth = std::max(cityWidth, m.city.size());
  }
  const auto column = [&out](const std::string& text, std::size_t width) {
    out << text << std::string(width - text.size() + 2, ' ');
  };
  for (const ui::AirportMatch& m : matches) {
    column(m.ident, identWidth);
    column(m.name, nameWidth);
    column(m.city, cityWidth);
    out << m.country << "\n";
  }
}

void PrintTree(std::ostream& out, const AirportTree& tree, NodeId from) {
  tree.Walk(from, [&](const AirportTree::Node& node, int depth) {
    out << std::string(2 * depth, ' ');
    if (CAirport* const* airport = std::get_if<CAirport*>(&node.data)) {
      out << (*airport)->icao << "  " << (*airport)->name;
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
    SuggestNames(context.err(), spec, RegionNames(page.m_tree, world, spec.find('/') != std::string::npos));
  } else {
    context.err() << "wingfold: \"" << spec << "\" names " << found.size()
                  << " places; name one by its path:\n";
    for (NodeId id : found) context.err() << "  " << NodePath(page.m_tree, id) << "\n";
  }
  return 1;
}

struct AirportOptions {
  std::string icao;
  FieldOptions fields;
};

int RunAirport(CommandContext& context, const AirportOptions& o) {
  Session& session = context.StartWritingSession("airport");
  ui::MainSheet sheet(session);
  if (!OpenSheet(context, sheet, ui::PageId::kAirports)) return 1;
  CPAirports& page = sheet.airports;
  page.askAboutUntypedFee = false;
  page.OnICAOChanged(o.icao);
  const AirportNodeObject* selected = page.SelectedObject();
  CAirport* const* airport = selected != nullptr ? std::get_if<CAirport*>(selected) : nullptr;
  if (airport == nullptr) {
    context.err() << "wingfold: no airport has the ICAO ident " << ToUpperAscii(o.icao);
    constexpr std::size_t kCandidates = 20;
    const ui::AirportSearchResult found = ui::AirportSearch(session.world).Find(o.icao, kCandidates);
    if (found.total == 0) {
      context.err() << ", nor an ident, name or city that contains \"" << o.icao << "\"\n";
      return 1;
    }
    context.err() << "; these contain \"" << o.icao << "\":\n";
    PrintMatches(context.err(), found.matches);
    if (found.total > found.matches.size())
      context.err() << "... and " << found.total - found.matches.size() << " more (wingfold find)\n";
    return 1;
  }
  const bool applied = !o.fields.Feed(page) || sheet.Apply();
  // A refused value is never shown as if it had been taken.
  if (!applied) return ApplyStatus(applied);
  context.out() << "Airport " << (*airport)->name << "\n";
  PrintFields(context.out(), page, page.Fields(), 22);
  return ApplyStatus(context, page, applied);
}

// The Use field of the airports page, the one option of `country` and `world`.
bool UseField(const ui::PageField& field) {
  return field.info == &CPAirports::kUse;
}

struct UseOptions {
  std::string country;
  FieldOptions fields;
};

// `country NAME` (every country node of that name) and `world` (`world`; NAME unused): show, or set
// the use flag.
int RunUse(CommandContext& context, bool world, const UseOptions& o) {
  const std::string& country = o.country;
  Session& session = context.StartWritingSession(world ? "world" : "country");
  ui::MainSheet sheet(session);
  if (!OpenSheet(context, sheet, ui::PageId::kAirports)) return 1;
  CPAirports& page = sheet.airports;
  std::vector<NodeId> nodes;
  if (world) {
    nodes.push_back(WorldNode(page));
  } else if (const AirportTree::Node* worldNode = page.m_tree.Find(WorldNode(page))) {
    for (NodeId child : worldNode->children) {
      if (EqualsIgnoringCase(page.m_tree.Find(child)->label, country)) nodes.push_back(child);
    }
  }
  if (nodes.empty()) {
    context.err() << "wingfold: no country is named \"" << country << "\"; `wingfold airports` lists them\n";
    std::vector<std::string> countries;
    if (const AirportTree::Node* worldNode = page.m_tree.Find(WorldNode(page))) {
      for (NodeId child : worldNode->children) countries.push_back(page.m_tree.Find(child)->label);
    }
    SuggestNames(context.err(), country, countries);
    return 1;
  }
  bool applied = true;
  for (NodeId node : nodes) {
    page.OnTreeSelectionChanged(node);
    if (o.fields.Feed(page) && !sheet.Apply()) {
      applied = false;
      continue;
    }
    context.out() << (world ? "World" : "Country " + page.m_tree.Find(node)->label) << "\n";
    if (!world) PrintFields(context.out(), page, {&FieldOf(page, CPAirports::kCallSign), 1}, 16);
    for (const ui::FieldInfo* info : {&CPAirports::kUse, &CPAirports::kAirportCount})
      PrintFields(context.out(), page, {&FieldOf(page, *info), 1}, 16);
  }
  return ApplyStatus(applied);
}

int RunFind(CommandContext& context, const std::string& text, std::size_t limit) {
  Session& session = context.StartWritingSession("find");
  ui::MainSheet sheet(session);
  if (!OpenSheet(context, sheet, ui::PageId::kAirports)) return 1;
  const ui::AirportSearchResult found =
      ui::AirportSearch(session.world).Find(text, limit == 0 ? session.world.airportIndex.size() : limit);
  if (found.total == 0) {
    context.err() << "wingfold: no airport's ident, name or city contains \"" << text << "\"\n";
    return 1;
  }
  PrintMatches(context.out(), found.matches);
  if (found.total > found.matches.size()) {
    context.err() << "wingfold: " << found.matches.size() << " of " << found.total
                  << " airports shown; --limit 0 shows them all\n";
  }
  return 0;
}

}

std::vector<CommandRegistration> AddAirportPageCommands(CLI::App& app) {
  std::vector<CommandRegistration> commands;

  auto* airports =
      app.add_subcommand("airports", "List the airport tree, whole or below a country, state or city");
  auto node = std::make_shared<std::string>();
  TakesStoredName(
      AddNameArgument(*airports, "NODE", *node,
                      "A country, state or city, by name or by path (\"United States/Oregon/Portland\")"));
  commands.push_back({airports, [node](CommandContext& context) { return RunAirports(context, *node); }});

  auto* airport =
      app.add_subcommand("airport", "Show an airport, or change its use, military flag, type or landing fee");
  auto o = std::make_shared<AirportOptions>();
  TakesStoredName(AddNameArgument(*airport, "ICAO", o->icao,
                                  "The airport's ICAO ident (any case); other text lists the airports that "
                                  "contain it, as find does")
                      ->required());
  o->fields.Add(*airport, CPAirports::FieldTable());
  commands.push_back({airport, [o](CommandContext& context) { return RunAirport(context, *o); }});

  auto* country = app.add_subcommand("country", "Show a country, or change whether its airports are used");
  auto countryOptions = std::make_shared<UseOptions>();
  TakesStoredName(AddNameArgument(*country, "NAME", countryOptions->country, "The country's name (any case)")
                      ->required());
  countryOptions->fields.Add(*country, CPAirports::FieldTable(), UseField);
  commands.push_back({country, [countryOptions](CommandContext& context) {
                        return RunUse(context, false, *countryOptions);
                      }});

  auto* world = app.add_subcommand("world", "Show, or change, whether every region and country is used");
  auto worldOptions = std::make_shared<UseOptions>();
  worldOptions->fields.Add(*world, CPAirports::FieldTable(), UseField);
  commands.push_back(
      {world, [worldOptions](CommandContext& context) { return RunUse(context, true, *worldOptions); }});

  auto* find = app.add_subcommand(
      "find",
      "List the airports whose ident, name or city contains TEXT (without regard to case or accents)");
  auto text = std::make_shared<std::string>();
  auto limit = std::make_shared<std::size_t>(50);
  TakesStoredName(AddNameArgument(*find, "TEXT", *text, "Part of an ident, a name or a city")->required());
  find->add_option("--limit", *limit, "List at most N airports, the best first (default 50; 0: all)")
      ->type_name("N");
  commands.push_back(
      {find, [text, limit](CommandContext& context) { return RunFind(context, *text, *limit); }});
  return commands;
}

}
