#pragma once
// The "Collect data" page: the add-on scenery root ("AFCAD files Path:"), its "Browse" and "Collect
// Airports" buttons, and the apply that runs with every apply of the sheet and writes what other
// pages left unsaved: the aircraft files after edits on the Planes page, the airport database after
// a scan.
#include <string>

#include "app/collection.h"
#include "ui/sheet_page.h"

namespace wf::ui {

// What a collection did, as the user is told: files read, airports added, updated and in the
// database, the first file with an error, and a save that failed.
std::string CollectionSummary(const AirportCollectionResult& result);

class CCollect final : public SheetPage {
 public:
  static constexpr FieldInfo kAirportPath{
      .kind = FieldKind::kText, .name = "airportPath", .label = "AFCAD files Path"};

  explicit CCollect(Session& session);

  // The add-on root, ending in a separator when the page set it; empty means the simulator's
  // Addon Scenery folder. The page only shows it: "Browse" and the command line set it.
  std::string airportPath;

  static std::span<const PageField> FieldTable();
  std::span<const PageField> Fields() const override { return FieldTable(); }
  // Sets the path to the simulator's Addon Scenery folder.
  void OnInitDialog() override;
  bool OnApply() override;

  // "Browse": the folder of the file the user picks becomes the path; cancelling changes nothing.
  void OnBrowse();
  // The simulator folder was `before`: a path that was its Addon Scenery folder becomes the new one's.
  void OnSimFolderChanged(const std::filesystem::path& before);
  // The path as typed elsewhere (the command line); a folder, with or without a final separator.
  void SetAirportPath(const std::string& path);
  // "Collect Airports": the add-on scan of the path and the simulator's top-level folders.
  AirportCollectionResult OnCollectAirports();
  // A scan in either mode (the default scenery is scanned at a first start).
  AirportCollectionResult Scan(ScanMode mode);
};

}
