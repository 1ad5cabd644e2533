// nvdxt: Wingfold's stand-in for NVIDIA's DDS compressor, for machines without it. It takes the form
// the texture reduction uses:
//   nvdxt -output test.dds -outdir "DIR" -file "IN.tga" -32 dxt3 -rel_scale SX SY -flip
// and writes DIR\test.dds: the input (TGA or BMP texture) scaled by SX and SY (at least one pixel a
// side), upside down with -flip, in DXT3 (dxt1, dxt5 likewise) with every mip level (-nomipmap: the
// top level only). An input that cannot be read, or that the scale would make larger than a texture
// can be, gets no output, and the exit status is then 1.
#include <cmath>
#include <string>
#include <vector>

#include "platform/process.h"
#include "platform/system.h"
#include "platform/text.h"
#include "stand_in.h"

namespace {

using namespace wf::imaging;

constexpr const char* kName = "nvdxt";

int Usage(const std::string& problem) {
  return wf::imaging::Usage(
      kName, problem,
      "-file IN [-output NAME] [-outdir DIR] [-32 dxt1|dxt3|dxt5] [-rel_scale SX SY] [-flip] [-nomipmap]");
}

std::uint32_t Scaled(std::uint32_t side, double scale) {
  return static_cast<std::uint32_t>(std::max(1.0, std::round(side * scale)));
}

}

int main(int argc, char** argv) {
  // UTF-8 on every system, as the paths of the command line are written.
  const std::vector<std::string> args = wf::CommandLineArgumentsUtf8(argc, argv);
  const int count = static_cast<int>(args.size());
  std::string input, outputName, outputFolder;
  double scaleX = 1.0, scaleY = 1.0;
  bool flip = false, mipMaps = true;
  wf::TextureEncoding encoding = wf::TextureEncoding::kDxt3;
  for (int i = 1; i < count; ++i) {
    const std::string argument = args[i];
    const auto value = [&](std::string& into) {
      if (i + 1 >= count) return false;
      into = args[++i];
      return true;
    };
    std::string text;
    if (IsOption(argument, "-file")) {
      if (!value(input)) return Usage("-file needs a value");
    } else if (IsOption(argument, "-output")) {
      if (!value(outputName)) return Usage("-output needs a value");
    } else if (IsOption(argument, "-outdir")) {
      if (!value(outputFolder)) return Usage("-outdir needs a value");
    } else if (IsOption(argument, "-32")) {
      if (!value(text)) return Usage("-32 needs a format");
      if (IsOption(text, "dxt1")) {
        encoding = wf::TextureEncoding::kDxt1;
      } else if (IsOption(text, "dxt3")) {
        encoding = wf::TextureEncoding::kDxt3;
      } else if (IsOption(text, "dxt5")) {
        encoding = wf::TextureEncoding::kDxt5;
      } else {
        return Usage("unknown format " + text + " (dxt1, dxt3 or dxt5)");
      }
    } else if (IsOption(argument, "-rel_scale")) {
      std::string y;
      if (!value(text) || !value(y)) return Usage("-rel_scale needs two factors");
      const std::optional<double> x = ParseScale(text), yScale = ParseScale(y);
      if (!x || !yScale) return Usage("-rel_scale factors must be numbers above 0 and up to 16");
      scaleX = *x;
      scaleY = *yScale;
    } else if (IsOption(argument, "-flip")) {
      flip = true;
    } else if (IsOption(argument, "-nomipmap")) {
      mipMaps = false;
    } else {
      return Usage("unknown argument " + argument);
    }
  }
  if (input.empty()) return Usage("-file is needed");
  const std::filesystem::path file = wf::FileFromCommandLine(input);
  if (outputName.empty()) outputName = wf::PathUtf8(file.stem()) + ".dds";
  const std::filesystem::path target =
      (outputFolder.empty() ? std::filesystem::path(".") : wf::FileFromCommandLine(outputFolder)) /
      wf::PathFromUtf8(outputName);

  std::string why;
  const std::optional<Image> picture = ReadPicture(file, &why);
  if (!picture) {
    Say(kName, wf::PathUtf8(file) + ": " + why + "; nothing written");
    return kFailed;
  }
  const std::uint32_t width = Scaled(picture->width, scaleX), height = Scaled(picture->height, scaleY);
  if (width > wf::kMaxTextureSide || height > wf::kMaxTextureSide) {
    Say(kName, wf::PathUtf8(file) + " scaled would be " + std::to_string(width) + " x " +
                   std::to_string(height) + " pixels, above the largest texture (" +
                   std::to_string(wf::kMaxTextureSide) + " a side); nothing written");
    return kFailed;
  }
  Image scaled = Resize(*picture, width, height);
  if (flip) scaled = FlipVertically(std::move(scaled));
  if (!WriteOutput(target, EncodeDds(scaled, encoding, mipMaps), &why)) {
    Say(kName, why);
    return kFailed;
  }
  Say(kName, wf::PathUtf8(file.filename()) + " -> " + wf::PathUtf8(target) + " (" + Describe(scaled) +
                 " from " + Describe(*picture) + (flip ? ", flipped" : "") +
                 (mipMaps ? ", with mip-maps)" : ")"));
  return kDone;
}
