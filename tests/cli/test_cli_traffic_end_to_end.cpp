// The main job through the real binary: collect a small scenery, read the demo aircraft, generate.

#include <thread>

#include "app/work_folder_lock.h"
#include "cli/cli_test.h"

namespace wf {
namespace {

using test::CliTrafficTest;
namespace fs = std::filesystem;

TEST_F(CliTrafficTest, CollectExtendsTheDatabaseAndGenerationIsReproducible) {
  const std::string stats = (folder_ / "stats.json").string();
  Run({
      {"report", 1, "Airports.dat is missing. Generate the flight plans first."},  // nothing generated yet
      {"collect --default", 0, "airports added:            12"},
      // The add-on updates KAAA; the fee, the use and the military flag the user fixed there stay.
      {"--yes airport KAAA --fee 999 --use no --military yes", 0, "Landing fees:         999"},
      {"collect", 0, "airports added:            1\n  airports updated:          1\n"},
      {"dump objects.dat", 0, "fee 999.00 (normal"},
      {"airport KAAA", 0, "Use:                  no\n  Military:             yes"},
      {"--yes airport KAAA --use yes --military no", 0,
       "Use:                  yes\n  Military:             no"},
      {"generate --no-compile --report --stats-json \"" + stats + "\"", 0, "Traffic-report.html ("},
  });
  EXPECT_FALSE(fs::exists(work_ / "Traffic-report.html.tmp"));
  const std::string first = File("Flightplans-GA.dat");
  // The run's figures reach the statistics and the report (whose counts are ReportTest's).
  const std::string json = ReadFileBytes(stats).value_or("");
  for (const char* says : {"\"plane_blocks\": ", "\"flight_lines\": ", "\"flight_plans_written\": true,\n"})
    EXPECT_NE(json.find(says), std::string::npos) << json;
  EXPECT_NE(File("Traffic-report.html").find("\"generation\": {\"airports_listed\": 13, "),
            std::string::npos);

  // A second process, in another time zone, writes the same file byte for byte.
  EXPECT_EQ(Wingfold("generate --no-compile", "Asia/Kolkata").exitCode, 0);
  EXPECT_EQ(File("Flightplans-GA.dat"), first);
  Run({{"check", 0, "13 airports"}});
  std::ofstream(work_ / "Flightplans-GA.dat", std::ios::app | std::ios::binary) << "}\n";
  Run({{"check", 1, " legs: 1 problem\n"}});
  std::ofstream(work_ / "Flightplans-GA.dat", std::ios::binary) << "\r\n";
  Run({{"report --output \"" + (folder_ / "empty.html").string() + "\"", 1,
        "Flightplans-GA.dat holds no flight plans."},
       // Without a compiler the run says so and fails.
       {"generate", 1, "TrafficDatabaseBuilder"}});
  EXPECT_FALSE(fs::exists(folder_ / "empty.html"));
}

// A mistyped simulator folder saves nothing; with the folder right, the next start is the first. A
// database without a single airport is filled from the simulator's scenery.
TEST_F(CliTrafficTest, FirstStartWithoutADatabaseCollectsTheDefaultScenery) {
  const std::string settings = File("Wingfold.ini");
  WriteSettings("[Path]\r\nFS2004=" + (folder_ / "FXS").string());
  Run({{"load", 1, "No airport was found in the simulator's scenery"},
       {"generate", 1, "No plane was placed: no airport is used"}});
  EXPECT_FALSE(fs::exists(work_ / "objects.dat") || fs::exists(work_ / "Flightplans-GA.dat"));
  // The right folder, applied, has its scenery and aircraft read at once.
  Run({{"settings --sim-path \"" + sim_.string() + "\"", 0, "The simulator's scenery was collected: "},
       {"load", 0, "12 airports, 14 models"}});
  fs::remove(work_ / "objects.dat");
  WriteSettings(settings);
  Run({{"load", 0, "Airport collection:"}, {"load", 0, "0 new, 14 kept, 0 removed"}});
  EXPECT_EQ(Wingfold("load").out.find("Airport collection:"), std::string::npos);
  std::ofstream(work_ / "objects.dat", std::ios::binary) << std::string(2, '\0');
  Run({{"load", 0, "The airport database holds no airport"}, {"load", 0, "12 airports, 14 models"}});
}

// The run says why.
TEST_F(CliTrafficTest, AMissingFsxCfgOrAnUnreadableAircraftKeepsTheAircraftDatabase) {
  ASSERT_EQ(Wingfold("load").exitCode, 0);
  const std::string types = File("AircraftTypes.dat"), names = File("AircraftNames.dat");
  auto result = Wingfold("load", "UTC", "");
  EXPECT_EQ(result.exitCode, 0) << result.out;
  EXPECT_NE(result.out.find("no, the database is kept as it is: the folder of fsx.cfg is unknown"),
            std::string::npos)
      << result.out;
  result = Wingfold("aircraft", "UTC", (folder_ / "Nowhere").string());
  EXPECT_EQ(result.exitCode, 1) << result.out;
  EXPECT_NE(result.out.find("fsx.cfg was not found"), std::string::npos) << result.out;
  EXPECT_EQ(File("AircraftTypes.dat") + File("AircraftNames.dat"), types + names);

  const fs::path cfg = sim_ / "SimObjects" / "Airplanes" / "Trainer_152" / "aircraft.cfg";
  fs::remove(cfg);
  fs::create_directories(cfg);
  Run({{"load", 0, "model kept: Trainer_152 (aircraft.cfg cannot be read: a folder, not a file)"},
       {"load", 0, "0 new, 14 kept, 0 removed"}});
}

// Neither loses the other's work or sees a torn file; one held off too long says by whom.
TEST_F(CliTrafficTest, TwoWritersOnOneWorkFolderTakeTurns) {
  ASSERT_EQ(Wingfold("collect --default").exitCode, 0);
  // Set here rather than per run: the two runs start from two threads.
  const test::ScopedEnvironment zone("TZ", "UTC");
  const test::ScopedEnvironment appData("APPDATA", WINGFOLD_SOURCE_DIR "/examples/appdata");
  for (const char* command : {"collect", "generate --no-compile"}) {
    SCOPED_TRACE(command);
    const std::vector<std::string> arguments =
        SplitWindowsCommandLine("-C \"" + work_.string() + "\" " + command);
    test::ProcessResult runs[2];
    std::thread second([&] { runs[1] = test::RunProgram(WINGFOLD_BIN, arguments); });
    runs[0] = test::RunProgram(WINGFOLD_BIN, arguments);
    second.join();
    for (const test::ProcessResult& run : runs)
      EXPECT_EQ(run.exitCode, run.out.find("is in use by wingfold ") != std::string::npos ? 1 : 0) << run.out;
    // Both scans' airports are there, and the plans match the files they were made with.
    Run({{command[0] == 'c' ? "load" : "check", 0, "13 airports"}});
  }
  {
    const WorkFolderLock held = WorkFolderLock::Acquire(work_, "the test", std::chrono::milliseconds(0));
    Run({{"generate --no-compile", 1, "is in use by the test, process " + std::to_string(CurrentProcessId())},
         {"check", 0, ""}});  // reading commands do not wait for the folder
  }
  Run({{"generate --no-compile", 0, ""}});
}

// One copy of the damaged file is kept; with a wrong simulator folder repair changes nothing; it keeps
// a copy of every intact file it writes again, and leaves a damaged delivered database as it is.
TEST_F(CliTrafficTest, ADamagedDatabaseIsSetAsideAndRebuiltByRepair) {
  ASSERT_EQ(Wingfold("load").exitCode, 0);
  const auto kept = [this](const std::string& suffix) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(work_))
      if (entry.path().filename().string().ends_with(suffix)) files.push_back(entry.path());
    return files;
  };
  std::ofstream(work_ / "objects.dat", std::ios::binary | std::ios::app) << std::string(16, '\0');
  Run({{"collect", 1, "16 bytes follow the end of the map"},
       {"dump objects.dat", 1, "objects.dat is damaged: "},
       {"collect", 1, "Run \"wingfold repair\""},
       {"load", 1, ""}});
  EXPECT_EQ(kept(".damaged").size(), 1u);
  const std::string settings = File("Wingfold.ini");
  WriteSettings("[Path]\r\nFS2004=" + (folder_ / "FXS").string());
  Run({{"repair", 1, "Nothing was changed.", "objects.dat"}});
  WriteSettings(settings);
  Run({{"repair", 0, "Set aside: objects.dat."}, {"load", 0, "12 airports"}});
  EXPECT_EQ(kept(".damaged").size(), 1u) << "the copy of the failed starts keeps the file";

  const std::string names = File("AircraftNames.dat");
  std::ofstream(work_ / "AircraftTypes.dat", std::ios::binary | std::ios::app) << std::string(16, '\0');
  Run({{"repair", 0, "14 models, 22 variations"}});
  ASSERT_EQ(kept(".before-repair").size(), 1u);
  EXPECT_EQ(ReadFileBytes(kept(".before-repair")[0]), names);

  fs::rename(work_ / "objects.dat", work_ / "stock_objects.dat");
  std::ofstream(work_ / "stock_objects.dat", std::ios::binary | std::ios::app) << std::string(16, '\0');
  Run({{"load", 1, ""},
       {"repair", 0, "Damaged: stock_objects.dat (the delivered database is left as it is",
        "stock_objects.dat"},
       {"load", 0, ""}});
}

}
}
