// A whole traffic run on a small fixed world, compared byte for byte with the checked-in
// Flightplans-GA.dat, so that any change of a rule or of the order of the draws shows.
//
// To write the file anew after a deliberate change: WINGFOLD_UPDATE_GOLDEN=1 wingfold_tests
// --gtest_filter='FlightPlanGolden*', then review the difference before committing it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "traffic/fleet_test_world.h"
#include "traffic/flight_plans.h"

namespace wf {
namespace {

using test::BuildSmallWorld;
using test::SmallWorldSettings;

const std::filesystem::path kGoldenFile =
    std::filesystem::path(WINGFOLD_SOURCE_DIR) / "tests/traffic/golden/flightplans_small_world.dat";

std::string Generate(World& world, GenerationResult* result = nullptr) {
  Random random(1);
  NullProgress progress;
  SilentPrompter prompter;
  std::ostringstream out;
  const GenerationResult run = GenerateTraffic(world, SmallWorldSettings(), random, progress, prompter, out);
  if (result != nullptr) *result = run;
  return out.str();
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(FlightPlanGolden, SmallWorldMatchesTheCheckedInFile) {
  World world;
  BuildSmallWorld(world);
  GenerationResult result;
  const std::string text = Generate(world, &result);
  if (std::getenv("WINGFOLD_UPDATE_GOLDEN") != nullptr) {
    std::filesystem::create_directories(kGoldenFile.parent_path());
    std::ofstream(kGoldenFile, std::ios::binary) << text;
  }
  ASSERT_TRUE(std::filesystem::exists(kGoldenFile)) << kGoldenFile;
  EXPECT_EQ(text, ReadFile(kGoldenFile));
  EXPECT_GT(result.planeBlocks, 10);
  EXPECT_EQ(result.fleet.airportsListed, 15);
  EXPECT_EQ(result.fleet.airportsVisited, 13);
}

TEST(FlightPlanGolden, SameWorldSameTextAndTheWeekEndsAtHome) {
  World first;
  BuildSmallWorld(first);
  World second;
  BuildSmallWorld(second);
  const std::string text = Generate(first);
  ASSERT_EQ(text, Generate(second));

  // Every block is a chain of out-and-back legs that closes over the week's wrap: a leg home follows
  // every leg out, and the week has at most 200 legs.
  std::istringstream in(text);
  std::string line;
  std::string home;
  std::vector<std::string> destinations;
  auto checkBlock = [&] {
    SCOPED_TRACE(home);
    ASSERT_GE(destinations.size(), 2u);
    ASSERT_LE(destinations.size(), 200u);
    ASSERT_EQ(destinations.size() % 2, 0u);
    for (std::size_t i = 0; i < destinations.size(); ++i) {
      const bool atHome = destinations[i] == home;
      EXPECT_NE(atHome, destinations[(i + 1) % destinations.size()] == home) << i;
    }
  };
  while (std::getline(in, line)) {
    if (line.rfind("AC", 0) == 0) {
      const std::string registration =
          line.substr(line.find(',') + 1, line.find(',', line.find(',') + 1) - line.find(',') - 1);
      const CPlane* plane = first.registrationIndex.Find(registration);
      ASSERT_NE(plane, nullptr) << line;
      home = plane->homeAirport->icao;
      destinations.clear();
    } else if (line == "}") {
      checkBlock();
    } else if (line != "{") {
      const std::size_t comma = line.find(',');
      destinations.push_back(line.substr(comma + 1, line.find(',', comma + 1) - comma - 1));
    }
  }
}

}
}
