#pragma once
// The "Make AI Plane" dialog without a toolkit: it turns one installed, flyable aircraft into a copy
// that the simulator flies as AI traffic (see aiconvert/ai_conversion.h).
//
// Controls and the fields behind them:
//   "Use air file from..."  a drop-down list: "no change", "Flyable", then one entry per file of
//                           the AIR Files library (its display name); m_nAirFile
//   "Current folder size"   read-only: the average texture size, FolderSizeText()
//   "AI copy"               read-only: the folder the copy goes to, m_strTargetFolder
//   "Reduce texture size, to less than 1.5 MBytes"   a check box, enabled unless the aircraft
//                           already is an AI copy; m_bReduceTextures
//   "Make AI Plane" (OK) runs the conversion; "Cancel" changes nothing.
// A view binds its widgets to these fields, forwards the events to the handlers, and shows the
// fields again after each call.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "aiconvert/ai_conversion.h"
#include "aiconvert/wait_for_file.h"
#include "app/session.h"
#include "world/aircraft.h"

namespace wf::ui {

// The dialog's results.
inline constexpr int kDialogOK = 1;
inline constexpr int kDialogCancel = 2;

inline constexpr const char* kMakeAIPlaneTitle = "Make AI Plane";
inline constexpr const char* kMakeAIPlaneNote =
    "NOTE: Several testers reported that the use of the texture reduction isn't working with payware "
    "planes. The function works great with freeware addon planes. Freeware aircraft whose textures are "
    "plain BMP files convert best.";

class MakeAI_Plane {
 public:
  // Measures the textures of the aircraft's folder. `aircraft` is not owned and must outlive the
  // dialog.
  MakeAI_Plane(CAircraft* aircraft, Session& session);

  // The list entries, the default choice, the target folder and the check box's state.
  void OnInitDialog();
  // The list's selection changed; an index outside the list is ignored.
  void OnSelchangeAirFile(int index);
  // The check box was clicked; false (and nothing changes) while it is disabled.
  bool OnReduceTexturesClicked(bool checked);
  // "Make AI Plane": runs the conversion; kDialogOK when it worked, kDialogCancel when it failed
  // (Report().failure says why; the copy is not to enter the database).
  int OnOK();
  int OnCancel() { return kDialogCancel; }

  // The list's texts, index by index.
  const std::vector<std::string>& AirFileEntries() const { return entries_; }
  // m_dFolderSize with three decimals and its unit ("1.430 MB").
  std::string FolderSizeText() const;
  bool ReduceTexturesEnabled() const { return reduceTexturesEnabled_; }
  // What the last OnOK did.
  const AIConversionReport& Report() const { return report_; }
  // For the user, when the last OnOK failed: what failed and what it left as it was; empty otherwise.
  std::string FailureText() const;
  // What the last OnOK did, for the user, one line each under "Conversion:": the files copied, the
  // panel removed, aircraft.cfg, the textures reduced, the flight model replaced or restored and the
  // .air files patched.
  std::string ConversionSummary() const;
  // For the user, when the last OnOK made the copy but not everything worked (a texture left as it
  // was, a flight model not patched): what did not, one line each; empty otherwise.
  std::string Problems() const;

  // How the conversion pauses between tool runs; tests pass one that does not sleep.
  void SetPause(Pause pause) { pause_ = std::move(pause); }

  CAircraft* m_pAircraft;      // not owned
  double m_dFolderSize = 0.0;  // MB, three decimals
  std::int32_t m_bReduceTextures = 0;
  std::int32_t m_nAirFile = 0;
  std::vector<std::string> m_airFileTitles;  // library titles at the list's indexes; 0 and 1 empty
  std::string m_strTargetFolder;             // the AI copy's folder (UTF-8)
  std::uint32_t m_nTextureBytes = 0;
  double m_dScale = 1.0;

 private:
  Session& session_;
  std::vector<std::string> entries_;
  std::vector<std::filesystem::path> airFilePaths_;  // at the list's indexes; 0 and 1 empty
  bool reduceTexturesEnabled_ = false;
  Pause pause_ = SleepingPause();
  AIConversionReport report_;
};

}
