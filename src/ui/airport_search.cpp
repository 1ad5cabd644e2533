#include "ui/airport_search.h"

#include <algorithm>
#include <utility>

#include "platform/text.h"
#include "ui/search_text.h"
#include "world/world.h"

namespace wf::ui {

namespace {

bool IsLetterOrDigit(char c) {
  return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || static_cast<unsigned char>(c) >= 0x80;
}

const std::string& CountryName(const CAirport& airport) {
  static const std::string kNone;
  const CCity* city = airport.city;
  const CState* state = city != nullptr ? city->state : nullptr;
  return state != nullptr && state->country != nullptr ? state->country->name : kNone;
}

}

AirportSearch::AirportSearch(const World& world) {
  entries_.reserve(world.airportIndex.size());
  for (const auto& [ident, airport] : world.airportIndex) {
    Entry entry{airport, static_cast<std::uint32_t>(keys_.size()), 0, 0, 0};
    keys_ += FoldForSearch(ident);
    entry.identEnd = static_cast<std::uint32_t>(keys_.size());
    keys_ += '\n' + FoldForSearch(airport->name);
    entry.nameEnd = static_cast<std::uint32_t>(keys_.size());
    keys_ += '\n' + FoldForSearch(airport->city != nullptr ? airport->city->name : std::string());
    entry.end = static_cast<std::uint32_t>(keys_.size());
    keys_ += '\n';
    entries_.push_back(entry);
  }
}

// 0 the ident itself, 1 a field begins with `key`, 2 a word of a field does, 3 a field holds it
// elsewhere, -1 no field holds it.
int AirportSearch::Rank(const Entry& entry, std::string_view key) const {
  const std::string_view all(keys_);
  const std::string_view fields[] = {all.substr(entry.start, entry.identEnd - entry.start),
                                     all.substr(entry.identEnd + 1, entry.nameEnd - entry.identEnd - 1),
                                     all.substr(entry.nameEnd + 1, entry.end - entry.nameEnd - 1)};
  if (fields[0] == key) return 0;
  int rank = -1;
  for (const std::string_view field : fields) {
    for (std::size_t at = field.find(key); at != std::string_view::npos; at = field.find(key, at + 1)) {
      const int here = at == 0 ? 1 : !IsLetterOrDigit(field[at - 1]) ? 2 : 3;
      if (rank < 0 || here < rank) rank = here;
      if (here < 3) break;
    }
    if (rank == 1) break;  // nothing but the ident itself ranks higher
  }
  return rank;
}

AirportSearchResult AirportSearch::Find(std::string_view text, std::size_t limit) const {
  AirportSearchResult result;
  const std::string key = FoldForSearch(Trim(text));
  if (key.empty() || key.find('\n') != std::string::npos) return result;
  std::vector<std::pair<int, std::size_t>> found;  // rank, entry
  // One pass over all keys; the entry of a hit is found by walking on from the last one.
  const std::string_view all(keys_);
  std::size_t index = 0;
  for (std::size_t at = all.find(key); at != std::string_view::npos; at = all.find(key, at)) {
    while (entries_[index].end < at) ++index;
    const Entry& entry = entries_[index];
    if (const int rank = Rank(entry, key); rank >= 0) found.emplace_back(rank, index);
    at = entry.end + 1;
  }
  result.total = found.size();
  const std::size_t shown = std::min(limit, found.size());
  std::partial_sort(found.begin(), found.begin() + static_cast<std::ptrdiff_t>(shown), found.end());
  for (std::size_t i = 0; i < shown; ++i) {
    CAirport* airport = entries_[found[i].second].airport;
    result.matches.push_back({airport->icao, airport->name,
                              airport->city != nullptr ? airport->city->name : std::string(),
                              CountryName(*airport), airport});
  }
  return result;
}

}
