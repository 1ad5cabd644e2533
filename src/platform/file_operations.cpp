#include "platform/file_operations.h"

#include <algorithm>
#include <optional>
#include <system_error>
#include <utility>

#include "platform/folder_listing.h"
#include "platform/text.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
// windows.h first: shellapi.h relies on its types.
#include <shellapi.h>
#endif

namespace wf {

namespace {

namespace fs = std::filesystem;

bool HasWildcard(std::string_view name) {
  return name.find_first_of("*?") != std::string_view::npos;
}

bool IsFolder(const fs::path& path) {
  std::error_code ec;
  return fs::is_directory(path, ec);
}

bool Exists(const fs::path& path) {
  std::error_code ec;
  return fs::exists(fs::symlink_status(path, ec));
}

struct SourceMatches {
  std::vector<FolderEntry> entries;
  bool wildcard = false;
};

// The entries that a source path names: see the header for the rules.
SourceMatches Expand(fs::path from) {
  SourceMatches matches;
  if (from.has_relative_path() && from.filename().empty()) from = from.parent_path();
  const std::string pattern = PathUtf8(from.filename());
  if (pattern.empty()) return matches;
  matches.wildcard = HasWildcard(pattern);
  std::optional<fs::path> folder =
      from.has_parent_path() ? FindExistingPath(from.parent_path()) : std::optional<fs::path>(fs::path("."));
  if (!folder) return matches;
  if (!matches.wildcard && Exists(*folder / from.filename())) {
    matches.entries.push_back({pattern, *folder / from.filename(), IsFolder(*folder / from.filename())});
    return matches;
  }
  matches.entries = ListFolder(*folder, pattern);
  if (!matches.wildcard && matches.entries.size() > 1) matches.entries.resize(1);
  return matches;
}

enum class Verdict { kGo, kSkip, kStop };

// The decisions of one copy or move: the folders to create and the files to copy, in order.
class Planner {
 public:
  Planner(const FileOperationRequest& request, const ReplaceQuestion& ask, FileOperationResult& result)
      : request_(request), ask_(ask), result_(result) {}

  bool stopped() const { return stopped_; }

  // Asks about `existing` when the request says so.
  Verdict Decide(const fs::path& existing, const fs::path& replacement) {
    if (stopped_) return Verdict::kStop;
    if (!request_.askFirst || yesToAll_ || !ask_) return Verdict::kGo;
    if (noToAll_) {
      result_.kept.push_back(existing);
      return Verdict::kSkip;
    }
    switch (ask_(existing, replacement)) {
      case Answer::kYesToAll:
        yesToAll_ = true;
        return Verdict::kGo;
      case Answer::kYes:
        return Verdict::kGo;
      case Answer::kNoToAll:
        noToAll_ = true;
        [[fallthrough]];
      case Answer::kNo:
        result_.kept.push_back(existing);
        return Verdict::kSkip;
      case Answer::kCancel:
        break;
    }
    stopped_ = true;
    result_.aborted = true;
    return Verdict::kStop;
  }

  // `source` to the file `destination`; `destinationMayExist`: look for it without regard to case.
  void PlanFile(const fs::path& source, const fs::path& destination, bool destinationMayExist) {
    fs::path target = destination;
    if (destinationMayExist) {
      if (const std::optional<fs::path> existing = FindExistingPath(destination)) target = *existing;
    }
    if (destinationMayExist && Exists(target)) {
      if (IsFolder(target)) {
        result_.failures.push_back("Cannot copy " + PathUtf8(source) + ": a folder named " +
                                   PathUtf8(target) + " is in the way");
        return;
      }
      if (Decide(target, source) != Verdict::kGo) return;
    }
    files.emplace_back(source, target);
  }

  // The tree below `source` into the folder `destination`.
  void PlanTree(const fs::path& source, const fs::path& destination, bool destinationMayExist,
                int depth = 0) {
    constexpr int kMaxDepth = 64;
    if (depth > kMaxDepth) {
      result_.failures.push_back("Cannot copy " + PathUtf8(source) + ": folders nested too deeply");
      return;
    }
    fs::path target = destination;
    bool exists = false;
    if (destinationMayExist) {
      if (const std::optional<fs::path> existing = FindExistingPath(destination)) {
        target = *existing;
        exists = true;
      }
    }
    if (exists && !IsFolder(target)) {
      result_.failures.push_back("Cannot copy " + PathUtf8(source) + ": a file named " + PathUtf8(target) +
                                 " is in the way");
      return;
    }
    if (!exists) folders.push_back(target);
    sourceFolders.push_back(source);
    for (const FolderEntry& entry : ListFolder(source, "*")) {
      if (stopped_) return;
      std::error_code ec;
      if (entry.isFolder && fs::is_symlink(entry.path, ec)) {
        result_.failures.push_back("Not copied: " + PathUtf8(entry.path) + " is a link to a folder");
      } else if (entry.isFolder) {
        PlanTree(entry.path, target / entry.path.filename(), exists, depth + 1);
      } else {
        PlanFile(entry.path, target / entry.path.filename(), exists);
      }
    }
  }

  std::vector<fs::path> folders;
  std::vector<std::pair<fs::path, fs::path>> files;
  std::vector<fs::path> sourceFolders;

 private:
  const FileOperationRequest& request_;
  const ReplaceQuestion& ask_;
  FileOperationResult& result_;
  bool yesToAll_ = false;
  bool noToAll_ = false;
  bool stopped_ = false;
};

void PlanCopy(const FileOperationRequest& request, Planner& planner, FileOperationResult& result) {
  if (request.to.empty()) {
    result.failures.push_back("Nothing copied: no destination given");
    return;
  }
  const fs::path& destination = request.to.front();
  std::vector<FolderEntry> sources;
  bool single = request.from.size() == 1;
  for (const fs::path& from : request.from) {
    SourceMatches matches = Expand(from);
    if (matches.wildcard) single = false;
    for (FolderEntry& entry : matches.entries) sources.push_back(std::move(entry));
  }
  if (sources.empty()) {
    result.matchedNothing = true;
    return;
  }
  const std::optional<fs::path> existingDestination = FindExistingPath(destination);
  const bool intoFolder =
      !single || (existingDestination && IsFolder(*existingDestination) && !sources[0].isFolder);
  const fs::path destinationFolder = intoFolder && existingDestination ? *existingDestination : destination;
  if (intoFolder && !existingDestination) planner.folders.push_back(destination);
  for (const FolderEntry& source : sources) {
    if (planner.stopped()) return;
    const fs::path target = intoFolder ? destinationFolder / source.path.filename() : destination;
    if (source.isFolder && IsWithin(target, source.path)) {
      result.failures.push_back("Cannot copy " + PathUtf8(source.path) + " into itself (" + PathUtf8(target) +
                                ")");
      continue;
    }
    if (source.isFolder) {
      planner.PlanTree(source.path, target, intoFolder ? existingDestination.has_value() : true);
    } else {
      planner.PlanFile(source.path, target, true);
    }
  }
}

// Removes the source folders that a move emptied, deepest first; folders that still hold kept
// files stay.
void RemoveEmptiedFolders(const std::vector<fs::path>& sourceFolders) {
  for (auto it = sourceFolders.rbegin(); it != sourceFolders.rend(); ++it) {
    std::error_code ec;
    if (fs::is_empty(*it, ec) && !ec) fs::remove(*it, ec);
  }
}

#ifdef _WIN32

std::wstring DoubleNulList(const std::vector<fs::path>& paths) {
  std::wstring list;
  for (const fs::path& path : paths) {
    list += path.wstring();
    list.push_back(L'\0');
  }
  list.push_back(L'\0');
  return list;
}

// One call of the shell's operation with every question already answered; empty when it
// succeeded, otherwise why not.
std::string Shell(UINT function, const std::vector<fs::path>& from, const std::vector<fs::path>& to,
                  const FileOperationRequest& request, FileOperationResult& result) {
  const std::wstring fromList = DoubleNulList(from);
  const std::wstring toList = DoubleNulList(to);
  const std::wstring title = fs::path(std::u8string(request.title.begin(), request.title.end())).wstring();
  SHFILEOPSTRUCTW operation{};
  operation.hwnd = static_cast<HWND>(request.nativeOwner);
  operation.wFunc = function;
  operation.pFrom = fromList.c_str();
  operation.pTo = to.empty() ? nullptr : toList.c_str();
  operation.fFlags = FOF_NOCONFIRMATION | FOF_NOCONFIRMMKDIR | FOF_NOERRORUI;
  if (request.silent) operation.fFlags |= FOF_SILENT;
  if (function == FO_COPY || function == FO_MOVE) operation.fFlags |= FOF_MULTIDESTFILES;
  operation.lpszProgressTitle = title.empty() ? nullptr : title.c_str();
  const int code = SHFileOperationW(&operation);
  if (operation.fAnyOperationsAborted) result.aborted = true;
  if (code != 0) return "the shell's file operation failed (code " + std::to_string(code) + ")";
  return {};
}

void CopyFiles(const std::vector<std::pair<fs::path, fs::path>>& files, bool move,
               const FileOperationRequest& request, FileOperationResult& result) {
  if (files.empty()) return;
  std::vector<fs::path> from, to;
  for (const auto& [source, destination] : files) {
    from.push_back(source);
    to.push_back(destination);
  }
  const std::string failure = Shell(move ? FO_MOVE : FO_COPY, from, to, request, result);
  if (!failure.empty()) {
    result.failures.push_back((move ? "Moving " : "Copying ") + std::to_string(files.size()) +
                              " files: " + failure);
    return;
  }
  result.written.insert(result.written.end(), to.begin(), to.end());
}

void DeleteEntries(const std::vector<fs::path>& entries, const FileOperationRequest& request,
                   FileOperationResult& result) {
  if (entries.empty()) return;
  const std::string failure = Shell(FO_DELETE, entries, {}, request, result);
  if (!failure.empty()) {
    result.failures.push_back("Deleting " + PathUtf8(entries.front()) +
                              (entries.size() > 1 ? " and others" : "") + ": " + failure);
    return;
  }
  result.removed.insert(result.removed.end(), entries.begin(), entries.end());
}

bool RenameEntry(const fs::path& source, const fs::path& destination, const FileOperationRequest& request,
                 FileOperationResult& result) {
  const std::string failure = Shell(FO_RENAME, {source}, {destination}, request, result);
  if (!failure.empty()) {
    result.failures.push_back("Cannot rename " + PathUtf8(source) + " to " + PathUtf8(destination) + ": " +
                              failure);
    return false;
  }
  return true;
}

#else

void CopyFiles(const std::vector<std::pair<fs::path, fs::path>>& files, bool move,
               const FileOperationRequest&, FileOperationResult& result) {
  for (const auto& [source, destination] : files) {
    std::error_code ec;
    if (move) {
      fs::rename(source, destination, ec);
      if (!ec) {
        result.written.push_back(destination);
        continue;
      }
      ec.clear();
    }
    fs::copy_file(source, destination, fs::copy_options::overwrite_existing, ec);
    if (!ec && move) fs::remove(source, ec);
    if (ec) {
      result.failures.push_back("Cannot " + std::string(move ? "move " : "copy ") + PathUtf8(source) +
                                " to " + PathUtf8(destination) + ": " + ec.message());
      continue;
    }
    result.written.push_back(destination);
  }
}

void DeleteEntries(const std::vector<fs::path>& entries, const FileOperationRequest&,
                   FileOperationResult& result) {
  for (const fs::path& entry : entries) {
    std::error_code ec;
    fs::remove_all(entry, ec);
    if (ec) {
      result.failures.push_back("Cannot delete " + PathUtf8(entry) + ": " + ec.message());
      continue;
    }
    result.removed.push_back(entry);
  }
}

bool RenameEntry(const fs::path& source, const fs::path& destination, const FileOperationRequest&,
                 FileOperationResult& result) {
  std::error_code ec;
  fs::rename(source, destination, ec);
  if (ec) {
    result.failures.push_back("Cannot rename " + PathUtf8(source) + " to " + PathUtf8(destination) + ": " +
                              ec.message());
    return false;
  }
  return true;
}

#endif

void CopyOrMove(const FileOperationRequest& request, const ReplaceQuestion& ask,
                FileOperationResult& result) {
  Planner planner(request, ask, result);
  PlanCopy(request, planner, result);
  for (const fs::path& folder : planner.folders) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) result.failures.push_back("Cannot create the folder " + PathUtf8(folder) + ": " + ec.message());
  }
  const bool move = request.kind == FileOperationKind::kMove;
  CopyFiles(planner.files, move, request, result);
  if (move) RemoveEmptiedFolders(planner.sourceFolders);
}

void Delete(const FileOperationRequest& request, const ReplaceQuestion& ask, FileOperationResult& result) {
  Planner planner(request, ask, result);
  std::vector<fs::path> entries;
  for (const fs::path& from : request.from) {
    for (const FolderEntry& entry : Expand(from).entries) {
      const Verdict verdict = planner.Decide(entry.path, {});
      if (verdict == Verdict::kStop) break;
      if (verdict == Verdict::kGo) entries.push_back(entry.path);
    }
  }
  if (entries.empty() && result.kept.empty() && !result.aborted) result.matchedNothing = true;
  DeleteEntries(entries, request, result);
}

void Rename(const FileOperationRequest& request, const ReplaceQuestion& ask, FileOperationResult& result) {
  if (request.from.empty() || request.to.empty()) {
    result.failures.push_back("Nothing renamed: a source and a new name are needed");
    return;
  }
  const std::vector<FolderEntry> matches = Expand(request.from.front()).entries;
  if (matches.empty()) {
    result.matchedNothing = true;
    return;
  }
  const fs::path& source = matches.front().path;
  fs::path destination = request.to.front();
  if (!destination.has_parent_path()) destination = source.parent_path() / destination;
  if (const std::optional<fs::path> existing = FindExistingPath(destination)) {
    std::error_code ec;
    if (!fs::equivalent(*existing, source, ec)) {
      if (IsFolder(*existing)) {
        result.failures.push_back("Cannot rename " + PathUtf8(source) + ": a folder named " +
                                  PathUtf8(*existing) + " is in the way");
        return;
      }
      Planner planner(request, ask, result);
      if (planner.Decide(*existing, source) != Verdict::kGo) return;
      // The old file goes first: under another spelling it would not be replaced by the rename.
      FileOperationResult removal;
      DeleteEntries({*existing}, request, removal);
      if (!removal.failures.empty()) {
        result.failures.insert(result.failures.end(), removal.failures.begin(), removal.failures.end());
        return;
      }
    }
  }
  if (RenameEntry(source, destination, request, result)) result.written.push_back(destination);
}

}

bool IsWithin(const fs::path& inner, const fs::path& outer) {
  std::error_code ec;
  const fs::path a = fs::weakly_canonical(inner, ec);
  if (ec) return false;
  const fs::path b = fs::weakly_canonical(outer, ec);
  if (ec) return false;
  auto [end, unused] = std::mismatch(b.begin(), b.end(), a.begin(), a.end());
  return end == b.end();
}

FileOperationResult PerformFileOperation(const FileOperationRequest& request, const ReplaceQuestion& ask) {
  FileOperationResult result;
  switch (request.kind) {
    case FileOperationKind::kCopy:
    case FileOperationKind::kMove:
      CopyOrMove(request, ask, result);
      break;
    case FileOperationKind::kDelete:
      Delete(request, ask, result);
      break;
    case FileOperationKind::kRename:
      Rename(request, ask, result);
      break;
  }
  return result;
}

}
