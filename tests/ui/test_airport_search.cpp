#include <gtest/gtest.h>

#include "ui/airport_search.h"
#include "ui/search_text.h"
#include "world/world.h"

namespace wf::ui {
namespace {

TEST(AirportSearch, FindsByIdentNameOrCityWithoutCaseOrAccentsBestFirst) {
  World world;
  const struct {
    const char *country, *city, *icao, *name;
  } airports[] = {
      {"Germany", "Frankfurt am Main", "EDDF", "Frankfurt Main"},
      {"Germany", "Egelsbach", "EDFE", "Frankfurt-Egelsbach"},
      {"Germany",
       "Gie\xDF"
       "en",
       "EDFL",
       "Gie\xDF"
       "en-L\xFCtzellinde"},
      {"Schweiz", "Kloten", "LSZH", "Z\xFCrich"},
      {"Germany", "Dresden", "EDKL", "Bad Klotzsche"},
      {"United States", "Somewhere", "KLOT", "Lotus Field"},
      {"Poland", "Paklotowo", "EPKL", "Field"},
  };
  for (const auto& a : airports) {
    FindOrCreateAirport(world, "Earth", a.country, "", a.city, a.icao, 0)->name = a.name;
  }
  const AirportSearch search(world);

  const struct {
    const char* text;
    std::size_t limit;
    std::vector<std::string> idents;
    std::size_t total;
  } cases[] = {
      {"frankfurt", 10, {"EDDF", "EDFE"}, 2},  // two fields begin with it: by ident
      {"Z\xDCRICH", 10, {"LSZH"}, 1},
      {" giessen ", 10, {"EDFL"}, 1},
      {"lutzel", 10, {"EDFL"}, 1},
      {"klot", 10, {"KLOT", "LSZH", "EDKL", "EPKL"}, 4},  // ident, begins, word begins, inside
      {"klot", 2, {"KLOT", "LSZH"}, 4},
      {"h\nk", 10, {}, 0},  // across fields
      {"  ", 10, {}, 0},
  };
  for (const auto& c : cases) {
    const AirportSearchResult found = search.Find(c.text, c.limit);
    std::vector<std::string> idents;
    for (const AirportMatch& match : found.matches) idents.push_back(match.ident);
    EXPECT_EQ(idents, c.idents) << c.text;
    EXPECT_EQ(found.total, c.total) << c.text;
  }
  const AirportMatch zurich = search.Find("zurich", 1).matches.at(0);
  EXPECT_EQ(zurich.name + "/" + zurich.city + "/" + zurich.country, "Z\xFCrich/Kloten/Schweiz");
  EXPECT_EQ(zurich.airport, world.airportIndex.Find("LSZH"));
  EXPECT_EQ(FoldForSearch("\xC6sop \x8Cuvre \xDE\xF3r Stra\xDF"
                          "e \xD7\xC5"),
            "aesop oeuvre thor strasse \xD7"
            "a");
}

TEST(AirportSearch, SuggestsTheNearestNames) {
  const std::vector<std::string> names = {"Trainer_152", "Tourer_172",       "Germany",       "Georgia",
                                          "Germany",     "C\xF4te d'Ivoire", "Tourer_172 Red"};
  const struct {
    const char* wanted;
    std::vector<std::string> closest;
  } cases[] = {
      {"Tourer_127", {"Tourer_172"}},  // a swap
      {"germny", {"Germany"}},         // once, though named twice
      {"cote d'ivoire", {"C\xF4te d'Ivoire"}},
      {"Tourer", {"Tourer_172", "Tourer_172 Red"}},
      {"Biplane", {}},
      {"", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(ClosestNames(c.wanted, names), c.closest) << c.wanted;
}

}
}
