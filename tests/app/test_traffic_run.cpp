#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/traffic_run.h"
#include "platform/files.h"
#include "support/file_fixtures.h"
#include "support/recording.h"
#include "support/temp_folder.h"
#include "traffic/fleet_test_world.h"

namespace wf {
namespace {

namespace fs = std::filesystem;

// A session on the work folder `work` with the simulator inside it and, when `planes`, two
// airfields and a trainer that flies between them (a week with planes).
struct RunFolder {
  RunFolder(const fs::path& work, bool planes) {
    session.prompter = &prompter;
    session.workFolder = work;
    session.simFolder = work / "FSX";
    session.toolsFolder = work / "tools";
    output = session.simFolder / "Scenery" / "World" / "scenery" / "Traffic-GA.BGL";
    fs::create_directories(output.parent_path());
    fs::create_directories(session.toolsFolder);
    if (!planes) return;
    test::AddAirport(session.world,
                     {.icao = "EDXW", .latitude = 50, .longitude = 8, .type = AirportType::kMediumAirfield});
    test::AddAirport(session.world,
                     {.icao = "EDXE", .latitude = 50, .longitude = 10, .type = AirportType::kMediumAirfield});
    test::AddVariation(session.world, test::AddModel(session.world, {.ifr = 0}), "Trainer");
  }
  Session session;
  test::RecordingPrompter prompter;
  fs::path output;  // the installed traffic file
};

#ifndef _WIN32
// Each failure says what to do. The compiler is a shell script here.
TEST(TrafficRunTest, TheCompilerStepSucceedsOnlyWhenItsOutputWasWritten) {
  struct Case {
    const char* name;
    const char* script;  // empty: no compiler in the tools folder
    bool staleOutput;    // a traffic file from an earlier run is there
    const char* failure;
  } cases[] = {{"missing", "", false, "[Path] TTools"},
               {"fails", "exit 3", false, "ended with status 3"},
               {"leaves the old file", "exit 0", true, "did not write"},
               {"writes", "echo traffic >\"$OUT\"", false, ""}};
  test::TempFolder folder;
  for (const Case& c : cases) {
    RunFolder f(folder / c.name, true);
    if (c.staleOutput) std::ofstream(f.output) << "old";
    if (*c.script != '\0')
      test::WriteScript(f.session.toolsFolder / "TrafficDatabaseBuilder",
                        "OUT='" + f.output.string() + "'\n" + c.script + "\n");

    const TrafficRunResult run = RunTrafficGeneration(f.session, true);
    EXPECT_TRUE(run.flightPlansWritten) << c.name;
    EXPECT_TRUE(run.compilerRun) << c.name;
    EXPECT_EQ(run.outputUpdated, *c.failure == '\0') << c.name;
    if (*c.failure == '\0') {
      EXPECT_EQ(run.failure, "") << c.name;
    } else {
      EXPECT_NE(run.failure.find(c.failure), std::string::npos) << c.name << ": " << run.failure;
    }
  }
}
#endif

// The installed traffic and the last flight plans stay as they were.
TEST(TrafficRunTest, AWeekWithoutPlanesOrWithoutItsFileStopsBeforeTheCompiler) {
  struct Case {
    const char* name;
    bool airports, aircraft, planFileBlocked;
    const char* failure;
  } cases[] = {{"no airport", false, false, false, "No plane was placed: no airport is used"},
               {"no aircraft", true, false, false, "No plane was placed: no aircraft can fly"},
               {"plans unwritable", true, true, true, "The compiler was not run"}};
  test::TempFolder folder;
  for (const Case& c : cases) {
    RunFolder f(folder / c.name, c.airports);
    const fs::path plans = f.session.workFolder / "Flightplans-GA.dat";
    std::ofstream(f.output) << "installed";
    if (c.planFileBlocked) {
      fs::create_directories(plans);  // a folder in the way
    } else {
      std::ofstream(plans) << "last week";
    }
    if (!c.aircraft) f.session.world.aircraftNames.Erase("Trainer");

    const TrafficRunResult run = RunTrafficGeneration(f.session, true);
    EXPECT_FALSE(run.flightPlansWritten) << c.name;
    EXPECT_FALSE(run.compilerRun) << c.name;
    EXPECT_NE(run.failure.find(c.failure), std::string::npos) << c.name << ": " << run.failure;
    EXPECT_EQ(ReadFileBytes(f.output), "installed") << c.name;
    if (!c.planFileBlocked) {
      EXPECT_EQ(ReadFileBytes(plans), "last week") << c.name;
    }
    EXPECT_TRUE(f.prompter.messages.empty()) << c.name << ": the caller reports the failure";
  }
}

}
}
