#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "aiconvert/aircraft_copy.h"
#include "aiconvert/shell_file_op.h"
#include "aiconvert/wait_for_file.h"
#include "support/file_fixtures.h"
#include "support/recording.h"
#include "support/temp_folder.h"
#include "traffic/fleet_test_world.h"

namespace wf {
namespace {

namespace fs = std::filesystem;
using test::Read;
using test::Write;

TEST(AircraftCopyTest, TitlesAreMarkedAndEverythingElseLowered) {
  const std::pair<const char*, const char*> cases[] = {
      {"[FLTSIM.0]", "[fltsim.0]"},
      {"Title = My Plane", "title=Wingfold my plane"},
      {"title=\t  Red C172", "title=Wingfold red c172"},
      {"ui_Title=Any key holding title", "title=Wingfold any key holding title"},
      {"x=1 ; title", "x=1 ; title"},        // the "=" must come after "title"
      {"Descr=\xC4rger", "descr=\xC4rger"},  // bytes above ASCII stay
  };
  for (const auto& [line, written] : cases) EXPECT_EQ(AIConfigLine(line), written) << line;
  EXPECT_EQ(AIConfigText("[General]\nTitle=A\r\n\r\nlast"), "[general]\r\ntitle=Wingfold a\r\n\r\nlast\r\n");

  const std::pair<fs::path, fs::path> folders[] = {
      {"/fsx/SimObjects/Airplanes/C172", "/fsx/SimObjects/Airplanes/Wingfold C172"},
      {"/fsx/SimObjects/Airplanes/C172/", "/fsx/SimObjects/Airplanes/Wingfold C172"},
      {"/fsx/SimObjects/Airplanes/Wingfold C172", "/fsx/SimObjects/Airplanes/Wingfold C172"},
      {"/fsx/SimObjects/Airplanes/WingfoldC172", "/fsx/SimObjects/Airplanes/Wingfold WingfoldC172"}};
  for (const auto& [folder, target] : folders) EXPECT_EQ(AITargetFolder(folder), target) << folder;
}

TEST(AircraftCopyTest, ConvertingAgainNeverLosesTheFlyableConfiguration) {
  test::TempFolder temp;
  const fs::path source = temp / "C172";
  const fs::path target = temp / "Wingfold C172";
  const fs::path staging = temp / kStagingFolder;
  const std::string flyable = "[FLTSIM.0]\r\nTitle = My Plane\r\n";
  const std::string ai = "[fltsim.0]\r\ntitle=Wingfold my plane\r\n";
  Write(source / "Aircraft.cfg", flyable);
  Write(source / "panel/panel.cfg", "panel");
  Write(source / "model/c172.mdl", "model");
  // Made out of sight, then put in place whole.
  const auto convert = [&](Prompter* owner) {
    const AircraftCopyReport report = StageCopy(source, target, owner);
    EXPECT_EQ(report.Incomplete(), "");
    EXPECT_EQ(report.folder, StagingFolderFor(target));
    EXPECT_EQ(CommitCopy(report.folder, target), "");
    EXPECT_FALSE(fs::exists(staging));
    return report;
  };

  // The flyable and the AI configuration of the copy.
  const auto configs = [&] {
    return std::tuple(Read(target / "flyable_aircraft.cfg"), Read(target / "aircraft.cfg"));
  };
  EXPECT_TRUE(convert(nullptr).configFromSource);
  EXPECT_FALSE(fs::exists(target / "panel"));
  EXPECT_EQ(configs(), std::tuple(flyable, ai));
  EXPECT_EQ(Read(target / "model/c172.mdl"), "model");

  // Declining to replace the earlier copy's aircraft.cfg: the flyable file stays, titles are marked
  // once.
  test::ScriptedPrompter declining({Answer::kNoToAll});
  const AircraftCopyReport kept = convert(&declining);
  EXPECT_EQ(std::tuple(kept.configFromSource, declining.questions.size()), std::tuple(false, 1u));
  EXPECT_EQ(configs(), std::tuple(flyable, ai));

  // A run stopped with a half-made copy staged and the earlier copy set aside by its commit: the
  // earlier copy comes back (so the replace question is asked), the half-made one goes. Replacing:
  // the source's (changed) configuration becomes the flyable one.
  Write(StagingFolderFor(target) / "half.bmp", "");
  fs::rename(target, staging / "Wingfold C172.previous");
  Write(source / "Aircraft.cfg", "Title = New Paint\r\n");
  test::ScriptedPrompter replacing({Answer::kYesToAll});
  const AircraftCopyReport replaced = convert(&replacing);
  EXPECT_EQ(std::tuple(replaced.configFromSource, replacing.questions.size()), std::tuple(true, 1u));
  EXPECT_FALSE(fs::exists(target / "half.bmp"));
  EXPECT_EQ(configs(), std::tuple("Title = New Paint\r\n", "title=Wingfold new paint\r\n"));

  // No copy into a file in the way, or into the source; nothing is staged.
  Write(temp / "Wingfold file", "x");
  EXPECT_NE(StageCopy(source, temp / "Wingfold file", nullptr).refused.find("not a folder"),
            std::string::npos);
  EXPECT_NE(TargetProblem(source, source / "model"), "");
  EXPECT_FALSE(fs::exists(staging));
}

TEST(AircraftCopyTest, EnteringTheCopyReKeysTheModelAndItsVariationsOnce) {
  World world;
  CAircraft& model = test::AddModel(world, {.name = "C172"});
  for (const char* title : {"C172 Red", "C172 Blue"}) test::AddVariation(world, model, title);
  test::AddVariation(world, test::AddModel(world, {.name = "Baron"}), "Baron");

  const AICopyEntry entry = EnterAICopy(world, model);
  EXPECT_EQ(std::tuple(entry.modelRenamed, model.name, entry.variationsRenamed.size()),
            std::tuple(true, "Wingfold C172", 2u));
  EXPECT_EQ(world.aircraftTypes.Find("Wingfold C172"), &model);
  EXPECT_EQ(world.aircraftTypes.Find("C172"), nullptr);
  // Keyed by the title the copy's aircraft.cfg holds, so the next collection keeps the variation.
  ASSERT_NE(world.aircraftNames.Find("Wingfold c172 red"), nullptr);
  EXPECT_EQ(world.aircraftNames.Find("Wingfold c172 red")->title, "Wingfold c172 red");
  EXPECT_EQ(world.aircraftNames.Find("C172 Blue"), nullptr);
  EXPECT_EQ(world.aircraftNames.Find("Baron")->title, "Baron");

  // An AI copy keeps everything.
  const AICopyEntry again = EnterAICopy(world, model);
  EXPECT_EQ(std::tuple(again.modelRenamed, world.aircraftNames.size()), std::tuple(false, 3u));
  EXPECT_NE(world.aircraftNames.Find("Wingfold c172 blue"), nullptr);

  // The copy already in the database (read from its folder): the flyable model keeps its key.
  CAircraft& flyable = test::AddModel(world, {.name = "C172"});
  const AICopyEntry taken = EnterAICopy(world, flyable);
  EXPECT_EQ(std::tuple(taken.modelRenamed, taken.keysTaken),
            std::tuple(false, std::vector<std::string>{"Wingfold C172"}));
  EXPECT_EQ(world.aircraftTypes.Find("C172"), &flyable);
  EXPECT_EQ(world.aircraftTypes.Find("Wingfold C172"), &model);
}

TEST(ShellFileOpTest, AsksOnlyWithoutNoConfirmationAndCancelSetsAborted) {
  test::TempFolder temp;
  Write(temp / "src/a.txt", "new");
  Write(temp / "dst/a.txt", "old");
  test::ScriptedPrompter prompter({Answer::kCancel});
  const CShellFileOp asked(&prompter, FO_COPY, temp / "src", temp / "dst", FOF_NOCONFIRMMKDIR, "Copy plane");
  EXPECT_TRUE(asked.GetAborted());
  ASSERT_EQ(prompter.questions.size(), 1u);
  EXPECT_NE(prompter.questions[0].find("already exists"), std::string::npos);
  EXPECT_EQ(Read(temp / "dst/a.txt"), "old");

  const CShellFileOp quiet(&prompter, FO_COPY, temp / "src", temp / "dst", FOF_SILENT | FOF_NOCONFIRMATION,
                           "");
  EXPECT_FALSE(quiet.GetAborted());
  EXPECT_EQ(prompter.questions.size(), 1u);
  EXPECT_EQ(Read(temp / "dst/a.txt"), "new");
}

TEST(WaitForFileTest, WaitsAtMostTenTimesWithoutSleeping) {
  test::TempFolder temp;
  // Pauses before the file exists (-1: never), whether it is found, the pauses made.
  const struct { int appearsAfter, found, pauses; } cases[] = {{0, 1, 0}, {10, 1, 10}, {-1, 0, 10}};
  for (const auto& c : cases) {
    const fs::path file = temp / "test.DDS";
    fs::remove(file);
    if (c.appearsAfter == 0) Write(file, "x");
    test::RecordingProgress progress;
    std::vector<std::chrono::milliseconds> pauses;
    const Pause pause = [&](std::chrono::milliseconds duration) {
      pauses.push_back(duration);
      if (static_cast<int>(pauses.size()) == c.appearsAfter) Write(file, "x");
    };
    // The name is found without regard to case, as the Windows file system finds it.
    EXPECT_EQ(WaitForFile(temp / "test.dds", progress, pause), c.found != 0) << c.appearsAfter;
    EXPECT_EQ(static_cast<int>(pauses.size()), c.pauses) << c.appearsAfter;
    EXPECT_EQ(static_cast<int>(progress.texts.size()), c.pauses) << c.appearsAfter;
    for (const auto& duration : pauses) EXPECT_EQ(duration, std::chrono::milliseconds(500));
    for (const std::string& text : progress.texts)
      EXPECT_EQ(text, "Wait for:" + (temp / "test.dds").string());
  }
}

}
}
