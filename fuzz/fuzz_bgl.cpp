// Reads arbitrary bytes as a scenery file into a fresh world. The reader must never crash, read
// out of bounds or hang; it may report the file, and what it reports must be what it shows.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/progress.h"
#include "platform/prompter.h"
#include "scenery/airport_bgl.h"
#include "world/settings.h"
#include "world/world.h"

namespace {

class CountingPrompter final : public wf::Prompter {
 public:
  void Message(const std::string&, wf::MessageIcon) override { ++messages; }
  bool AskYesNo(const std::string&) override { return false; }
  std::optional<std::string> OpenFile(const std::string&, const std::string&) override { return {}; }
  std::size_t messages = 0;
};

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  wf::World world;
  wf::Settings settings;
  wf::NullProgress progress;
  CountingPrompter prompter;
  const wf::SceneryContext context{world, settings, progress, prompter};
  const wf::BglReadResult result =
      wf::CAirportBGL("fuzz.bgl", std::vector<std::uint8_t>(data, data + size), context).Read();
  if (result.errors.size() != prompter.messages) std::abort();
  if ((result.status == wf::BglReadStatus::kError) != !result.errors.empty()) std::abort();
  for (const auto& [ident, airport] : world.airportIndex)
    if (airport->icao != ident) std::abort();
  return 0;
}
