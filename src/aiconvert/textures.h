#pragma once
// Texture reduction of AI copies: measuring an aircraft's textures, the scale that brings them to
// about 1.5 MB per texture folder, and the chain of external image tools that rewrites each BMP
// texture scaled, in DXT3 with mip-maps.
//
// Texture folders are the subfolders named "Texture.*" (a plain "Texture" too); texture files the
// "*.BMP" files in them; names match without regard to case.
//
// The chain, per texture TEX.BMP of a texture folder, with the tools from the tools folder:
//   imagetool  -batch -nogui -tga -32 -nomip "TEXDIR\*.bmp" -e tga            (once per folder)
//   nvdxt      -output test.dds -outdir "TOOLS" -file "TEX.tga" -32 dxt3 -rel_scale S S -flip
//   readdxt    test.dds                                                       (writes test.tga)
//   imagetool  -nogui -mip -DXT3 -o "TEX.bmp" -e bmp "TOOLS\test.tga"
// Paths are written as each program reads them (CommandLinePath), so the same chain drives the
// Windows tools (natively or under wine) and native stand-ins.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "aiconvert/wait_for_file.h"
#include "platform/folder_listing.h"
#include "platform/progress.h"
#include "platform/prompter.h"

namespace wf {

// How often a tool is started for one output before the texture is given up.
inline constexpr int kToolAttempts = 3;

struct TextureMeasure {
  // Bytes of texture files per texture folder (integer division); the plain total without folders.
  std::uint32_t textureBytes = 0;
  int folderCount = 0;
};

// The texture folders of an aircraft folder, in listing order.
std::vector<FolderEntry> TextureFolders(const std::filesystem::path& aircraftFolder);

// Measures the textures of `aircraftFolder`. The total is summed in 64 bits, so that more than
// 4 GB of textures cannot wrap into a small figure; an average above 4 GB is held at 4 GB.
TextureMeasure MeasureTextures(const std::filesystem::path& aircraftFolder);

// `textureBytes` in MB (1,048,576 bytes), truncated to three decimals.
double TextureMegabytes(std::uint32_t textureBytes);

// 1.0 up to 1.5 MB, 0.5 up to 6 MB, 0.25 above: the size is divided by 4 for each halving, at
// most twice, while it is above 1.5 MB.
double TextureScale(std::uint32_t textureBytes);

// The scale as the tool's command line takes it: "%1.5f" ("0.50000").
std::string TextureScaleText(double scale);

// What the chain needs from the program around it.
struct TextureTools {
  std::filesystem::path toolsFolder;
  Progress& progress;
  Prompter* owner = nullptr;  // asked when a shell operation asks
  Pause pause;
};

struct TextureOutcome {
  std::filesystem::path file;
  bool converted = false;
  std::string reason;  // why it was left as it was
};

struct TextureReductionReport {
  int folders = 0;
  std::vector<TextureOutcome> textures;
};

// Reduces every texture of every texture folder of `targetFolder` by `scale` (1.0 still runs the
// whole chain). Progress texts name `aircraftName`. A texture is replaced only by a tool result that
// reads as a complete DXT BMP; a texture whose chain fails (a tool missing, an output that does not
// appear after kToolAttempts starts, a damaged result) is left as it was and listed with the reason.
TextureReductionReport ReduceTextures(const std::string& aircraftName,
                                      const std::filesystem::path& targetFolder, double scale,
                                      const TextureTools& tools);

}
