#pragma once
// Files written and read in one call, what their text holds (and the recording prompter, which
// answers per-file questions from a script).
#include <algorithm>
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

// A shell script, made executable where permissions say so.
inline void WriteScript(const std::filesystem::path& path, const std::string& body) {
  Write(path, "#!/bin/sh\n" + body);
  std::filesystem::permissions(path, std::filesystem::perms::owner_exec, std::filesystem::perm_options::add);
}

// The file's lines, without their line ends.
inline std::vector<std::string> ReadLines(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The names in `folder` that end in `ending`, spelled as on disk (on a system that ignores case,
// exists() cannot tell "A.BMP" from "a.bmp"), in byte order; none for a missing folder.
inline std::vector<std::string> EntryNames(const std::filesystem::path& folder,
                                           const std::string& ending = "") {
  std::vector<std::string> names;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::u8string spelled = it->path().filename().u8string();
    if (std::string name(spelled.begin(), spelled.end()); name.ends_with(ending)) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

inline bool HasEntrySpelled(const std::filesystem::path& folder, const std::string& name) {
  const std::vector<std::string> names = EntryNames(folder);
  return std::find(names.begin(), names.end(), name) != names.end();
}

// How often `part` occurs in `text`, overlaps counted.
inline int Occurrences(const std::string& text, const std::string& part) {
  int count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

inline std::string Read(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}
