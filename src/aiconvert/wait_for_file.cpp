#include "aiconvert/wait_for_file.h"

#include <string>
#include <thread>

#include "platform/folder_listing.h"
#include "platform/text.h"

namespace wf {

Pause SleepingPause() {
  return [](std::chrono::milliseconds duration) { std::this_thread::sleep_for(duration); };
}

bool WaitForFile(const std::filesystem::path& path, Progress& progress, const Pause& pause) {
  constexpr int kMaxWaits = 10;
  constexpr std::chrono::milliseconds kWait{500};
  for (int waits = 0; waits < kMaxWaits && !FindExistingPath(path); ++waits) {
    progress.SetText("Wait for:" + PathUtf8(path));
    pause(kWait);
  }
  return FindExistingPath(path).has_value();
}

}
