#include "stand_in.h"

#include <iostream>

#include "platform/errors.h"
#include "platform/files.h"
#include "platform/folder_listing.h"
#include "platform/numbers.h"
#include "platform/process.h"
#include "platform/text.h"

namespace wf::imaging {

void Say(std::string_view tool, std::string_view text) {
  std::cerr << tool << " (Wingfold stand-in): " << text << '\n';
}

int Usage(std::string_view tool, std::string_view problem, std::string_view usage) {
  Say(tool, problem);
  Say(tool, "usage: " + std::string(tool) + " " + std::string(usage));
  return kUsage;
}

bool IsOption(std::string_view argument, std::string_view name) {
  return EqualsIgnoringCase(argument, name);
}

std::optional<Image> ReadPicture(const std::filesystem::path& file, std::string* why) {
  const std::optional<std::string> bytes = ReadFileBytes(file);
  if (!bytes) {
    *why = "cannot be read";
    return std::nullopt;
  }
  if (bytes->size() >= 2 && (*bytes)[0] == 'B' && (*bytes)[1] == 'M')
    return DecodeBmpTexture(AsBytes(*bytes), why);
  return DecodeTga(AsBytes(*bytes), why);
}

bool WriteOutput(const std::filesystem::path& file, const std::string& bytes, std::string* why) {
  try {
    WriteFileAtomically(file, bytes);
    return true;
  } catch (const FileError& e) {
    *why = e.what();
    return false;
  }
}

std::vector<std::filesystem::path> InputFiles(std::string_view text) {
  const std::filesystem::path path = PathFromCommandLine(text);
  const std::string name = wf::PathUtf8(path.filename());
  if (name.find_first_of("*?") == std::string::npos) return {FileFromCommandLine(text)};
  std::vector<std::filesystem::path> files;
  const std::filesystem::path folder =
      path.has_parent_path() ? FindExistingPath(path.parent_path()).value_or(path.parent_path()) : ".";
  for (const FolderEntry& entry : ListFolder(folder, name)) {
    if (!entry.isFolder) files.push_back(entry.path);
  }
  return files;
}

std::optional<double> ParseScale(std::string_view text) {
  const std::optional<double> value = ParseDecimal(text);
  if (!value || *value <= 0.0 || *value > 16.0) return std::nullopt;
  return value;
}

std::string Describe(const Image& image) {
  return std::to_string(image.width) + " x " + std::to_string(image.height);
}

}
