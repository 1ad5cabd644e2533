// readdxt: Wingfold's stand-in for NVIDIA's DDS reader, for machines without it. It takes the form
// the texture reduction uses:
//   readdxt test.dds
// and writes the top level of the DDS (DXT1, DXT3 or DXT5) as a 32-bit TGA beside it, named like it
// with the extension .tga. An input that cannot be read gets no output, and the exit status is then 1.
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/process.h"
#include "platform/system.h"
#include "platform/text.h"
#include "stand_in.h"

int main(int argc, char** argv) {
  // UTF-8 on every system, as the paths of the command line are written.
  const std::vector<std::string> args = wf::CommandLineArgumentsUtf8(argc, argv);
  const int count = static_cast<int>(args.size());
  using namespace wf::imaging;
  constexpr const char* kName = "readdxt";
  if (count != 2) {
    Say(kName, "usage: readdxt FILE.dds");
    return kUsage;
  }
  const std::filesystem::path file = wf::FileFromCommandLine(args[1]);
  const std::optional<std::string> bytes = wf::ReadFileBytes(file);
  std::string why = "cannot be read";
  const std::optional<Image> picture = bytes ? DecodeDdsTopLevel(AsBytes(*bytes), &why) : std::nullopt;
  if (!picture) {
    Say(kName, wf::PathUtf8(file) + ": " + why + "; nothing written");
    return kFailed;
  }
  const std::filesystem::path target = std::filesystem::path(file).replace_extension(".tga");
  if (!WriteOutput(target, EncodeTga(*picture), &why)) {
    Say(kName, why);
    return kFailed;
  }
  Say(kName, wf::PathUtf8(file.filename()) + " -> " + wf::PathUtf8(target) + " (" + Describe(*picture) +
                 ", 32-bit TGA)");
  return kDone;
}
