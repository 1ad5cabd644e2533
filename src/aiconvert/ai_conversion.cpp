#include "aiconvert/ai_conversion.h"

namespace wf {

AIConversionReport RunAIConversion(const AIConversionRequest& request, const TextureTools& tools) {
  AIConversionReport report;
  if (!request.isAICopy)
    report.copy = CopyAndRewrite(request.sourceFolder, request.targetFolder, tools.owner);
  if (request.reduceTextures && !request.isAICopy) {
    report.scale = TextureScale(request.textureBytes);
    report.textures = ReduceTextures(request.aircraftName, request.targetFolder, report.scale, tools);
  }
  if (request.airFileChoice == kAirFileFlyable) {
    report.flightModel = RestoreFlightModels(request.targetFolder, tools.owner);
  } else if (request.airFileChoice >= kFirstLibraryAirFile && !request.libraryAirFile.empty()) {
    report.flightModel = ReplaceFlightModels(request.targetFolder, request.libraryAirFile, tools.owner);
  }
  report.patches = PatchAirFiles(request.targetFolder);
  return report;
}

}
