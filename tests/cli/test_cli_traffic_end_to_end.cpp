// The main job through the real binary: collect a small scenery, read the demo aircraft, generate.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/work_folder_lock.h"
#include "cli/cli_traffic_test.h"
#include "platform/files.h"

namespace wf {
namespace {

using test::CliTrafficTest;
namespace fs = std::filesystem;

TEST_F(CliTrafficTest, CollectExtendsTheDatabaseAndGenerationIsReproducible) {
  // Nothing generated yet: no report either.
  auto result = Wingfold("report");
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.out.find("Airports.dat is missing. Generate the flight plans first."), std::string::npos)
      << result.out;
  EXPECT_FALSE(fs::exists(work_ / "Traffic-report.html"));

  result = Wingfold("collect --default");
  ASSERT_EQ(result.exitCode, 0) << result.out;
  EXPECT_NE(result.out.find("airports added:            12"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("14 models, 22 variations"), std::string::npos) << result.out;

  // The add-on updates KAAA; the fee, the use and the military flag the user fixed there stay.
  ASSERT_EQ(Wingfold("--yes airport KAAA --fee 999 --use no --military yes").exitCode, 0);
  result = Wingfold("collect");
  ASSERT_EQ(result.exitCode, 0) << result.out;
  EXPECT_NE(result.out.find("airports added:            1\n"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("airports updated:          1\n"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("airports in the database:  13"), std::string::npos) << result.out;
  result = Wingfold("dump objects.dat");
  EXPECT_NE(result.out.find("fee 999.00 (normal"), std::string::npos) << result.out;
  result = Wingfold("airport KAAA");
  EXPECT_NE(result.out.find("Use:                  no\n  Military:             yes"), std::string::npos)
      << result.out;
  ASSERT_EQ(Wingfold("--yes airport KAAA --use yes --military no").exitCode, 0);

  const fs::path stats = folder_ / "stats.json";
  result = Wingfold("generate --no-compile --report --stats-json \"" + stats.string() + "\"");
  ASSERT_EQ(result.exitCode, 0) << result.out;
  EXPECT_NE(result.out.find("Traffic-report.html ("), std::string::npos) << result.out;
  const std::string first = ReadFileBytes(work_ / "Flightplans-GA.dat").value_or("");
  EXPECT_NE(first.find("ONE_WEEK"), std::string::npos) << first.substr(0, 400);
  // The statistics count what the file holds: a block header per plan, a line per leg.
  std::size_t blocks = 0, legs = 0;
  std::istringstream lines(first);
  for (std::string line; std::getline(lines, line);) {
    blocks += line.starts_with("AC");
    legs += !line.empty() && line[0] >= '0' && line[0] <= '6';
  }
  const std::string json = ReadFileBytes(stats).value_or("");
  EXPECT_NE(json.find("\"plane_blocks\": " + std::to_string(blocks) + ",\n"), std::string::npos) << json;
  EXPECT_NE(json.find("\"flight_lines\": " + std::to_string(legs) + ",\n"), std::string::npos) << json;
  EXPECT_NE(json.find("\"flight_plans_written\": true,\n"), std::string::npos) << json;
  // The report's figures are those of the file, and the run's own figures are in it.
  const std::string page = ReadFileBytes(work_ / "Traffic-report.html").value_or("");
  EXPECT_NE(page.find("id=\"wingfold-report\">{\"plans\": " + std::to_string(blocks) + ", \"legs\": " +
                      std::to_string(legs) + ", \"planes\": " + std::to_string(blocks) + ", "),
            std::string::npos);
  EXPECT_NE(page.find("\"generation\": {\"airports_listed\": 13, "), std::string::npos);

  // A second process, in another time zone, writes the same file byte for byte.
  result = Wingfold("generate --no-compile", "Asia/Kolkata");
  ASSERT_EQ(result.exitCode, 0) << result.out;
  EXPECT_EQ(ReadFileBytes(work_ / "Flightplans-GA.dat").value_or(""), first);

  result = Wingfold("check");
  EXPECT_EQ(result.exitCode, 0) << result.out;
  EXPECT_NE(result.out.find("13 airports"), std::string::npos) << result.out;
  std::ofstream(work_ / "Flightplans-GA.dat", std::ios::app | std::ios::binary) << "}\n";
  result = Wingfold("check");
  EXPECT_EQ(result.exitCode, 1) << result.out;
  EXPECT_NE(result.out.find(" legs: 1 problem\n"), std::string::npos) << result.out;
  std::ofstream(work_ / "Flightplans-GA.dat", std::ios::binary) << "\r\n";
  result = Wingfold("report --output \"" + (folder_ / "empty.html").string() + "\"");
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.out.find("Flightplans-GA.dat holds no flight plans."), std::string::npos) << result.out;
  EXPECT_FALSE(fs::exists(folder_ / "empty.html"));
  std::ofstream(work_ / "Flightplans-GA.dat", std::ios::binary) << first;

  // Without a compiler the run says so and fails.
  result = Wingfold("generate");
  EXPECT_EQ(result.exitCode, 1) << result.out;
  EXPECT_NE(result.out.find("TrafficDatabaseBuilder"), std::string::npos) << result.out;
}

TEST_F(CliTrafficTest, FirstStartWithoutADatabaseCollectsTheDefaultScenery) {
  // A mistyped simulator folder gives no airport: nothing is saved, and a generation without a
  // plane stops before the compiler.
  const std::string settings = ReadFileBytes(work_ / "Wingfold.ini").value_or("");
  std::ofstream(work_ / "Wingfold.ini", std::ios::binary)
      << "[Path]\r\nFS2004=" << (folder_ / "FXS").string();
  auto result = Wingfold("load");
  EXPECT_EQ(result.exitCode, 1) << result.out;
  EXPECT_NE(result.out.find("No airport was found in the simulator's scenery"), std::string::npos)
      << result.out;
  result = Wingfold("generate");
  EXPECT_EQ(result.exitCode, 1) << result.out;
  EXPECT_NE(result.out.find("No plane was placed: no airport is used"), std::string::npos) << result.out;
  EXPECT_FALSE(fs::exists(work_ / "objects.dat"));
  EXPECT_FALSE(fs::exists(work_ / "Flightplans-GA.dat"));

  // With the folder right, the next start is the first.
  std::ofstream(work_ / "Wingfold.ini", std::ios::binary) << settings;
  result = Wingfold("load");
  ASSERT_EQ(result.exitCode, 0) << result.out;
  EXPECT_NE(result.out.find("Airport collection:"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("airports: objects.dat"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("12 airports, 14 models"), std::string::npos) << result.out;
  EXPECT_TRUE(fs::is_regular_file(work_ / "objects.dat"));

  // The second start loads what the first saved and collects nothing.
  result = Wingfold("load");
  ASSERT_EQ(result.exitCode, 0) << result.out;
  EXPECT_EQ(result.out.find("Airport collection:"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("0 new, 14 kept, 0 removed"), std::string::npos) << result.out;

  // A database without a single airport (as an earlier version saved with a wrong folder) is
  // filled from the simulator's scenery.
  std::ofstream(work_ / "objects.dat", std::ios::binary) << std::string(2, '\0');
  result = Wingfold("load");
  ASSERT_EQ(result.exitCode, 0) << result.out;
  EXPECT_NE(result.out.find("The airport database holds no airport"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("12 airports, 14 models"), std::string::npos) << result.out;
}

// Without fsx.cfg nothing says which aircraft are installed: the aircraft database and its files
// stay as they are, and the run says why. The same for one aircraft folder that cannot be read.
TEST_F(CliTrafficTest, AMissingFsxCfgOrAnUnreadableAircraftKeepsTheAircraftDatabase) {
  ASSERT_EQ(Wingfold("load").exitCode, 0);
  const std::string types = ReadFileBytes(work_ / "AircraftTypes.dat").value_or("");
  const std::string names = ReadFileBytes(work_ / "AircraftNames.dat").value_or("");
  ASSERT_GT(types.size(), 100u);

  auto result = Wingfold("load", "UTC", "");
  EXPECT_EQ(result.exitCode, 0) << result.out;
  EXPECT_NE(result.out.find("no, the database is kept as it is: the folder of fsx.cfg is unknown"),
            std::string::npos)
      << result.out;
  EXPECT_NE(result.out.find("14 models, 22 variations"), std::string::npos) << result.out;
  result = Wingfold("aircraft", "UTC", (folder_ / "Nowhere").string());
  EXPECT_EQ(result.exitCode, 1) << result.out;
  EXPECT_NE(result.out.find("fsx.cfg was not found"), std::string::npos) << result.out;
  EXPECT_EQ(ReadFileBytes(work_ / "AircraftTypes.dat").value_or(""), types);
  EXPECT_EQ(ReadFileBytes(work_ / "AircraftNames.dat").value_or(""), names);

  // An aircraft.cfg that is there but cannot be read keeps its model, and says why.
  const fs::path cfg = sim_ / "SimObjects" / "Airplanes" / "Trainer_152" / "aircraft.cfg";
  fs::remove(cfg);
  fs::create_directories(cfg);
  result = Wingfold("load");
  EXPECT_EQ(result.exitCode, 0) << result.out;
  EXPECT_NE(result.out.find("model kept: Trainer_152 (aircraft.cfg cannot be read: a folder, not a file)"),
            std::string::npos)
      << result.out;
  EXPECT_NE(result.out.find("0 new, 14 kept, 0 removed"), std::string::npos) << result.out;
}

// Two writers on one work folder take turns: neither loses the other's work, neither sees a torn
// file. One that finds the folder held too long says by whom and stops.
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
    for (const test::ProcessResult& run : runs) {
      const bool busy = run.out.find("is in use by wingfold ") != std::string::npos;
      EXPECT_EQ(run.exitCode, busy ? 1 : 0) << run.out;
    }
    // Both scans' airports are there, and the plans match the files they were made with.
    const auto check = Wingfold(command[0] == 'c' ? "load" : "check");
    EXPECT_EQ(check.exitCode, 0) << check.out;
    EXPECT_NE(check.out.find("13 airports"), std::string::npos) << check.out;
  }

  {
    const WorkFolderLock held = WorkFolderLock::Acquire(work_, "the test", std::chrono::milliseconds(0));
    const auto busy = Wingfold("generate --no-compile");
    EXPECT_EQ(busy.exitCode, 1) << busy.out;
    EXPECT_NE(busy.out.find("is in use by the test, process " + std::to_string(CurrentProcessId())),
              std::string::npos)
        << busy.out;
    // Reading commands do not wait for the folder.
    EXPECT_EQ(Wingfold("check").exitCode, 0);
  }
  EXPECT_EQ(Wingfold("generate --no-compile").exitCode, 0);
}

// A damaged objects.dat stops every command that would save over it (one copy is kept however
// often it is met); the message names the way out, and "repair" sets the file aside and rebuilds
// the database from the simulator's scenery, or, with a wrong simulator folder, changes nothing.
// A repair keeps a copy of every intact file it writes again, and rebuilds beside a damaged
// delivered database.
TEST_F(CliTrafficTest, ADamagedDatabaseIsSetAsideAndRebuiltByRepair) {
  ASSERT_EQ(Wingfold("load").exitCode, 0);
  std::ofstream(work_ / "objects.dat", std::ios::binary | std::ios::app) << std::string(16, '\0');
  auto result = Wingfold("collect");
  EXPECT_EQ(result.exitCode, 1) << result.out;
  EXPECT_NE(result.out.find("16 bytes follow the end of the map"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("Run \"wingfold repair\""), std::string::npos) << result.out;
  EXPECT_EQ(Wingfold("load").exitCode, 1);
  const auto kept = [this](const std::string& suffix) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(work_))
      if (entry.path().filename().string().ends_with(suffix)) files.push_back(entry.path());
    return files;
  };
  EXPECT_EQ(kept(".damaged").size(), 1u);

  const std::string damaged = ReadFileBytes(work_ / "objects.dat").value_or("");
  const std::string settings = ReadFileBytes(work_ / "Wingfold.ini").value_or("");
  std::ofstream(work_ / "Wingfold.ini", std::ios::binary)
      << "[Path]\r\nFS2004=" << (folder_ / "FXS").string();
  result = Wingfold("repair");
  EXPECT_EQ(result.exitCode, 1) << result.out;
  EXPECT_NE(result.out.find("Nothing was changed."), std::string::npos) << result.out;
  EXPECT_EQ(ReadFileBytes(work_ / "objects.dat"), damaged);
  std::ofstream(work_ / "Wingfold.ini", std::ios::binary) << settings;

  result = Wingfold("repair");
  EXPECT_EQ(result.exitCode, 0) << result.out;
  EXPECT_NE(result.out.find("Set aside: objects.dat."), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("airports added:            12"), std::string::npos) << result.out;
  EXPECT_EQ(kept(".damaged").size(), 1u) << "the copy of the failed starts keeps the file";
  result = Wingfold("load");
  EXPECT_EQ(result.exitCode, 0) << result.out;
  EXPECT_NE(result.out.find("12 airports"), std::string::npos) << result.out;

  const std::string names = ReadFileBytes(work_ / "AircraftNames.dat").value_or("");
  std::ofstream(work_ / "AircraftTypes.dat", std::ios::binary | std::ios::app) << std::string(16, '\0');
  result = Wingfold("repair");
  EXPECT_EQ(result.exitCode, 0) << result.out;
  ASSERT_EQ(kept(".before-repair").size(), 1u) << result.out;
  EXPECT_EQ(ReadFileBytes(kept(".before-repair")[0]), names);
  EXPECT_NE(result.out.find("14 models, 22 variations"), std::string::npos) << result.out;

  fs::rename(work_ / "objects.dat", work_ / "stock_objects.dat");
  std::ofstream(work_ / "stock_objects.dat", std::ios::binary | std::ios::app) << std::string(16, '\0');
  const std::string stock = ReadFileBytes(work_ / "stock_objects.dat").value_or("");
  EXPECT_EQ(Wingfold("load").exitCode, 1);
  result = Wingfold("repair");
  EXPECT_EQ(result.exitCode, 0) << result.out;
  EXPECT_NE(result.out.find("Damaged: stock_objects.dat (the delivered database is left as it is"),
            std::string::npos)
      << result.out;
  EXPECT_EQ(ReadFileBytes(work_ / "stock_objects.dat"), stock);
  EXPECT_EQ(Wingfold("load").exitCode, 0);
}

}
}
