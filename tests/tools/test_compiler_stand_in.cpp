// End-to-end runs of the stand-in compiler, the program the traffic run starts where the SDK's
// compiler is missing.
#ifdef WINGFOLD_STANDIN_BIN

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/process.h"
#include "support/file_fixtures.h"
#include "support/os.h"
#include "support/temp_folder.h"
#include "traffic/compiler_parameters.h"

namespace wf {
namespace {

namespace fs = std::filesystem;

// A work folder with the given flight plans, and a simulator folder whose scenery folder differs in
// case from the path the traffic run names.
struct Installation {
  test::TempFolder root;
  fs::path work = root / "my work";
  fs::path output = root / "FSX" / "SCENERY" / "world" / "Scenery" / "Traffic-GA.BGL";

  test::ProcessResult Run(const std::string& destination) {
    fs::create_directories(output.parent_path());
    test::Write(work / "Airports.dat",
                "KAAA,47.500000,-122.250000, 12.3,D,2,0.70,United States\n{\nRUNWAY,3280,98,HARD\n}\n");
    test::Write(work / "Aircraft-GA.dat",
                "AC1,Cessna 172,122,70,140,160,640,2287,HARD | SOFT,5,RAMP,75,no,no\n");
    test::Write(work / "Flightplans-GA.dat",
                "AC1,N1234B,0,ONE_WEEK,VFR\n{\n60930," + destination + ",55\n}\n");
    return test::RunProgram(WINGFOLD_STANDIN_BIN, SplitWindowsCommandLine(BuildCompilerParameters(
                                                      CommandLinePath(work, PathStyle::kPosix),
                                                      CommandLinePath(root / "FSX", PathStyle::kPosix),
                                                      CommandLineSeparator(PathStyle::kPosix))));
  }
};

TEST(StandInCompilerTest, WritesAHeaderOnlyTrafficFileOrNothingAndTheLineRefused) {
  Installation valid;
  const test::ProcessResult run = valid.Run("KAAA");
  EXPECT_EQ(run.exitCode, 0) << run.out;
  const std::string bytes = test::Read(valid.output);
  ASSERT_EQ(bytes.size(), 56u) << run.out;
  EXPECT_EQ(bytes.substr(0, 8), std::string("\x01\x02\x92\x19\x38\0\0\0", 8));  // magic, header size

  Installation refused;
  const test::ProcessResult refusal = refused.Run("KXYZ");
  EXPECT_EQ(refusal.exitCode, 1);
  EXPECT_NE(refusal.out.find("Flightplans-GA.dat:3: the destination 'KXYZ'"), std::string::npos)
      << refusal.out;
  EXPECT_FALSE(fs::exists(refused.output));
}

}
}

#endif
