#include "aiconvert/textures.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <stdexcept>

#include "aiconvert/shell_file_op.h"
#include "aiconvert/texture_file.h"
#include "platform/files.h"
#include "platform/folder_listing.h"
#include "platform/numbers.h"
#include "platform/process.h"
#include "platform/text.h"

namespace wf {

namespace {

namespace fs = std::filesystem;

constexpr std::uint16_t kQuietReplace = FOF_SILENT | FOF_NOCONFIRMATION;  // 0x0014
constexpr std::chrono::milliseconds kStaleDeletePause{100};
constexpr std::chrono::milliseconds kTextureFailurePause{500};
constexpr std::chrono::milliseconds kCleanUpPause{1000};
// The original texture waits under this suffix while the last tool writes its replacement.
constexpr const char* kOriginalSuffix = ".original";

// A program of the chain, and how it reads paths on its command line.
struct Tool {
  Tool(const char* program, const fs::path& toolsFolder)
      : name(program), style(CommandLinePathStyle(program, toolsFolder)) {}
  std::string Path(const fs::path& path) const { return CommandLinePath(path, style); }
  // A file in `folder`, written as the program reads it.
  std::string File(const fs::path& folder, const std::string& name) const {
    return Path(folder) + CommandLineSeparator(style) + name;
  }
  std::string name;
  PathStyle style;
};

class Chain {
 public:
  Chain(const std::string& aircraftName, double scale, const TextureTools& tools)
      : aircraftName_(aircraftName),
        scaleText_(TextureScaleText(scale)),
        tools_(tools),
        imagetool_("imagetool", tools.toolsFolder),
        nvdxt_("nvdxt", tools.toolsFolder),
        readdxt_("readdxt", tools.toolsFolder) {}

  void Folder(const fs::path& texDir, TextureReductionReport& report) {
    RecoverOriginals(texDir);
    std::vector<FolderEntry> textures;
    for (FolderEntry& entry : ListFolder(texDir, "*.BMP")) {
      if (!entry.isFolder) textures.push_back(std::move(entry));
    }
    tools_.progress.SetText("Convert Plane " + aircraftName_ + " for AI usage intializing.");
    Run(imagetool_, "-batch -nogui -tga -32 -nomip \"" + imagetool_.File(texDir, "*.bmp") + "\" -e tga ");
    const int n = static_cast<int>(textures.size());
    for (int i = 1; i <= n; ++i) {
      const fs::path& file = textures[i - 1].path;
      tools_.progress.SetSteps(static_cast<std::size_t>(i - 1), static_cast<std::size_t>(n));
      tools_.progress.SetText("Convert Planes " + aircraftName_ + " for AI usage. Texture " +
                              std::to_string(i) + " from " + std::to_string(n) + ".");
      TextureOutcome outcome{file, false, {}};
      try {
        outcome.reason = Texture(texDir, file);
      } catch (const std::exception& e) {
        outcome.reason = e.what();
      }
      if (!outcome.reason.empty()) {
        RestoreOriginal(file);
        tools_.pause(kTextureFailurePause);
      }
      outcome.converted = outcome.reason.empty();
      report.textures.push_back(std::move(outcome));
    }
    tools_.pause(kCleanUpPause);
    if (!Quietly(FO_DELETE, texDir / "*.tga")) tools_.pause(kCleanUpPause);
    tools_.pause(kCleanUpPause);
    if (!Quietly(FO_DELETE, tools_.toolsFolder / "test.*")) tools_.pause(kCleanUpPause);
    tools_.progress.Hide();
  }

 private:
  // Converts one texture; empty when it was replaced, otherwise why it was left as it was.
  std::string Texture(const fs::path& texDir, const fs::path& file) {
    if (!missingTool_.empty()) return missingTool_;
    const std::string stem = PathUtf8(file.stem());
    if (!FindExistingPath(texDir / PathFromUtf8(stem + ".tga"))) return "imagetool wrote no TGA of it";

    const fs::path dds = tools_.toolsFolder / "test.dds";
    if (!RemoveStale(dds)) return "the old " + PathUtf8(dds) + " could not be removed";
    std::string why;
    const std::string nvdxtParameters = "-output test.dds -outdir \"" + nvdxt_.Path(tools_.toolsFolder) +
                                        "\" -file \"" + nvdxt_.File(texDir, stem + ".tga") +
                                        "\" -32 dxt3 -rel_scale " + scaleText_ + " " + scaleText_ + " -flip";
    if (!RunUntilFileAppears(nvdxt_, nvdxtParameters, dds, why)) return why;

    const fs::path tga = tools_.toolsFolder / "test.tga";
    if (!RemoveStale(tga)) return "the old " + PathUtf8(tga) + " could not be removed";
    if (!RunUntilFileAppears(readdxt_, "test.dds", tga, why)) return why;

    // The original steps aside while imagetool writes the new texture, and comes back unless the
    // result reads as a complete texture.
    const fs::path original = OriginalOf(file);
    std::error_code ec;
    fs::rename(file, original, ec);
    if (ec) return "it could not be set aside for the new one: " + ec.message();
    const fs::path expected = texDir / PathFromUtf8(stem + ".bmp");
    const std::string imagetoolParameters = "-nogui -mip -DXT3 -o \"" +
                                            imagetool_.File(texDir, stem + ".bmp") + "\" -e bmp \"" +
                                            imagetool_.File(tools_.toolsFolder, "test.tga") + "\"";
    if (!RunUntilFileAppears(imagetool_, imagetoolParameters, expected, why)) return why;

    const fs::path written = FindExistingPath(expected).value_or(expected);
    const std::optional<std::string> bytes = ReadFileBytes(written);
    std::string damage = "it cannot be read";
    const bool complete =
        bytes &&
        ReadBmpTextureLayout({reinterpret_cast<const std::uint8_t*>(bytes->data()), bytes->size()}, &damage);
    if (!complete) {
      fs::remove(written, ec);
      return "imagetool's result is damaged (" + damage + ")";
    }
    if (written.filename() != file.filename()) {
      RenameToSpelling(written, file, ec);
      if (ec) throw std::runtime_error("the new texture could not take the old one's name: " + ec.message());
    }
    fs::remove(original, ec);
    return {};
  }

  static fs::path OriginalOf(const fs::path& file) {
    return file.parent_path() / PathFromUtf8(PathUtf8(file.filename()) + kOriginalSuffix);
  }

  // Puts a texture set aside back, when it is still aside.
  static void RestoreOriginal(const fs::path& file) {
    const fs::path original = OriginalOf(file);
    std::error_code ec;
    if (!fs::exists(original, ec)) return;
    const fs::path written = file.parent_path() / PathFromUtf8(PathUtf8(file.stem()) + ".bmp");
    for (const fs::path& stray : {file, written}) {
      if (const std::optional<fs::path> existing = FindExistingPath(stray)) fs::remove(*existing, ec);
    }
    fs::rename(original, file, ec);
  }

  // Originals that an interrupted run left aside: back into place when their texture is missing,
  // removed when the texture was replaced before the interruption.
  static void RecoverOriginals(const fs::path& texDir) {
    for (const FolderEntry& entry : ListFolder(texDir, std::string("*.BMP") + kOriginalSuffix)) {
      if (entry.isFolder) continue;
      const fs::path texture = entry.path.parent_path() / entry.path.stem();
      std::error_code ec;
      if (FindExistingPath(texture)) {
        fs::remove(entry.path, ec);
      } else {
        fs::rename(entry.path, texture, ec);
      }
    }
  }

  void Run(const Tool& tool, const std::string& parameters) {
    if (!missingTool_.empty()) return;
    const RunResult run = RunAndWait(tool.name, parameters, tools_.toolsFolder);
    if (!run.started) missingTool_ = run.failure;
  }

  bool RunUntilFileAppears(const Tool& tool, const std::string& parameters, const fs::path& expected,
                           std::string& why) {
    for (int attempt = 0; attempt < kToolAttempts; ++attempt) {
      Run(tool, parameters);
      if (!missingTool_.empty()) {
        why = missingTool_;
        return false;
      }
      if (WaitForFile(expected, tools_.progress, tools_.pause)) return true;
    }
    why =
        tool.name + " did not write " + PathUtf8(expected) + " in " + std::to_string(kToolAttempts) + " runs";
    return false;
  }

  // Deletes a scratch file of the previous texture; false when it is still there.
  bool RemoveStale(const fs::path& file) {
    if (!FindExistingPath(file)) return true;
    Quietly(FO_DELETE, file);
    if (!FindExistingPath(file)) return true;
    tools_.pause(kStaleDeletePause);
    return false;
  }

  bool Quietly(unsigned operation, const fs::path& from) {
    const CShellFileOp op(tools_.owner, operation, from, {}, kQuietReplace, "");
    return op.Result().failures.empty();
  }

  const std::string& aircraftName_;
  const std::string scaleText_;
  const TextureTools& tools_;
  const Tool imagetool_;
  const Tool nvdxt_;
  const Tool readdxt_;
  std::string missingTool_;  // why a tool could not be started: no later run can do better
};

}

std::vector<FolderEntry> TextureFolders(const fs::path& aircraftFolder) {
  std::vector<FolderEntry> folders;
  for (FolderEntry& entry : ListFolder(aircraftFolder, "Texture.*")) {
    if (entry.isFolder) folders.push_back(std::move(entry));
  }
  return folders;
}

TextureMeasure MeasureTextures(const fs::path& aircraftFolder) {
  TextureMeasure measure;
  std::uint64_t total = 0;
  for (const FolderEntry& folder : TextureFolders(aircraftFolder)) {
    ++measure.folderCount;
    for (const FolderEntry& file : ListFolder(folder.path, "*.BMP")) {
      if (file.isFolder) continue;
      std::error_code ec;
      const std::uintmax_t size = fs::file_size(file.path, ec);
      if (!ec) total += size;
    }
  }
  if (measure.folderCount > 0) total /= static_cast<std::uint64_t>(measure.folderCount);
  measure.textureBytes =
      static_cast<std::uint32_t>(std::min<std::uint64_t>(total, std::numeric_limits<std::uint32_t>::max()));
  return measure;
}

double TextureMegabytes(std::uint32_t textureBytes) {
  return std::trunc(static_cast<double>(textureBytes) * 1000.0 / 1048576.0) / 1000.0;
}

double TextureScale(std::uint32_t textureBytes) {
  double size = TextureMegabytes(textureBytes);
  double scale = 1.0;
  for (int halvings = 0; halvings < 2 && size > 1.5; ++halvings) {
    size = std::trunc(size * 1000.0) / 4000.0;
    scale /= 2.0;
  }
  return scale;
}

std::string TextureScaleText(double scale) {
  return FormatFixed(scale, 5);
}

TextureReductionReport ReduceTextures(const std::string& aircraftName, const fs::path& targetFolder,
                                      double scale, const TextureTools& tools) {
  TextureReductionReport report;
  Chain chain(aircraftName, scale, tools);
  for (const FolderEntry& folder : TextureFolders(targetFolder)) {
    ++report.folders;
    chain.Folder(folder.path, report);
  }
  return report;
}

}
