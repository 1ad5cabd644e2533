#pragma once
// Files written and read in one call (and the recording prompter).
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/recording.h"

namespace wf::test {

inline void Write(const std::filesystem::path& path, const std::string& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

// The file's lines, without their line ends.
inline std::vector<std::string> ReadLines(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Whether `folder` holds an entry spelled exactly `name` (on a system that ignores case, exists()
// cannot tell "A.BMP" from "a.bmp").
inline bool HasEntrySpelled(const std::filesystem::path& folder, const std::string& name) {
  std::error_code ec;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::u8string spelled = it->path().filename().u8string();
    if (std::string(spelled.begin(), spelled.end()) == name) return true;
  }
  return false;
}

inline std::string Read(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}
