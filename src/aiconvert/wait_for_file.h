#pragma once
// Waiting a bounded time for a file that an external program writes.
#include <chrono>
#include <filesystem>
#include <functional>

#include "platform/progress.h"

namespace wf {

// Blocks the caller for a while. Real runs sleep; tests pass one that only records.
using Pause = std::function<void(std::chrono::milliseconds)>;

// A Pause that sleeps.
Pause SleepingPause();

// True when `path` exists at the end (its name found without regard to case, as the Windows file
// system finds it). While it is missing, up to ten times: shows "Wait for:" and the path through
// `progress` and pauses 500 ms. A file that exists at once shows nothing and never pauses.
bool WaitForFile(const std::filesystem::path& path, Progress& progress, const Pause& pause);

}
