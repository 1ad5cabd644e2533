#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "aircraft/sim_object_paths.h"
#include "platform/system.h"
#include "support/temp_folder.h"

namespace wf {
namespace {

namespace fs = std::filesystem;

// Drive-letter paths are roots only on Windows; the Wine mappings below are for the other systems.
bool DrivePathsAreRoots() {
  return fs::path("C:\\").has_root_name();
}

TEST(AircraftReaderPaths, SimObjectPathsOfSectionMain) {
  std::string text =
      "[DISPLAY]\r\nSimObjectPaths.0=NotHere\r\n"
      "[Main]\r\nUser Objects=Airplane, Helicopter\r\n"
      "SimObjectPaths.0=SimObjects\\Airplanes  \r\n"
      "  simobjectpaths.1 =  SimObjects\\Rotorcraft\r\n"
      "//SimObjectPaths.2=Commented\r\n"
      "MySimObjectPaths.3=NoPrefix\r\n";
  for (int i = 4; i < 30; ++i)
    text += "SimObjectPaths." + std::to_string(i) + "=Extra" + std::to_string(i) + "\r\n";
  text += "[SOUND]\r\nSimObjectPaths.99=Later\r\n";

  const std::vector<std::string> entries = ReadSimObjectPaths(text);
  ASSERT_EQ(entries.size(), kMaxSimObjectPaths);
  EXPECT_EQ(entries[0], "SimObjects\\Airplanes");
  EXPECT_EQ(entries[1], "SimObjects\\Rotorcraft");
  EXPECT_EQ(entries[2], "Extra4");
  EXPECT_EQ(entries.back(), "Extra21");
}

TEST(AircraftReaderPaths, EntriesBelowTheSimulatorFolder) {
  test::TempFolder temp;
  const fs::path sim = temp / "FSX";
  fs::create_directories(sim / "SimObjects" / "Airplanes");
  EXPECT_EQ(SimObjectFolder(sim, "SimObjects\\Airplanes"), sim / "SimObjects" / "Airplanes");
  EXPECT_TRUE(
      fs::equivalent(SimObjectFolder(sim, "simobjects\\AIRPLANES"), sim / "SimObjects" / "Airplanes"));
  EXPECT_EQ(SimObjectFolder(sim, "\\SimObjects\\Airplanes"), sim / "SimObjects" / "Airplanes");
  EXPECT_EQ(SimObjectFolder(sim, "SimObjects\\Boats"), sim / "SimObjects" / "Boats");  // may not exist
  EXPECT_EQ(SimObjectFolder({}, "SimObjects\\Airplanes"), fs::path());
}

TEST(AircraftReaderPaths, DrivePathsInAWinePrefix) {
  if (DrivePathsAreRoots()) GTEST_SKIP() << "drive paths are used as they are here";
  test::TempFolder temp;
  const fs::path prefix = temp / "wine";
  const fs::path sim = prefix / "drive_c" / "Program Files" / "FSX";
  fs::create_directories(sim);
  fs::create_directories(prefix / "drive_c" / "Addons" / "SimObjects");
  fs::create_directories(temp / "disk_d" / "Traffic");
  fs::create_directories(prefix / "dosdevices");
  fs::create_directory_symlink(temp / "disk_d", prefix / "dosdevices" / "d:");

  EXPECT_EQ(SimObjectFolder(sim, "C:\\addons\\simobjects"), prefix / "drive_c" / "Addons" / "SimObjects");
  EXPECT_EQ(SimObjectFolder(sim, "d:\\Traffic"), prefix / "dosdevices" / "d:" / "Traffic");
  EXPECT_EQ(SimObjectFolder(sim, "E:\\Nothing"), fs::path());
  EXPECT_EQ(SimObjectFolder(temp / "FSX", "C:\\Addons"), fs::path());  // not in a prefix
  EXPECT_EQ(SimObjectFolder(sim, "\\\\server\\share\\SimObjects"), fs::path());
}

TEST(AircraftReaderPaths, RoamingFolderOfAWinePrefix) {
  if (DrivePathsAreRoots()) GTEST_SKIP() << "Windows has its own roaming folder";
  if (const char* appData = std::getenv("APPDATA"); appData && *appData) GTEST_SKIP() << "APPDATA is set";
  test::TempFolder temp;
  const fs::path users = temp / "prefix" / "drive_c" / "users";
  const fs::path sim = temp / "prefix" / "drive_c" / "Program Files (x86)" / "Microsoft Games" / "FSX";
  fs::create_directories(sim);
  EXPECT_EQ(SimulatorAppDataFolder(sim), fs::path());  // no user folder yet
  fs::create_directories(users / "Public" / "AppData" / "Roaming");
  EXPECT_EQ(SimulatorAppDataFolder(sim), fs::path());
  fs::create_directories(users / "zz-older" / "Application Data");
  EXPECT_EQ(SimulatorAppDataFolder(sim), users / "zz-older" / "Application Data");
  fs::create_directories(users / "aa-newer" / "AppData" / "Roaming");
  EXPECT_EQ(SimulatorAppDataFolder(sim), users / "aa-newer" / "AppData" / "Roaming");
  EXPECT_EQ(SimulatorAppDataFolder(temp / "FSX"), fs::path());  // not in a prefix
}

}
}
