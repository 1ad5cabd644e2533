#pragma once
// The command-line tests of the main job: a small scenery of twelve airports and an add-on, the demo
// aircraft, and a work folder, each test in its own temporary folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "scenery/bgl_test_support.h"
#include "support/run_wingfold.h"
#include "support/temp_folder.h"

namespace wf::test {

namespace fs = std::filesystem;

inline bgl::AirportDesc Airport(const std::string& ident, double latitude, double longitude, int smallRamps) {
  bgl::AirportDesc airport = test::SampleAirport(ident, ident + " Field", "City " + ident);
  airport.latitude = latitude;
  airport.longitude = longitude;
  bgl::ParkingListDesc parking;
  for (int i = 0; i < smallRamps; ++i) parking.spaces.push_back(test::Space(2, 8.0f));
  airport.parkingLists.push_back(parking);
  return airport;
}

class CliTrafficTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const fs::path scenery = sim_ / "Scenery" / "Area" / "scenery";
    const fs::path addon = sim_ / "Addon Scenery" / "Pack" / "scenery";
    fs::create_directories(scenery);
    fs::create_directories(addon);
    std::vector<bgl::AirportDesc> airports;
    for (int i = 0; i < 12; ++i) {
      const std::string ident = std::string("KA") + static_cast<char>('A' + i) + "A";
      airports.push_back(Airport(ident, 45.0 + 0.3 * i, -122.0 + 0.25 * (i % 4), 4 + i % 3));
    }
    bgl::WriteBytes(scenery / "area.bgl",
                    bgl::WriteAirportBgl(test::SampleFile(test::kDay0, airports)).bytes);
    // The add-on replaces one airport (a newer file) and adds one.
    bgl::WriteBytes(addon / "pack.BGL",
                    bgl::WriteAirportBgl(
                        test::SampleFile(test::kDay0 + 365 * test::kDay, {Airport("KAAA", 45.0, -122.0, 9),
                                                                          Airport("KNEW", 46.0, -121.0, 3)}))
                        .bytes);
    fs::copy(fs::path(WINGFOLD_SOURCE_DIR) / "examples" / "sim" / "SimObjects", sim_ / "SimObjects",
             fs::copy_options::recursive);
    std::ofstream(work_ / "Wingfold.ini", std::ios::binary)
        << "[Path]\r\nFS2004=" << sim_.string() << "\r\nTTools=" << (work_ / "NoTools").string() << "\r\n";
  }

  test::ProcessResult Wingfold(const std::string& arguments, const std::string& tz = "UTC",
                               const std::string& appData = WINGFOLD_SOURCE_DIR "/examples/appdata") {
    return test::RunWingfold("-C \"" + work_.string() + "\" " + arguments, true,
                             {{"TZ", tz}, {"APPDATA", appData}});
  }

  test::TempFolder folder_;
  fs::path sim_ = folder_ / "FSX";
  fs::path work_ = [this] {
    fs::create_directories(folder_ / "work");
    return folder_ / "work";
  }();
};

}
