// End-to-end runs of the stand-in compiler, the program the traffic run starts where the SDK's
// compiler is missing.
#ifdef WINGFOLD_STANDIN_BIN

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/process.h"
#include "support/os.h"
#include "support/temp_folder.h"
#include "traffic/compiler_parameters.h"

namespace wf {
namespace {

namespace fs = std::filesystem;

test::ProcessResult RunStandIn(const std::vector<std::string>& arguments) {
  return test::RunProgram(WINGFOLD_STANDIN_BIN, arguments);
}

std::uint64_t U64At(const std::string& bytes, std::size_t at) {
  std::uint64_t value = 0;
  for (int i = 7; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

// A work folder with valid inputs and a simulator folder whose scenery folder differs in case from
// the path the traffic run names.
struct Installation {
  test::TempFolder root;
  fs::path work = root / "my work";
  fs::path sim = root / "Flight Simulator X";
  fs::path output = sim / "SCENERY" / "world" / "Scenery" / "Traffic-GA.BGL";

  explicit Installation(const std::string& flightPlans =
                            "AC1,N1234B,0,ONE_WEEK,VFR\n{\n60930,KBB,55\n"
                            "61115,KAAA,45,,61230\n}\n") {
    fs::create_directories(work);
    fs::create_directories(output.parent_path());
    std::ofstream(work / "Airports.dat")
        << "KAAA,47.500000,-122.250000, 12.3,D,2,0.70,United States\n{\n"
           "RUNWAY,3280,98,HARD\n}\nKBB ,47.000000,-122.000000,100.0,G,0,0.70,"
           "Canada\n{\nPARKING,10.0,RAMP\n}\n";
    std::ofstream(work / "Aircraft-GA.dat")
        << "AC1,Cessna 172,122,70,140,160,640,2287,HARD | SOFT,5,RAMP,75,no,no\n";
    std::ofstream(work / "Flightplans-GA.dat") << flightPlans;
  }

  std::vector<std::string> Arguments(PathStyle style) const {
    return SplitWindowsCommandLine(BuildCompilerParameters(
        CommandLinePath(work, style), CommandLinePath(sim, style), CommandLineSeparator(style)));
  }
};

TEST(StandInCompilerTest, ValidInputsGiveATrafficFileWithHeaderOnly) {
  for (PathStyle style : {PathStyle::kPosix, PathStyle::kWindows}) {
    Installation installation;
    const test::ProcessResult run = RunStandIn(installation.Arguments(style));
    EXPECT_EQ(run.exitCode, 0) << run.out;
    EXPECT_NE(run.out.find("stand-in"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("countries.csv not found"), std::string::npos) << run.out;

    const auto bytes = ReadFileBytes(installation.output);
    ASSERT_TRUE(bytes.has_value()) << run.out;
    ASSERT_EQ(bytes->size(), 56u);
    EXPECT_EQ(U64At(*bytes, 0) & 0xFFFFFFFFu, 0x19920201u);  // magic
    EXPECT_EQ(U64At(*bytes, 0) >> 32, 56u);                  // header size
    EXPECT_EQ(U64At(*bytes, 16) >> 32, 0u);                  // no sections
    // FILETIME: 100 ns since 1601; within a day of now.
    const std::int64_t seconds = static_cast<std::int64_t>(U64At(*bytes, 8) / 10000000) - 11644473600LL;
    const std::int64_t now =
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
            .count();
    EXPECT_LT(std::llabs(seconds - now), 86400);
  }
}

// Inputs the compiler refuses, usage errors and a missing output folder write nothing and say why.
TEST(StandInCompilerTest, InvalidInputsWriteNothingAndSayWhere) {
  Installation installation("AC1,N1234B,0,ONE_WEEK,VFR\n{\n60930,KXYZ,55\n}\n");
  std::ofstream(installation.output) << "earlier run";
  std::vector<std::string> arguments = installation.Arguments(PathStyle::kPosix);
  const test::ProcessResult run = RunStandIn(arguments);
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.out.find("Flightplans-GA.dat:3: the destination 'KXYZ'"), std::string::npos) << run.out;
  EXPECT_EQ(ReadFileBytes(installation.output), std::optional<std::string>("earlier run"));
  fs::remove(installation.output);
  EXPECT_EQ(RunStandIn(arguments).exitCode, 1);
  EXPECT_FALSE(fs::exists(installation.output));

  EXPECT_EQ(RunStandIn({"/Airports=x", "/AutoSchedule=yes"}).exitCode, 2);
  arguments.pop_back();  // /Output
  EXPECT_EQ(RunStandIn(arguments).exitCode, 2);
  std::ofstream(installation.work / "Flightplans-GA.dat")
      << "AC1,N1234B,0,ONE_WEEK,VFR\n{\n60930,KBB,55\n}\n";
  fs::remove_all(installation.sim);
  const test::ProcessResult noFolder = RunStandIn(installation.Arguments(PathStyle::kPosix));
  EXPECT_EQ(noFolder.exitCode, 1);
  EXPECT_NE(noFolder.out.find("does not exist"), std::string::npos) << noFolder.out;
}

}
}

#endif
