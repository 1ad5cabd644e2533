#pragma once
// A path as UTF-8 text, for messages, progress texts and command lines.
#include <filesystem>
#include <string>

namespace wf {

inline std::string PathText(const std::filesystem::path& path) {
  const std::u8string bytes = path.u8string();
  return std::string(bytes.begin(), bytes.end());
}

inline std::filesystem::path PathFromText(const std::string& text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

}
