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

constexpr std::size_t kColumn = 22;

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

void PrintPlane(std::ostream& out, const CPPlanes& page, const PlaneTree::Node& node) {
  const bool model = std::holds_alternative<CAircraft*>(node.data);
  out << (model ? "Model " : "Variation ") << node.label;
  if (!model && page.m_pAircraft != nullptr) out << " (model " << page.m_pAircraft->name << ")";
  out << "\n";
  PrintRow(out, "state", StateName(node.image), kColumn);
  PrintFields(out, page, page.Fields(), kColumn);
}

struct PlaneOptions {
  std::string name;
  FieldOptions fields;
};

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
  const bool applied = !o.fields.Feed(page) || !page.IsModified() || sheet.Apply();
  if (!applied) return ApplyStatus(applied);
  PrintPlane(context.out(), page, *page.m_tree.Find(node));
  return ApplyStatus(context, page, applied);
}

// The fields of a model's own values apply only where a model is selected; a variation has the
// others.
bool VariationField(const ui::PageField& field) {
  return !CPPlanes::IsModelValue(field);
}

void AddFieldOptions(CLI::App& command, PlaneOptions& o, bool model) {
  o.fields.Add(command, CPPlanes::FieldTable(), model ? nullptr : VariationField);
  o.fields.Find(CPPlanes::kMoneyPerFlight)->excludes(o.fields.Find(CPPlanes::kMoneyPerWeek));
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
  AddFieldOptions(*plane, *model, true);
  commands.push_back({plane, [model](CommandContext& context) { return RunPlane(context, *model, true); }});

  auto* variation = app.add_subcommand("variation", "Show a variation, or change its own values");
  auto paint = std::make_shared<PlaneOptions>();
  TakesStoredName(AddNameArgument(*variation, "TITLE", paint->name,
                                  "The variation's title, as `wingfold planes` lists it")
                      ->required());
  AddFieldOptions(*variation, *paint, false);
  commands.push_back(
      {variation, [paint](CommandContext& context) { return RunPlane(context, *paint, false); }});
  return commands;
}

}
