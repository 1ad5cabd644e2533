#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/version.h"
#include "support/run_wingfold.h"
#include "support/temp_folder.h"

namespace wf {
namespace {

using test::RunWingfold;

TEST(CliEndToEndTest, StatusShowsFoldersAndSettingSources) {
  const test::TempFolder temp;
  const std::filesystem::path& folder = temp.path();
  // Without a settings file the simulator folder is unknown: said once, and status goes on.
  auto result = RunWingfold("-C \"" + folder.string() + "\" status");
  EXPECT_EQ(result.exitCode, 0);
  const auto first = result.out.find("Please check the path of FS X in the Settings!");
  ASSERT_NE(first, std::string::npos) << result.out;
  EXPECT_EQ(result.out.find("Please check the path", first + 1), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(folder / "Wingfold.ini"));

  {
    std::ofstream ini(folder / "Wingfold.ini", std::ios::binary);
    ini << "[Settings]\r\nGA_Percentage=70\r\n[Path]\r\nFS2004=/opt/fsx\r\n";
  }
  const auto before = std::filesystem::last_write_time(folder / "Wingfold.ini");
  result = RunWingfold("-C \"" + folder.string() + "\" status");
  EXPECT_EQ(result.exitCode, 0) << result.out;
  EXPECT_NE(result.out.find("Work folder:      " + folder.string()), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("Simulator folder: /opt/fsx  [file]"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("GA_Percentage                   = 70  (file)"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("Taxi_max                        = 2  (default)"), std::string::npos)
      << result.out;
  EXPECT_EQ(result.out.find("Please check the path"), std::string::npos) << "the simulator folder is known";
  // status writes nothing.
  EXPECT_EQ(std::filesystem::last_write_time(folder / "Wingfold.ini"), before);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
}

TEST(CliEndToEndTest, ExitStatuses) {
  struct Case {
    const char* arguments;
    int exitCode;
    std::string says;
  } cases[] = {
      {"frobnicate", 2, "usage: wingfold"},
      {"--no-such-option status", 2, "usage: wingfold"},
      {"", 2, "usage: wingfold"},
      {"-C /nonexistent/wingfold status", 1, "does not exist"},
      {"--help", 0, "status"},
      {"--version", 0, std::string("wingfold ") + ProgramVersion() + "\n"},
  };
  for (const auto& c : cases) {
    const auto result = RunWingfold(c.arguments);
    EXPECT_EQ(result.exitCode, c.exitCode) << c.arguments << "\n" << result.out;
    EXPECT_NE(result.out.find(c.says), std::string::npos) << c.arguments << "\n" << result.out;
  }
}

}
}
