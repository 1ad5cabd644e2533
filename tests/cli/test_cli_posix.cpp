// The real wingfold where only POSIX systems can fake the trouble.
#include <sys/stat.h>

#include "cli/cli_test.h"
#include "support/file_fixtures.h"
#ifdef WINGFOLD_IMAGE_TOOLS_DIR
#include "aiconvert/aircraft_copy.h"
#include "image_codec.h"
#endif

namespace wf {
namespace {

namespace fs = std::filesystem;
using test::CliTrafficTest;
using test::Read;
using test::Write;

// The scan goes on; the settings stop with the reason.
TEST_F(CliTrafficTest, PipesInPlaceOfFilesNeverBlock) {
  ASSERT_EQ(mkfifo((sim_ / "Scenery" / "Area" / "scenery" / "pipe.bgl").c_str(), 0600), 0);
  Check("collect --default", 0, {"files with errors:         1", "pipe.bgl: not a regular file"});
  Check("dump objects.dat", 0, {"-- 1 regions, 12 airports"});
  fs::remove(work_ / "Wingfold.ini");
  ASSERT_EQ(mkfifo((work_ / "Wingfold.ini").c_str(), 0600), 0);
  Check("status", 1, {"Cannot read the settings file", "not a regular file"});
}

#ifdef WINGFOLD_IMAGE_TOOLS_DIR

class CliMakeAIPosixTest : public CliTrafficTest {
 protected:
  // The stand-in `name` in the tools folder, or a script in its place.
  void Tool(const std::string& name, const std::string& script = {}) {
    fs::create_directories(tools);
    fs::remove(tools / name);
    if (script.empty()) {
      fs::copy_file(fs::path(WINGFOLD_IMAGE_TOOLS_DIR) / name, tools / name);
    } else {
      Write(tools / name, "#!/bin/sh\n" + script);
      fs::permissions(tools / name, fs::perms::owner_exec, fs::perm_options::add);
    }
  }

  fs::path airplanes = sim_ / "SimObjects" / "Airplanes";
  fs::path flyable = airplanes / "Tourer_172";
  fs::path copy = airplanes / "Wingfold Tourer_172";
  fs::path tools = work_ / "NoTools";
  const std::string edited = "Probability (%):      77\n";
  // The page shows `model` with the value edited before.
  void ExpectEdited(const std::string& model) { Check("plane \"" + model + "\"", 0, {edited}); }
};

TEST_F(CliMakeAIPosixTest, AConversionKilledHalfWayLeavesNothingThatLooksInstalled) {
  ASSERT_EQ(Wingfold("--yes plane Tourer_172 --probability 77").exitCode, 0);
  Write(flyable / "Texture" / "t.bmp",
        imaging::EncodeDxtBmp(imaging::Pattern(64, 64, 1), TextureEncoding::kDxt3, true));
  Tool("imagetool");
  Tool("readdxt");
  Tool("nvdxt", "kill -9 $PPID\n");
  ASSERT_EQ(Wingfold("make-ai Tourer_172 --reduce-textures").exitCode, -1);
  EXPECT_FALSE(fs::exists(copy));

  // The next start finds the flyable model with its value, and no copy; a second run converts it.
  ExpectEdited("Tourer_172");
  EXPECT_EQ(Wingfold("planes").out.find("Wingfold"), std::string::npos);
  Tool("nvdxt");
  Check("make-ai Tourer_172 --reduce-textures", 0, {"1 of 1 reduced"});
  EXPECT_FALSE(fs::exists(airplanes / kStagingFolder));
  ExpectEdited("Wingfold Tourer_172");
}

TEST_F(CliMakeAIPosixTest, AConversionThatCannotCompleteChangesNothing) {
  ASSERT_EQ(Wingfold("--yes plane Tourer_172 --probability 77").exitCode, 0);
  fs::create_directory_symlink(flyable / "panel", copy);
  fs::create_directories(work_ / "AIR Files");
  fs::create_symlink(work_ / "gone.air", work_ / "AIR Files" / "Broken@110#48.air");
  // A link into the source where the copy goes; then a flight model that cannot be copied.
  for (const char* options : {"", " --air-file Broken"}) {
    Check(std::string("make-ai Tourer_172") + options, 1, {"Nothing was changed"});
    EXPECT_FALSE(Read(flyable / "panel" / "panel.cfg").empty()) << options;
    EXPECT_FALSE(fs::exists(airplanes / kStagingFolder)) << options;
    ExpectEdited("Tourer_172");
    fs::remove(copy);
  }
}

TEST_F(CliMakeAIPosixTest, NamesThatDifferOnlyInCaseAreAmbiguous) {
  std::string config = Read(airplanes / "Trainer_152" / "aircraft.cfg");
  for (std::size_t at = 0; (at = config.find("Trainer 152", at)) != std::string::npos;)
    config.replace(at, 11, "TRAINER 152");
  Write(airplanes / "TRAINER_152" / "aircraft.cfg", config);
  for (const char* command : {"make-ai trainer_152", "plane trainer_152", "variation \"trainer 152 white\""})
    Check(command, 1, {"ambiguous; it could be \"TRAINER", "or \"Trainer"});
  EXPECT_EQ(Wingfold("plane TRAINER_152").exitCode, 0);
  EXPECT_FALSE(fs::exists(airplanes / "Wingfold TRAINER_152"));
}

#endif

}
}
