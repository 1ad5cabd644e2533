// imagetool: Wingfold's stand-in for the simulator SDK's image tool, for machines without the SDK.
// It takes the two forms the texture reduction uses:
//   imagetool -batch -nogui -tga -32 -nomip "DIR\*.bmp" -e tga
//       every BMP texture matching the pattern (names without regard to case) as a 32-bit TGA
//       beside it, with the extension of -e;
//   imagetool -nogui -mip -DXT3 -o "OUT.bmp" -e bmp "IN.tga"
//       a TGA (or BMP texture) as a BMP texture in DXT3 (-DXT1, -DXT5 likewise) with every mip level
//       (-nomip: the top level only), written at -o (or beside the input with the extension of -e).
// The DXT blocks take the rows in the order the input holds them; see EncodeDxtBmp.
// An input that cannot be read gets no output, and the exit status is then 1.
#include <string>
#include <vector>

#include "platform/process.h"
#include "platform/system.h"
#include "platform/text.h"
#include "stand_in.h"

namespace {

using namespace wf::imaging;

constexpr const char* kName = "imagetool";

int Usage(const std::string& problem) {
  return wf::imaging::Usage(kName, problem,
                            "[-batch] [-nogui] [-tga | -DXT1 | -DXT3 | -DXT5] [-32] [-mip | -nomip] [-o OUT] "
                            "[-e EXT] INPUT");
}

}

int main(int argc, char** argv) {
  // UTF-8 on every system, as the paths of the command line are written.
  const std::vector<std::string> args = wf::CommandLineArgumentsUtf8(argc, argv);
  const int count = static_cast<int>(args.size());
  bool tga = false;
  bool mipMaps = true;
  wf::TextureEncoding encoding = wf::TextureEncoding::kDxt3;
  std::string output;
  std::string extension;
  std::vector<std::string> inputs;
  for (int i = 1; i < count; ++i) {
    const std::string argument = args[i];
    if (IsOption(argument, "-batch") || IsOption(argument, "-nogui") || IsOption(argument, "-32")) continue;
    if (IsOption(argument, "-tga")) {
      tga = true;
    } else if (IsOption(argument, "-mip")) {
      mipMaps = true;
    } else if (IsOption(argument, "-nomip")) {
      mipMaps = false;
    } else if (IsOption(argument, "-dxt1")) {
      encoding = wf::TextureEncoding::kDxt1;
    } else if (IsOption(argument, "-dxt3")) {
      encoding = wf::TextureEncoding::kDxt3;
    } else if (IsOption(argument, "-dxt5")) {
      encoding = wf::TextureEncoding::kDxt5;
    } else if (IsOption(argument, "-o") || IsOption(argument, "-e")) {
      if (i + 1 >= count) return Usage(argument + " needs a value");
      (IsOption(argument, "-o") ? output : extension) = args[++i];
    } else if (!argument.empty() && argument[0] == '-') {
      return Usage("unknown option " + argument);
    } else {
      inputs.push_back(argument);
    }
  }
  if (inputs.size() != 1) return Usage("one input is needed");
  if (IsOption(extension, "tga")) tga = true;
  if (extension.empty()) extension = tga ? "tga" : "bmp";

  const std::vector<std::filesystem::path> files = InputFiles(inputs.front());
  if (files.empty()) {
    Say(kName, "no file matches " + inputs.front());
    return kFailed;
  }
  if (!output.empty() && files.size() > 1)
    return Usage("-o names one output, but the input matches several files");
  int failures = 0;
  for (const std::filesystem::path& file : files) {
    std::string why;
    const std::optional<Image> picture = ReadPicture(file, &why);
    if (!picture) {
      Say(kName, wf::PathUtf8(file) + ": " + why + "; nothing written");
      ++failures;
      continue;
    }
    std::filesystem::path target =
        output.empty() ? std::filesystem::path(file).replace_extension(wf::PathFromUtf8("." + extension))
                       : wf::FileFromCommandLine(output);
    const std::string bytes = tga ? EncodeTga(*picture) : EncodeDxtBmp(*picture, encoding, mipMaps);
    if (!WriteOutput(target, bytes, &why)) {
      Say(kName, why);
      ++failures;
      continue;
    }
    Say(kName, wf::PathUtf8(file.filename()) + " -> " + wf::PathUtf8(target) + " (" + Describe(*picture) +
                   (tga       ? ", 32-bit TGA)"
                    : mipMaps ? ", DXT BMP with mip-maps)"
                              : ", DXT BMP)"));
  }
  return failures == 0 ? kDone : kFailed;
}
