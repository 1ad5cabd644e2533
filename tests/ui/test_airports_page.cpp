
#include "ui/airport_search.h"
#include "ui/airports_page.h"
#include "ui/page_test_support.h"
#include "ui/search_text.h"

namespace wf::ui {
namespace {

class AirportsPageTest : public test::PageTest {
 protected:
  AirportsPageTest() {
    // Germany has one state, so its cities hang below the country; the United States has two.
    using Row = std::array<const char*, 6>;  // region, country, state, city, ident, name
    for (const auto& [region, country, state, city, icao, name] :
         {Row{"Europe", "Germany", "", "Munich", "EDDM", "Franz Josef Strauss"},
          Row{"Europe", "Germany", "", "Augsburg", "EDMA", "Augsburg"},
          Row{"North America", "United States", "Oregon", "Portland", "KPDX", "Portland Intl"},
          Row{"North America", "United States", "", "Nowhere", "K0NW", "Nowhere Strip"},
          Row{"Europe", "Austria", "", "Vienna", "LOWW", "Schwechat"}})
      FindOrCreateAirport(session.world, region, country, state, city, icao, 0)->name = name;
    // Normal fee of LOWW: one small ramp at 100 over two spaces = 50, times type 4 over 2 = 100.
    session.settings.parkingFee[2] = 100.0f;
    CAirport& vienna = *session.world.airportIndex.Find("LOWW");
    vienna.ParkingCount(ParkingType::kRampGaSmall) = 1;
    vienna.airportType = AirportType::kLargeAirfield;
    vienna.landingFee = 100.0f;
    page.OnInitDialog();
  }

  CAirport& Airport(const char* icao) { return *session.world.airportIndex.Find(icao); }
  void Select(const char* icao) { page.OnICAOChanged(icao); }
  bool Saved() { return std::filesystem::exists(folder / "objects.dat"); }

  CPAirports page{session};
};

TEST_F(AirportsPageTest, TreeShowsStatesOnlyWhereACountryHasSeveral) {
  EXPECT_EQ(
      test::TreeText(page.m_tree, false),
      "World\n  Austria\n    Vienna\n      Schwechat (LOWW)\n  Germany\n    Augsburg\n      Augsburg (EDMA)\n"
      "    Munich\n      Franz Josef Strauss (EDDM)\n  United States\n    none\n      Nowhere\n"
      "        Nowhere Strip (K0NW)\n    Oregon\n      Portland\n        Portland Intl (KPDX)\n");
  // A rebuild gives new nodes (a page never shown builds nothing: MainSheetTest).
  const NodeId before = page.NodeOf(Airport("EDDM"));
  page.InitAirportData(false);
  EXPECT_EQ(page.m_tree.Find(before), nullptr);
  EXPECT_NE(page.NodeOf(Airport("EDDM")), kNoNode);
}

TEST_F(AirportsPageTest, LowerCaseIdentShowsTheAirport) {
  CAirport& munich = Airport("EDDM");
  munich.hasILS = 1;
  munich.runwayLights = 3;
  munich.surfaceMask = 1;
  munich.towerFrequency = 118700000;
  munich.parkingCounts = {0, 1, 2, 0, 0, 3, 0, 1, 4, 0, 1, 2, 0, 0};
  Select("eddm");
  EXPECT_EQ(page.m_hSelectedItem, page.NodeOf(munich));
  std::string shown;  // military parking ticks Military
  for (const PageField& f : page.Fields())
    if (f.info == &CPAirports::kMilitary || f.info == &CPAirports::kType ||
        f.info == &CPAirports::kTowerFrequency)
      shown += FieldText(page, f) + ";";
  EXPECT_EQ(shown, "yes;small commercial airport (5);118.7 MHz;");

  page.OnICAOChanged("XXXX");
  EXPECT_EQ(page.m_hSelectedItem, page.NodeOf(munich)) << "an unknown ident changes nothing";
  page.OnUseClicked(true);
  ASSERT_TRUE(page.OnApply());
  EXPECT_EQ(munich.military, 1);
  EXPECT_EQ(munich.airportType, munich.GetType()) << "an applied airport gets its type fixed";
  EXPECT_TRUE(Saved());
}

TEST_F(AirportsPageTest, FeeBelowTheNormalFeeIsAskedAbout) {
  // The fee typed (none: Military is ticked, the fixed fee of 50 stays in the box), whether the page
  // asks about a fee not typed, the answer, whether it asked, the fee stored and whether it is fixed.
  const std::tuple<const char*, bool, bool, bool, float, std::int32_t> cases[] = {
      {"98.60", true, false, false, 98.6f, 1},   // 98.60 x 1.015 reaches 100
      {"98.50", true, true, true, 98.5f, 1},     //
      {"98.50", false, false, true, 100.0f, 0},  // No restores the normal fee
      {"150", true, false, false, 150.0f, 1},    //
      {"100", true, false, false, 100.0f, 0},    // unchanged: nothing to take
      {nullptr, true, false, true, 100.0f, 0},   // the window asks about the shown fee too
      {nullptr, false, false, false, 50.0f, 1},  // the command line only about a typed one
  };
  for (const auto& [typed, askAboutUntyped, answer, asked, stored, setByUser] : cases) {
    const std::string fee = typed != nullptr ? typed : "(untyped)";
    CAirport& vienna = Airport("LOWW");
    vienna.landingFee = typed != nullptr ? 100.0f : 50.0f;
    vienna.feeSetByUser = typed != nullptr ? 0 : 1;
    prompter.questions.clear();
    prompter.answer = answer;
    page.askAboutUntypedFee = askAboutUntyped;
    Select("LOWW");
    typed != nullptr ? page.OnLandingFeeChanged(typed) : page.OnMilitaryClicked(true);
    ASSERT_TRUE(page.OnApply()) << fee;
    EXPECT_EQ(prompter.questions.size(), asked ? 1u : 0u) << fee;
    EXPECT_EQ(page.AnsweredNo(), asked && !answer) << fee;
    EXPECT_EQ(std::make_tuple(vienna.landingFee, vienna.feeSetByUser), std::make_tuple(stored, setByUser))
        << fee;
    EXPECT_EQ(page.m_fLandingFee.value, stored) << "the box shows what was stored";
    if (asked && typed != nullptr) {
      EXPECT_EQ(prompter.questions.back(),
                "The landing fee of 98.50 is below the 'normal' landing fee (100.00). Is this correct?");
    }
  }
}

TEST_F(AirportsPageTest, UseIsWrittenByNodeAndEachApplySavesOnce) {
  CCountry& usa = *session.world.regionMap.Find("North America")->countries.Find("United States");
  usa.countryUse = 0;
  page.OnTreeSelectionChanged(page.m_tree.TopLevel()[0]);
  EXPECT_EQ(page.m_strAirportCount, "5 (3 used)") << "the airports of a country not used are not used";
  Select("KPDX");
  EXPECT_EQ(page.m_bUse, 0) << "the country is not used";
  page.OnMilitaryClicked(false);
  ASSERT_TRUE(page.OnApply());
  EXPECT_EQ(Airport("KPDX").useAirport, 0);
  std::filesystem::remove(folder / "objects.dat");
  ASSERT_TRUE(page.OnApply());
  EXPECT_FALSE(Saved()) << "an apply without an edit writes nothing";

  // A state or a city: nothing written, nothing saved.
  const NodeId usaNode = page.m_tree.Find(page.m_tree.TopLevel()[0])->children[2];
  page.OnTreeSelectionChanged(page.m_tree.Find(usaNode)->children[1]);  // Oregon
  page.OnUseClicked(false);
  ASSERT_TRUE(page.OnApply());
  EXPECT_FALSE(Saved());

  page.OnTreeSelectionChanged(usaNode);
  EXPECT_EQ(page.m_bUse, 0);
  page.OnUseClicked(true);
  ASSERT_TRUE(page.OnApply());
  EXPECT_EQ(usa.countryUse, 1);
  EXPECT_TRUE(Saved());

  page.OnTreeSelectionChanged(page.m_tree.TopLevel()[0]);
  page.OnUseClicked(false);
  ASSERT_TRUE(page.OnApply());
  for (const auto& [name, region] : session.world.regionMap) {
    EXPECT_EQ(region->use, 0);
    for (const auto& [countryName, country] : region->countries) EXPECT_EQ(country->countryUse, 0);
  }
}

TEST(AirportSearch, FindsByIdentNameOrCityWithoutCaseOrAccentsBestFirst) {
  World world;
  const std::array<const char*, 4> airports[] = {
      // country, city, ident, name
      {"Germany", "Frankfurt am Main", "EDDF", "Frankfurt Main"},
      {"Germany", "Egelsbach", "EDFE", "Frankfurt-Egelsbach"},
      {"Germany", "Gie\xDF\x65n", "EDFL", "Gie\xDF\x65n-L\xFCtzellinde"},
      {"Schweiz", "Kloten", "LSZH", "Z\xFCrich"},
      {"Germany", "Dresden", "EDKL", "Bad Klotzsche"},
      {"United States", "Somewhere", "KLOT", "Lotus Field"},
      {"Poland", "Paklotowo", "EPKL", "Field"},
  };
  for (const auto& [country, city, icao, name] : airports)
    FindOrCreateAirport(world, "Earth", country, "", city, icao, 0)->name = name;
  const AirportSearch search(world);

  const std::tuple<const char*, std::size_t, std::vector<std::string>, std::size_t> cases[] = {
      {"frankfurt", 10, {"EDDF", "EDFE"}, 2},  // two fields begin with it: by ident
      {"Z\xDCRICH", 10, {"LSZH"}, 1},
      {" giessen ", 10, {"EDFL"}, 1},
      {"lutzel", 10, {"EDFL"}, 1},
      {"klot", 10, {"KLOT", "LSZH", "EDKL", "EPKL"}, 4},  // ident, begins, word begins, inside
      {"klot", 2, {"KLOT", "LSZH"}, 4},
      {"h\nk", 10, {}, 0},  // across fields
      {"  ", 10, {}, 0},
  };
  for (const auto& [text, limit, idents, total] : cases) {
    const AirportSearchResult found = search.Find(text, limit);
    std::vector<std::string> shown;
    for (const AirportMatch& match : found.matches) shown.push_back(match.ident);
    EXPECT_EQ(shown, idents) << text;
    EXPECT_EQ(found.total, total) << text;
  }
  const AirportMatch zurich = search.Find("zurich", 1).matches.at(0);
  EXPECT_EQ(zurich.name + "/" + zurich.city + "/" + zurich.country, "Z\xFCrich/Kloten/Schweiz");
  EXPECT_EQ(zurich.airport, world.airportIndex.Find("LSZH"));
  EXPECT_EQ(FoldForSearch("\xC6sop \x8Cuvre \xDE\xF3r Stra\xDF\x65 \xD7\xC5"),
            "aesop oeuvre thor strasse \xD7\x61");
}

TEST(AirportSearch, SuggestsTheNearestNames) {
  const std::vector<std::string> names = {"Trainer_152", "Tourer_172",       "Germany",       "Georgia",
                                          "Germany",     "C\xF4te d'Ivoire", "Tourer_172 Red"};
  const std::tuple<const char*, std::vector<std::string>> cases[] = {
      {"Tourer_127", {"Tourer_172"}},  // a swap
      {"germny", {"Germany"}},         // once, though named twice
      {"cote d'ivoire", {"C\xF4te d'Ivoire"}},
      {"Tourer", {"Tourer_172", "Tourer_172 Red"}},
      {"Biplane", {}},
      {"", {}},
  };
  for (const auto& [wanted, closest] : cases) EXPECT_EQ(ClosestNames(wanted, names), closest) << wanted;
}

}
}
