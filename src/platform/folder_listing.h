#pragma once
// Folder listings with the name matching of the Windows file system, on every OS.
//
// Names match a pattern without regard to case (ASCII letters), and a listing comes sorted by name
// without regard to case, as NTFS returns it: names compare by their upper-cased bytes, so "_x"
// sorts after "Ax" and before "Bx"; names equal but for case keep their byte order. On a file
// system that tells names apart by case ("Scenery" and "SCENERY" side by side), both are listed.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wf {

// Wildcard matching as the Windows file functions do it on long names, without regard to case:
//   '*' matches any run of characters (also none), '?' exactly one character;
//   a pattern that ends in '.' matches only names without a dot: "*." matches folders and files
//   without an extension, "Scenery." matches "scenery" but not "Scenery.old";
//   a pattern that ends in ".*" also matches the name without the dot: "Texture.*" matches
//   "Texture" as well as "texture.blue".
bool MatchesWildcard(std::string_view name, std::string_view pattern);

// Orders names as NTFS lists them (see above); a strict weak order.
bool FolderNameLess(std::string_view a, std::string_view b);

struct FolderEntry {
  std::string name;            // the name on disk, without the folder, in UTF-8
  std::filesystem::path path;  // the folder given to ListFolder followed by the name
  bool isFolder = false;
};

// The entries of `folder` whose names match `pattern`, sorted by FolderNameLess; "." and ".." are
// never listed. A folder that does not exist or cannot be read gives an empty list (no exception).
// A symbolic link counts as a folder when it leads to one.
std::vector<FolderEntry> ListFolder(const std::filesystem::path& folder, std::string_view pattern);

// `relative` below `base` with every component spelled as on disk: a component that does not
// exist with that spelling takes the first entry (in listing order) that matches it without regard
// to case. Components without any match are kept as given, so the result may not exist.
std::filesystem::path ResolvePathCase(const std::filesystem::path& base,
                                      const std::filesystem::path& relative);

// Renames `from` to `to`, replacing a file `to`, so that the disk spells the name as `to` does,
// also where the two differ in case alone: that rename goes through a temporary name, since some
// file systems that ignore case (Wine's) take it for no change and keep the old spelling.
void RenameToSpelling(const std::filesystem::path& from, const std::filesystem::path& to,
                      std::error_code& ec);

// The file or folder that `path` names as the Windows file system would find it: `path` itself
// when it exists, else the entry whose components match it without regard to case (resolved from
// the root of an absolute path, from the current folder otherwise); nothing when neither exists.
std::optional<std::filesystem::path> FindExistingPath(const std::filesystem::path& path);

}
