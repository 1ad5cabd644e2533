#include <gtest/gtest.h>

#include <fstream>

#include "app/databases.h"
#include "platform/files.h"
#include "support/run_wingfold.h"
#include "support/temp_folder.h"

namespace wf {
namespace {

TEST(CliDumpTest, PrintsAirportsAndSaysWhereADamagedFileFails) {
  test::TempFolder folder;
  {
    Session session;
    session.workFolder = folder.path();
    CAirport* airport =
        FindOrCreateAirport(session.world, "Europe", "Germany", "Bavaria", "Munich", "EDDM", 0);
    airport->name = "Munich";
    airport->runways.push_back({4, 4000, 60});
    airport->parkingSpaces.push_back({ParkingType::kRampGaSmall, 9.5});
    ASSERT_TRUE(SaveAirportDatabase(session));
  }
  auto result = test::RunWingfold("-C \"" + folder.path().string() + "\" dump objects.dat", false);
  EXPECT_EQ(result.exitCode, 0) << result.out;
  for (const char* expected :
       {"CRegion \"Europe\"", "CCountry \"Germany\"", "CAirport \"EDDM\" name \"Munich\"",
        "runway surface 4  length 4000 m  width 60 m", "parking type 2  radius 9.5 m",
        "-- 1 regions, 1 airports"}) {
    EXPECT_NE(result.out.find(expected), std::string::npos) << expected << "\n" << result.out;
  }

  const std::string bytes = ReadFileBytes(folder / "objects.dat").value();
  std::ofstream(folder / "cut.dat", std::ios::binary) << bytes.substr(0, bytes.size() / 2);
  result = test::RunWingfold("-C \"" + folder.path().string() + "\" dump cut.dat");
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.out.find("cut.dat is damaged"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("offset"), std::string::npos) << result.out;

  result = test::RunWingfold("-C \"" + folder.path().string() + "\" dump missing.dat");
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.out.find("cannot open"), std::string::npos) << result.out;
}

}
}
