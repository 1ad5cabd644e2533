// The make-ai command: the Make AI Plane dialog of the Planes page, answered from the options.
#include <CLI/CLI.hpp>
#include <memory>
#include <ostream>
#include <variant>

#include "app/startup_sequence.h"
#include "cli/cli_app.h"
#include "cli/name_lookup.h"
#include "cli/page_commands.h"
#include "platform/text.h"
#include "ui/make_ai_plane.h"
#include "ui/planes_page.h"

namespace wf::cli {

namespace {

struct MakeAIOptions {
  std::string model;
  std::string airFile;  // empty: the dialog's default choice
  bool reduceTextures = false;
};

struct NamedModel {
  CAircraft* model = nullptr;
  std::string variation;  // the title, when the name is a variation's
  std::string ambiguous;  // why the name names no one model
};

// The model named `name`: its key, else the model of a variation of that title, else the one key or
// title equal to it without regard to case (see MatchName).
NamedModel FindModel(World& world, const std::string& name) {
  std::vector<std::string_view> models, titles;
  for (const auto& [key, model] : world.aircraftTypes) models.push_back(key);
  for (const auto& [key, variation] : world.aircraftNames) titles.push_back(key);
  const NameMatches byModel = MatchName(models, name);
  const NameMatches byTitle = MatchName(titles, name);
  const auto model = [&](std::size_t i) {
    return NamedModel{world.aircraftTypes.Find(std::string(models[i])), {}, {}};
  };
  const auto variation = [&](std::size_t i) {
    const std::string title(titles[i]);
    return NamedModel{world.aircraftNames.Find(title)->aircraft, title, {}};
  };
  if (byModel.exact) return model(*byModel.exact);
  if (byTitle.exact) return variation(*byTitle.exact);
  if (byModel.folded.size() > 1) return {nullptr, {}, AmbiguousName(name, models, byModel.folded)};
  if (byModel.folded.size() == 1) return model(byModel.folded.front());
  if (byTitle.folded.size() > 1) return {nullptr, {}, AmbiguousName(name, titles, byTitle.folded)};
  if (byTitle.folded.size() == 1) return variation(byTitle.folded.front());
  return {};
}

// The list index that --air-file names: "none", "flyable" or a library entry's display name.
int AirFileIndex(const std::vector<std::string>& entries, const std::string& name) {
  if (EqualsIgnoringCase(name, "none")) return kAirFileNoChange;
  if (EqualsIgnoringCase(name, "flyable")) return kAirFileFlyable;
  for (std::size_t i = kFirstLibraryAirFile; i < entries.size(); ++i) {
    if (entries[i] == name) return static_cast<int>(i);
  }
  for (std::size_t i = kFirstLibraryAirFile; i < entries.size(); ++i) {
    if (EqualsIgnoringCase(entries[i], name)) return static_cast<int>(i);
  }
  return -1;
}

void PrintDialog(std::ostream& out, const CAircraft& model, const ui::MakeAI_Plane& dialog) {
  out << "Make AI Plane: " << model.name << "\n"
      << "  folder:              " << model.folderPath << "\n"
      << "  AI copy:             " << dialog.m_strTargetFolder << "\n"
      << "  current folder size: " << dialog.FolderSizeText() << "\n"
      << "  reduce textures:     "
      << (dialog.ReduceTexturesEnabled() ? "can be chosen" : "cannot be chosen (already an AI copy)") << "\n"
      << "  use air file from:\n";
  const auto& entries = dialog.AirFileEntries();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    out << "    " << (static_cast<int>(i) == dialog.m_nAirFile ? "* " : "  ") << entries[i];
    if (i >= kFirstLibraryAirFile) out << "  (" << dialog.m_airFileTitles[i] << ".air)";
    out << "\n";
  }
}

void PrintDatabase(std::ostream& out, const ui::MakeAIPlaneResult& result, const CAircraft& model) {
  const AICopyEntry& entry = result.entry;
  out << "Database:\n";
  if (entry.modelRenamed) out << "  model:               " << entry.oldName << " -> " << model.name << "\n";
  for (const std::string& title : entry.variationsRenamed) out << "  variation:           " << title << "\n";
  for (const std::string& key : entry.keysTaken)
    out << "  already there:       " << key << " (kept as it is)\n";
  out << "  aircraft files saved: " << (result.aircraftFilesSaved ? "yes" : "NO") << "\n";
}

// The node of the variation `title` in the Planes page's tree, else the model's node.
ui::NodeId FindNode(const ui::CPPlanes& page, const std::string& title, const CAircraft& model) {
  ui::NodeId variationNode = ui::kNoNode, modelNode = ui::kNoNode;
  page.m_tree.Walk(ui::kNoNode, [&](const ui::PlaneTree::Node& node, int) {
    const auto* nodeModel = std::get_if<CAircraft*>(&node.data);
    if (nodeModel != nullptr && *nodeModel == &model && modelNode == ui::kNoNode) modelNode = node.id;
    if (std::holds_alternative<std::uint16_t>(node.data) && variationNode == ui::kNoNode && !title.empty() &&
        node.label == title) {
      variationNode = node.id;
    }
  });
  return variationNode != ui::kNoNode ? variationNode : modelNode;
}

int RunMakeAI(CommandContext& context, const MakeAIOptions& options) {
  Session& session = context.StartWritingSession("make-ai");
  const StartupSequenceResult startup = RunStartupSequence(session);
  if (startup.stoppedByDamage) {
    context.err() << "wingfold: a damaged database stopped the start-up; nothing was converted\n";
    return 1;
  }
  const NamedModel named = FindModel(session.world, options.model);
  CAircraft* model = named.model;
  if (!named.ambiguous.empty()) {
    context.err() << "wingfold: " << named.ambiguous << ", as `wingfold planes` lists it\n";
    return 1;
  }
  if (model == nullptr) {
    context.err() << "wingfold: no aircraft model or variation named \"" << options.model
                  << "\" in the database (wingfold load counts what is there)\n";
    return 1;
  }
  if (model->folderPath.empty()) {
    context.err() << "wingfold: the folder of " << model->name
                  << " is unknown: the aircraft collection did not find it. The simulator folder is [Path] "
                     "FS2004= in "
                  << PathUtf8(session.SettingsPath()) << ", and its fsx.cfg names the aircraft folders\n";
    return 1;
  }

  // The Planes page with the model (or the named variation) selected, and its button.
  ui::CPPlanes page(session);
  page.OnInitDialog();
  const ui::NodeId node = FindNode(page, named.variation, *model);
  if (node == ui::kNoNode) {
    context.err() << "wingfold: " << model->name
                  << " is not shown on the Planes page (its AI copy is there already); convert the copy\n";
    return 1;
  }
  page.OnTreeSelectionChanged(node);
  int usageError = 0;
  const ui::MakeAIPlaneResult result = page.OnMakeAIPlane([&](ui::MakeAI_Plane& dialog) {
    PrintDialog(context.out(), *model, dialog);
    if (!options.airFile.empty()) {
      const int index = AirFileIndex(dialog.AirFileEntries(), options.airFile);
      if (index < 0) {
        context.err() << "wingfold: --air-file " << options.airFile
                      << ": not in the list above (none, flyable, or a library entry's name)\n";
        usageError = 2;
        return dialog.OnCancel();
      }
      dialog.OnSelchangeAirFile(index);
    }
    if (options.reduceTextures && !dialog.OnReduceTexturesClicked(true)) {
      context.err() << "wingfold: --reduce-textures: " << model->name
                    << " already is an AI copy; its textures were reduced, or not, when it was made\n";
      usageError = 2;
      return dialog.OnCancel();
    }
    const int ended = dialog.OnOK();
    context.out() << dialog.ConversionSummary();
    return ended;
  });
  if (usageError != 0) return usageError;
  if (result.failed) return 1;
  PrintDatabase(context.out(), result, *model);
  return result.aircraftFilesSaved ? 0 : 1;
}
}

CommandRegistration AddMakeAICommand(CLI::App& app) {
  auto* sub = app.add_subcommand("make-ai",
                                 "Turn an installed aircraft into an AI copy and enter it into the database");
  auto options = std::make_shared<MakeAIOptions>();
  TakesStoredName(
      sub->add_option("MODEL", options->model, "The aircraft model (or one of its variations)")->required());
  sub->add_option("--air-file", options->airFile,
                  "Flight model: a library entry's name, flyable (restore the original) or none "
                  "(default: the entry nearest the aircraft's speeds)");
  sub->add_flag("--reduce-textures", options->reduceTextures,
                "Reduce the copy's textures to about 1.5 MB per texture folder");
  return {sub, [options](CommandContext& context) { return RunMakeAI(context, *options); }};
}

}
