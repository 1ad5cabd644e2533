#pragma once
// The real wingfold on a work folder and a simulator folder (the demo aircraft) of each test's own.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/files.h"
#include "scenery/bgl_test_support.h"
#include "support/run_wingfold.h"
#include "support/temp_folder.h"

namespace wf::test {

namespace fs = std::filesystem;

// One command: arguments, exit status, a text it prints, a work file it keeps, a text it never prints.
struct Step {
  std::string arguments;
  int exitCode;
  std::string says;
  const char* kept = nullptr;
  const char* never = nullptr;
};

class CliTest : public ::testing::Test {
 protected:
  CliTest() {
    fs::create_directories(work_);
    fs::create_directories(sim_);
    fs::copy(fs::path(WINGFOLD_SOURCE_DIR) / "examples" / "sim" / "SimObjects", sim_ / "SimObjects",
             fs::copy_options::recursive);
  }

  // A scenery file of the area ("Scenery/Area", "Addon Scenery/Pack"), named after it ("Area.BGL").
  void WriteScenery(const std::string& area, const std::vector<bgl::AirportDesc>& airports,
                    TimeValue stamp = kDay0) {
    const fs::path folder = sim_ / area / "scenery";
    fs::create_directories(folder);
    bgl::WriteBytes(folder / (fs::path(area).filename().string() + ".BGL"),
                    bgl::WriteAirportBgl(SampleFile(stamp, airports)).bytes);
  }
  void WriteSettings(const std::string& text) {
    std::ofstream(work_ / "Wingfold.ini", std::ios::binary) << text;
  }

  ProcessResult Wingfold(const std::string& arguments, const std::string& tz = "UTC",
                         const std::string& appData = WINGFOLD_SOURCE_DIR "/examples/appdata") {
    return RunWingfold("-C \"" + work_.string() + "\" " + arguments, true,
                       {{"TZ", tz}, {"APPDATA", appData}});
  }
  std::string File(const char* name) { return ReadFileBytes(work_ / name).value_or("(none)"); }

  // Runs the command once; it exits with `exitCode` and prints each of `says`. Returns what it printed.
  std::string Check(const std::string& arguments, int exitCode, std::initializer_list<std::string> says) {
    const auto result = Wingfold(arguments);
    EXPECT_EQ(result.exitCode, exitCode) << arguments << "\n" << result.out;
    for (const std::string& text : says)
      EXPECT_NE(result.out.find(text), std::string::npos) << arguments << ": " << text << "\n" << result.out;
    return result.out;
  }

  void Run(const std::vector<Step>& steps) {
    for (const Step& step : steps) {
      const std::string kept = step.kept != nullptr ? File(step.kept) : "";
      const std::string out = Check(step.arguments, step.exitCode, {step.says});
      EXPECT_EQ(step.kept != nullptr ? File(step.kept) : "", kept) << step.arguments;
      EXPECT_EQ(step.never != nullptr ? out.find(step.never) : std::string::npos, std::string::npos) << out;
    }
  }

  TempFolder folder_;
  fs::path sim_ = folder_ / "FSX";
  fs::path work_ = folder_ / "work";
};

// Twelve airports and an add-on that replaces one (a newer file) and adds one; no traffic compiler.
class CliTrafficTest : public CliTest {
 protected:
  CliTrafficTest() {
    const auto airport = [](const std::string& ident, double latitude, double longitude, int smallRamps) {
      return AirportWithRamps(ident, latitude, longitude, smallRamps, ident + " Field", "City " + ident);
    };
    std::vector<bgl::AirportDesc> airports;
    for (int i = 0; i < 12; ++i) {
      const std::string ident = std::string("KA") + static_cast<char>('A' + i) + "A";
      airports.push_back(airport(ident, 45.0 + 0.3 * i, -122.0 + 0.25 * (i % 4), 4 + i % 3));
    }
    WriteScenery("Scenery/Area", airports);
    WriteScenery("Addon Scenery/Pack", {airport("KAAA", 45.0, -122.0, 9), airport("KNEW", 46.0, -121.0, 3)},
                 kDay0 + 365 * kDay);
    WriteSettings("[Path]\r\nFS2004=" + sim_.string() + "\r\nTTools=" + (work_ / "NoTools").string() +
                  "\r\n");
  }
};

}
