#include <gtest/gtest.h>

#include "app/databases.h"
#include "app/version.h"
#include "cli/cli_test.h"

namespace wf {
namespace {

using test::CliTest;
namespace fs = std::filesystem;

// Without a settings file the simulator folder is unknown: said once, and status goes on; status
// shows where each setting came from and writes nothing.
TEST_F(CliTest, StatusShowsFoldersAndSettingSourcesAndWritesNothing) {
  fs::remove_all(sim_);
  auto result = Wingfold("status");
  EXPECT_EQ(result.exitCode, 0);
  const auto first = result.out.find("Please check the path of FS X in the Settings!");
  ASSERT_NE(first, std::string::npos) << result.out;
  EXPECT_EQ(result.out.find("Please check the path", first + 1), std::string::npos);
  WriteSettings("[Settings]\r\nGA_Percentage=70\r\n[Path]\r\nFS2004=/opt/fsx\r\n");
  const auto before = fs::last_write_time(work_ / "Wingfold.ini");
  Check("status", 0,
        {"Work folder:      " + work_.string(), "Simulator folder: /opt/fsx  [file]",
         "GA_Percentage                   = 70  (file)", "Taxi_max                        = 2  (default)"});
  EXPECT_EQ(Wingfold("status").out.find("Please check the path"), std::string::npos);
  EXPECT_EQ(fs::last_write_time(work_ / "Wingfold.ini"), before);
  EXPECT_EQ(std::distance(fs::directory_iterator(work_), {}), 1);
}

TEST_F(CliTest, ExitStatuses) {
  Run({{"frobnicate", 2, "usage: wingfold"},
       {"--no-such-option status", 2, "usage: wingfold"},
       {"", 2, "usage: wingfold"},
       {"--help", 0, "status"},
       {"--version", 0, std::string("wingfold ") + ProgramVersion() + "\n"}});
  EXPECT_NE(test::RunWingfold("-C /nonexistent/wingfold status").out.find("does not exist"),
            std::string::npos);
}

TEST_F(CliTest, DumpPrintsAirportsAndSaysWhereADamagedFileFails) {
  Session session;
  session.workFolder = work_;
  CAirport* airport = FindOrCreateAirport(session.world, "Europe", "Germany", "Bavaria", "Munich", "EDDM", 0);
  airport->name = "Munich";
  airport->runways.push_back({4, 4000, 60});
  airport->parkingSpaces.push_back({ParkingType::kRampGaSmall, 9.5});
  ASSERT_TRUE(SaveAirportDatabase(session));
  const std::string bytes = File("objects.dat");
  std::ofstream(work_ / "cut.dat", std::ios::binary) << bytes.substr(0, bytes.size() / 2);
  Check("dump objects.dat", 0,
        {"CRegion \"Europe\"", "CCountry \"Germany\"", "CAirport \"EDDM\" name \"Munich\"",
         "runway surface 4  length 4000 m  width 60 m", "parking type 2  radius 9.5 m",
         "-- 1 regions, 1 airports"});
  Check("dump cut.dat", 1, {"cut.dat is damaged", "offset"});
  Check("dump missing.dat", 1, {"cannot open"});
}

}
}
