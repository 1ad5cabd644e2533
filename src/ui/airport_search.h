#pragma once
// Finding airports by what a person remembers of them: part of the ident, the name or the city,
// without regard to case or accents (FoldForSearch). The folded keys are made once, so a search
// over some 30,000 airports is quick enough to run on every key the user types.
//
// Texts are Windows-1252, as the databases store names. The search refers to the airports of the
// world it was made from: make it again when the airport database changed.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace wf {
class CAirport;
struct World;
}

namespace wf::ui {

struct AirportMatch {
  std::string ident, name, city, country;
  CAirport* airport = nullptr;  // not owned
};

struct AirportSearchResult {
  std::vector<AirportMatch> matches;  // the best, best first
  std::size_t total = 0;              // how many airports match in all
};

class AirportSearch {
 public:
  // Takes the airports of world.airportIndex.
  explicit AirportSearch(const World& world);

  // The airports whose ident, name or city contains `text` (folded; blanks at either end do not
  // count), at most `limit` of them: first the airport of that ident, then those with a field that
  // begins with the text, then those with a word in a field that begins with it, then the rest, each
  // group by ident. An empty text matches nothing.
  AirportSearchResult Find(std::string_view text, std::size_t limit) const;

  std::size_t size() const { return entries_.size(); }

 private:
  struct Entry {
    CAirport* airport;
    std::uint32_t start;                   // of the folded "ident\nname\ncity\n" in keys_
    std::uint32_t identEnd, nameEnd, end;  // where each field's '\n' is
  };
  int Rank(const Entry& entry, std::string_view key) const;

  std::string keys_;  // the folded keys of every airport, one after another
  std::vector<Entry> entries_;
};

}
