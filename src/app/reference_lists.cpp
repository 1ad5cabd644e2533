#include "app/reference_lists.h"

#include "platform/files.h"
#include "platform/text.h"

namespace wf {

std::string ReferenceListKey(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  // White space as the C locale's isspace knows it.
  constexpr std::string_view kSpace = " \t\n\v\f\r";
  while (!line.empty() && kSpace.find(line.front()) != std::string_view::npos) line.remove_prefix(1);
  if (!line.empty() && line.front() == '#') return {};
  return ToUpperAscii(line);
}

namespace {

template <class Mark>
bool ApplyFile(const std::filesystem::path& file, World& world, int* matched, Mark mark) {
  const auto text = ReadFileBytes(file);
  if (!text) return false;
  int count = 0;
  std::string_view rest(*text);
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    const std::string_view line = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    const std::string key = ReferenceListKey(line);
    if (key.empty()) continue;
    if (CAirport* airport = world.airportIndex.Find(key)) {
      mark(*airport);
      ++count;
    }
  }
  if (matched) *matched = count;
  return true;
}

}

bool ApplyMilitaryAirports(const std::filesystem::path& file, World& world, int* matched) {
  return ApplyFile(file, world, matched, [](CAirport& airport) { airport.military = 1; });
}

bool ApplyNotUseAirports(const std::filesystem::path& file, World& world, int* matched) {
  return ApplyFile(file, world, matched, [](CAirport& airport) { airport.useAirport = 0; });
}

}
