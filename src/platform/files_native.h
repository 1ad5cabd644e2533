#pragma once
// The system calls under files.h, one file per kind of system (files_posix.cpp, files_windows.cpp).
// Only the files*.cpp of this folder include this header.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>

#include "platform/files.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

namespace wf::native {

#ifdef _WIN32
using NativeFile = HANDLE;
inline const NativeFile kNoFile = INVALID_HANDLE_VALUE;
#else
using NativeFile = int;
inline constexpr NativeFile kNoFile = -1;
#endif

// The reason the last system call failed, as the system words it.
std::string LastErrorText();

inline void Fail(FileReadFailure* failure, bool missing, std::string reason) {
  if (failure == nullptr) return;
  failure->missing = missing;
  failure->reason = missing ? std::string() : std::move(reason);
}

// Opens a regular file for reading; its size in `size`. Never blocks on a pipe or device: those are
// refused before anything is read from them. kNoFile, with `failure` filled in, when it cannot.
NativeFile OpenForReading(const std::filesystem::path& path, FileReadFailure* failure, std::uint64_t& size);
// Creates `path`, which must not exist, for writing; kNoFile when it cannot (`exists` then says
// whether it was there already).
NativeFile CreateNew(const std::filesystem::path& path, bool& exists);
void CloseFile(NativeFile file);
// Closes a file that was written; false with the reason when the system reports the write failed.
bool CloseWritten(NativeFile file, std::string& error);

// Reads at most `size` bytes: how many it read (0 at the end), or -1 on an error.
std::int64_t ReadSome(NativeFile file, void* data, std::size_t size);
// Writes at most `size` bytes: how many it wrote, or -1 on an error.
std::int64_t WriteSome(NativeFile file, const char* data, std::size_t size);
// Flushes the file's data to the disk.
bool SyncFile(NativeFile file);
// Makes a rename in `folder` durable where the system needs that; errors only cost durability.
void SyncFolder(const std::filesystem::path& folder);
// Gives `file` the permissions of `target`, when the system keeps them per file.
void KeepPermissions(NativeFile file, const std::filesystem::path& target);
// Puts `temp` in the place of `target`.
bool ReplaceWith(const std::filesystem::path& temp, const std::filesystem::path& target);

// The file's `size` bytes mapped read-only, or null where the system maps nothing (the caller then
// reads the file). The file may be closed afterwards.
void* MapForReading(NativeFile file, std::uint64_t size);
void Unmap(void* mapping, std::size_t size);

}
