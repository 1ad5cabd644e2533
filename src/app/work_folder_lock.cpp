#include "app/work_folder_lock.h"

#include <ctime>
#include <optional>
#include <thread>

#include "platform/calendar.h"
#include "platform/files.h"
#include "platform/text.h"

namespace wf {

namespace {

std::string HolderLine(std::string_view holder) {
  const CalendarFields now = SplitTime(static_cast<TimeValue>(std::time(nullptr)));
  return std::string(holder) + ", process " + std::to_string(CurrentProcessId()) + ", since " +
         IsoDateTime(now) + " UTC";
}

}

WorkFolderLock WorkFolderLock::Acquire(const std::filesystem::path& workFolder, std::string_view holder,
                                       std::chrono::milliseconds wait) {
  const std::filesystem::path file = workFolder / kWorkFolderLockFile;
  const std::string line = HolderLine(holder);
  const auto giveUp = std::chrono::steady_clock::now() + wait;
  for (;;) {
    if (std::optional<FileLock> lock = FileLock::TryLock(file, line)) {
      WorkFolderLock locked(std::move(*lock));
      locked.staleTemporaryFilesRemoved_ = RemoveStaleTemporaryFiles(workFolder);
      return locked;
    }
    if (std::chrono::steady_clock::now() >= giveUp) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  std::string other = FileLock::Holder(file);
  if (other.empty()) other = "another program";
  throw WorkFolderBusy("The work folder " + PathUtf8(workFolder) + " is in use by " + other +
                       ". Wait until it has finished (or close it), then run this again.");
}

}
