#pragma once
// The conversion of one aircraft into its AI copy, in the order the Make AI Plane dialog runs it:
//   1. unless the aircraft already is an AI copy: copy its folder and write the AI configuration;
//   2. when asked, reduce the copy's textures;
//   3. replace the copy's flight models from the library, restore them, or leave them;
//   4. patch record 261 of every .air file of the copy.
// A new copy is made in its staging folder (see StageCopy) and put in place by the last step, only
// when every step before it worked; a conversion that fails leaves the aircraft folders as they
// were. Entering the copy into the database (EnterAICopy) is the caller's next step, and only after
// a conversion that did not fail.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "aiconvert/air_files.h"
#include "aiconvert/aircraft_copy.h"
#include "aiconvert/textures.h"

namespace wf {

// The flight-model choice: the list index of the Make AI Plane dialog.
inline constexpr int kAirFileNoChange = 0;
inline constexpr int kAirFileFlyable = 1;
inline constexpr int kFirstLibraryAirFile = 2;

struct AIConversionRequest {
  std::string aircraftName;              // for progress texts
  std::filesystem::path sourceFolder;    // the aircraft's folder
  bool isAICopy = false;                 // already an AI copy: no copy, no texture reduction
  std::filesystem::path targetFolder;    // AITargetFolder of the source
  int airFileChoice = kAirFileNoChange;  // a list index
  std::filesystem::path libraryAirFile;  // the library file, for a choice of 2 and up
  bool reduceTextures = false;
  std::uint32_t textureBytes = 0;  // the measure of the source's textures
};

struct AIConversionReport {
  std::optional<AircraftCopyReport> copy;
  double scale = 1.0;
  std::optional<TextureReductionReport> textures;
  FlightModelReport flightModel;
  std::vector<AirPatchResult> patches;
  // Why the conversion failed, empty when it did not: no new copy was put in place (an AI copy
  // converted again keeps every flight model whose change failed). Textures left as they were and
  // .air files left unpatched are listed above and do not fail it.
  std::string failure;
};

AIConversionReport RunAIConversion(const AIConversionRequest& request, const TextureTools& tools);

}
