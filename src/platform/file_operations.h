#pragma once
// Copy, move, delete and rename of files and folders named by path patterns, with the rules of the
// Windows shell's file operation, on every OS.
//
// Sources: the last component of a source path may hold the wildcards '*' and '?'; it is matched
// without regard to case, with the rules of MatchesWildcard ("Texture.*" also matches a folder
// named "Texture"). A last component without wildcards names one entry, found without regard to
// case when the exact spelling does not exist. Folders above it are found the same way.
//
//   copy    a source folder named without wildcards becomes the destination folder (created, or
//           merged into when it exists); a source file becomes the destination file, or goes into
//           the destination when that is an existing folder; with wildcards or several sources
//           every match goes into the destination folder (created when missing). Folder trees are
//           copied whole, with missing folders created. A destination file that exists with
//           another spelling of its name is replaced in place (its name stays).
//   move    the same, and the sources are removed once copied.
//   delete  every match, folders with everything in them.
//   rename  the one source entry gets the destination path (normally a new name in its folder).
//
// Before an existing file is replaced (or an entry deleted) the operation asks, when the request
// says so: Yes replaces, No keeps that file and goes on, the "to all" answers stand for the rest of
// the operation, and Cancel stops it; what was settled before the Cancel is still carried out, as
// the shell leaves the files it copied before the user cancelled. Nothing throws: what could not be
// done is listed in the result, and the operation goes on with the next entry.
//
// On Windows the shell's own operation (SHFileOperationW) does the copying, moving, deleting and
// renaming, with the questions already answered; elsewhere std::filesystem does.
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/prompter.h"

namespace wf {

enum class FileOperationKind : unsigned { kMove = 1, kCopy = 2, kDelete = 3, kRename = 4 };

struct FileOperationRequest {
  FileOperationKind kind = FileOperationKind::kCopy;
  std::vector<std::filesystem::path> from;
  // The first entry is the destination; unused for delete.
  std::vector<std::filesystem::path> to;
  // Ask before replacing or deleting an existing file (the shell's flags lack FOF_NOCONFIRMATION).
  bool askFirst = false;
  // Windows: no progress window of the shell's own (FOF_SILENT); its title, when it shows one.
  bool silent = false;
  std::string title;
  // Windows: the window that owns the shell's progress window (an HWND), or null.
  void* nativeOwner = nullptr;
};

// `existing` would be replaced by `replacement` (copy, move, rename), or deleted (`replacement`
// empty).
using ReplaceQuestion =
    std::function<Answer(const std::filesystem::path& existing, const std::filesystem::path& replacement)>;

struct FileOperationResult {
  bool aborted = false;                        // the question was answered with Cancel
  std::vector<std::filesystem::path> written;  // destination files written
  std::vector<std::filesystem::path> kept;     // existing files the question kept (No)
  std::vector<std::filesystem::path> removed;  // entries deleted
  std::vector<std::string> failures;           // what could not be done: the path and why
  bool matchedNothing = false;                 // no source entry matched
};

// Whether `inner` is `outer` or lies below it, with links followed.
bool IsWithin(const std::filesystem::path& inner, const std::filesystem::path& outer);

// Performs `request`; `ask` is called only when request.askFirst is set (without a question,
// existing files are replaced).
FileOperationResult PerformFileOperation(const FileOperationRequest& request,
                                         const ReplaceQuestion& ask = {});

}
