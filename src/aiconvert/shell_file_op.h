#pragma once
// CShellFileOp: one copy, move, delete or rename of a path pattern, performed the moment the object
// is constructed, with the shell's operation codes and flags. The work itself is the platform's
// PerformFileOperation; this class keeps the shell's interface: the source and destination lists
// (paths back to back, each closed by a NUL, the list closed by one more NUL), the flags, the
// progress title, and the aborted indicator.
//
// Questions: without FOF_NOCONFIRMATION the owner is asked before an existing file is replaced or
// deleted (No keeps that file, Cancel stops the operation and sets the aborted indicator). With no
// owner nobody can answer, and existing files are kept.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/file_operations.h"
#include "platform/prompter.h"

namespace wf {

// The shell's operation codes and flags (windows.h defines the same names, with the same values).
#ifndef FO_MOVE
inline constexpr unsigned FO_MOVE = 1;
inline constexpr unsigned FO_COPY = 2;
inline constexpr unsigned FO_DELETE = 3;
inline constexpr unsigned FO_RENAME = 4;
inline constexpr std::uint16_t FOF_SILENT = 0x0004;
inline constexpr std::uint16_t FOF_NOCONFIRMATION = 0x0010;
inline constexpr std::uint16_t FOF_NOCONFIRMMKDIR = 0x0200;
#endif

class CShellFileOp {
 public:
  // Stores owner, flags and title, puts `from` and `to` into the lists (an empty `to` stays out)
  // and performs `operation` at once; an operation outside 1 to 4 performs nothing. `owner` is not
  // owned and may be null.
  CShellFileOp(Prompter* owner, unsigned operation, const std::filesystem::path& from,
               const std::filesystem::path& to, std::uint16_t flags, const std::string& title);
  // Empty lists, no operation yet: fill the lists, then call one of the operations.
  CShellFileOp() = default;
  virtual ~CShellFileOp() = default;

  // Adds a path to the source list (selector 0) or the destination list (selector 1).
  void AddFile(int selector, const std::filesystem::path& path);
  // Makes room for `bytes` in a list without changing it.
  void ReserveList(int selector, std::size_t bytes);
  // An empty title leaves the operation without one.
  void SetTitle(const std::string& title);
  void SetOwner(Prompter* owner) { owner_ = owner; }
  void SetFlags(std::uint16_t flags) { flags_ = flags; }
  std::uint16_t GetFlags() const { return flags_; }
  bool GetAborted() const { return aborted_; }
  const std::string* GetTitle() const { return title_.empty() ? nullptr : &title_; }
  // A list in the shell's form: each path closed by a NUL, then one more NUL.
  const std::string& List(int selector) const { return selector == 0 ? source_ : destination_; }

  // Each clears the aborted indicator, performs the operation on the lists as they stand and
  // returns 0 when everything was done, 1 when anything was not (kept, cancelled or failed).
  int Move() { return Perform(FileOperationKind::kMove); }
  int Copy() { return Perform(FileOperationKind::kCopy); }
  int Delete() { return Perform(FileOperationKind::kDelete); }
  int Rename() { return Perform(FileOperationKind::kRename); }

  // What the last operation did, file by file.
  const FileOperationResult& Result() const { return result_; }

 private:
  int Perform(FileOperationKind kind);
  std::vector<std::filesystem::path> Paths(const std::string& list) const;

  Prompter* owner_ = nullptr;
  std::string source_ = std::string(1, '\0');
  std::string destination_ = std::string(1, '\0');
  std::uint16_t flags_ = 0;
  bool aborted_ = false;
  std::string title_;
  FileOperationResult result_;
};

}
