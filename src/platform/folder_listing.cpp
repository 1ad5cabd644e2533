#include "platform/folder_listing.h"

#include <algorithm>
#include <system_error>

#include "platform/text.h"

namespace wf {

namespace {

// Glob matching with '*' and '?', by the usual single backtracking point: on a mismatch after a
// '*', let that star swallow one more character. Linear in practice, never worse than n * m.
bool GlobMatch(std::string_view name, std::string_view pattern) {
  std::size_t n = 0, p = 0;
  std::size_t starPattern = std::string_view::npos, starName = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starPattern = p++;
      starName = n;
    } else if (p < pattern.size() &&
               (pattern[p] == '?' || ToUpperAscii(pattern[p]) == ToUpperAscii(name[n]))) {
      ++p;
      ++n;
    } else if (starPattern != std::string_view::npos) {
      p = starPattern + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}

bool MatchesWildcard(std::string_view name, std::string_view pattern) {
  if (!pattern.empty() && pattern.back() == '.') {
    if (name.find('.') != std::string_view::npos) return false;
    pattern.remove_suffix(1);
  }
  if (pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*" &&
      GlobMatch(name, pattern.substr(0, pattern.size() - 2))) {
    return true;
  }
  return GlobMatch(name, pattern);
}

bool FolderNameLess(std::string_view a, std::string_view b) {
  const auto upperLess = [](char x, char y) {
    return static_cast<unsigned char>(ToUpperAscii(x)) < static_cast<unsigned char>(ToUpperAscii(y));
  };
  if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), upperLess)) return true;
  if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), upperLess)) return false;
  return a < b;
}

std::vector<FolderEntry> ListFolder(const std::filesystem::path& folder, std::string_view pattern) {
  std::vector<FolderEntry> entries;
  std::error_code ec;
  std::filesystem::directory_iterator it(folder, ec);
  if (ec) return entries;
  for (const std::filesystem::directory_iterator end; it != end; it.increment(ec)) {
    if (ec) break;
    std::string name = PathUtf8(it->path().filename());
    if (name == "." || name == ".." || !MatchesWildcard(name, pattern)) continue;
    std::error_code typeError;
    const bool isFolder = it->is_directory(typeError);
    entries.push_back({std::move(name), it->path(), isFolder && !typeError});
  }
  std::sort(entries.begin(), entries.end(),
            [](const FolderEntry& a, const FolderEntry& b) { return FolderNameLess(a.name, b.name); });
  return entries;
}

std::filesystem::path ResolvePathCase(const std::filesystem::path& base,
                                      const std::filesystem::path& relative) {
  std::filesystem::path resolved = base;
  for (const std::filesystem::path& component : relative) {
    const std::string name = PathUtf8(component);
    if (name.empty() || name == "." || name == "..") {
      resolved /= component;
      continue;
    }
    std::error_code ec;
    if (std::filesystem::exists(resolved / component, ec)) {
      resolved /= component;
      continue;
    }
    std::filesystem::path match = component;
    for (const FolderEntry& entry :
         ListFolder(resolved.empty() ? std::filesystem::path(".") : resolved, "*")) {
      if (EqualsIgnoringCase(entry.name, name)) {
        match = entry.path.filename();
        break;
      }
    }
    resolved /= match;
  }
  return resolved;
}

void RenameToSpelling(const std::filesystem::path& from, const std::filesystem::path& to,
                      std::error_code& ec) {
  const std::string fromName = PathUtf8(from.filename()), toName = PathUtf8(to.filename());
  if (fromName == toName || !EqualsIgnoringCase(fromName, toName) || from.parent_path() != to.parent_path()) {
    std::filesystem::rename(from, to, ec);
    return;
  }
  std::filesystem::path aside = from;
  aside += ".renaming";
  std::filesystem::rename(from, aside, ec);
  if (ec) return;
  std::filesystem::rename(aside, to, ec);
  if (ec) {
    std::error_code ignored;
    std::filesystem::rename(aside, from, ignored);
  }
}

std::optional<std::filesystem::path> FindExistingPath(const std::filesystem::path& path) {
  std::error_code ec;
  if (path.empty()) return std::nullopt;
  if (std::filesystem::exists(path, ec)) return path;
  const std::filesystem::path resolved = path.is_absolute()
                                             ? ResolvePathCase(path.root_path(), path.relative_path())
                                             : ResolvePathCase({}, path);
  if (std::filesystem::exists(resolved, ec)) return resolved;
  return std::nullopt;
}

}
