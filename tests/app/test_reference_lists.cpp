#include <gtest/gtest.h>

#include <fstream>

#include "app/reference_lists.h"
#include "support/temp_folder.h"

namespace wf {
namespace {

TEST(ReferenceListsTest, LineRulesAndBothLists) {
  test::TempFolder folder;
  World world;
  for (const char* icao : {"KAAA", "KBBB", "KCCC", "KDDD"}) {
    FindOrCreateAirport(world, "R", "C", "S", "City", icao, 0);
  }
  std::ofstream(folder / "MilitaryAirports.txt", std::ios::binary)
      << " kaaa\r\n"        // leading blank removed, upper-cased: marks KAAA
      << "KBBB remark\r\n"  // trailing text: matches nothing
      << "#KCCC\r\n"        // comment
      << "KDDD\r\n"
      << "\r\nXXXX\n";  // unknown ident: ignored
  std::ofstream(folder / "NotUseAirports.txt", std::ios::binary) << "KDDD\n";

  int military = 0, notUsed = 0;
  EXPECT_TRUE(ApplyMilitaryAirports(folder / "MilitaryAirports.txt", world, &military));
  EXPECT_TRUE(ApplyNotUseAirports(folder / "NotUseAirports.txt", world, &notUsed));
  EXPECT_FALSE(ApplyNotUseAirports(folder / "missing.txt", world));
  EXPECT_EQ(military, 2);
  EXPECT_EQ(notUsed, 1);
  const auto& index = world.airportIndex;
  EXPECT_EQ(index.Find("KAAA")->military, 1);
  EXPECT_EQ(index.Find("KBBB")->military, 0);
  EXPECT_EQ(index.Find("KCCC")->military, 0);
  // Listed in both: military and not used.
  EXPECT_EQ(index.Find("KDDD")->military, 1);
  EXPECT_EQ(index.Find("KDDD")->useAirport, 0);
}

}
}
