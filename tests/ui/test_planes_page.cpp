
#include "support/file_fixtures.h"
#include "support/temp_folder.h"
#include "ui/make_ai_plane.h"
#include "ui/page_test_support.h"
#include "ui/planes_page.h"

namespace wf::ui {
namespace {

namespace fs = std::filesystem;
using test::Write;

class PlanesPageTest : public test::PageTest {
 protected:
  PlanesPageTest() {
    trainer = &test::AddModel(session.world, {.name = "Trainer"});
    test::AddVariation(session.world, *trainer, "Trainer red", 50.0f, 500.0f);
    test::AddVariation(session.world, *trainer, "Trainer, blue", 50.0f, 500.0f);
  }

  NodeId NodeLabelled(const std::string& label) const {
    NodeId found = kNoNode;
    page.m_tree.Walk(kNoNode, [&](const PlaneTree::Node& node, int) {
      if (node.label == label) found = node.id;
    });
    return found;
  }
  void Select(const std::string& label) { page.OnTreeSelectionChanged(NodeLabelled(label)); }
  bool FilesWritten() const { return std::filesystem::exists(folder / "AircraftTypes.dat"); }
  CAI_Aircraft& Variation(const char* title) { return *session.world.aircraftNames.Find(title); }

  CAircraft* trainer;
  CPPlanes page{session};
};

TEST_F(PlanesPageTest, TreeHidesConvertedModelsAndShowsWhoCannotFly) {
  CAircraft& flyable = test::AddModel(session.world, {.name = "C172"});
  CAI_Aircraft& flyablePaint = test::AddVariation(session.world, flyable, "C172 white");
  CAircraft& copy = test::AddModel(session.world, {.name = "Wingfold C172"});
  test::AddVariation(session.world, copy, "Wingfold C172 white");
  test::AddVariation(session.world, copy, "C172 unmarked");
  test::AddVariation(session.world, test::AddModel(session.world, {.name = "Heavy", .maxWeight = 20000}),
                     "Heavy grey");
  test::AddVariation(session.world, test::AddModel(session.world, {.name = "Floats", .hasWheels = 0}),
                     "Floats green");
  test::AddVariation(session.world, *trainer, "Trainer parked", 0.0f);
  auto orphan = std::make_unique<CAI_Aircraft>(session.world.aiAircraftCounter);
  orphan->title = "Orphan";
  session.world.aircraftNames.Insert("Orphan", std::move(orphan));

  page.OnInitDialog();
  EXPECT_EQ(
      test::TreeText(page.m_tree, true),
      "All planes [0]\n  Floats [4]\n    Floats green [4]\n  Heavy [4]\n    Heavy grey [4]\n  Trainer [0]\n"
      "    Trainer parked [2]\n    Trainer red [0]\n    Trainer, blue [0]\n  Wingfold C172 [0]\n"
      "    Wingfold C172 white [0]\n");
  EXPECT_EQ(flyable.useForGA + flyablePaint.useForGA, 0);
}

TEST_F(PlanesPageTest, MoneyBelowTheNormalValueIsAskedAboutForVariationsAtOnce) {
  trainer->fuelCapacity = 100;
  page.OnInitDialog();
  const float normal = trainer->ComputeMoneyPerWeek();
  const std::tuple<const char*, float, bool> cases[] = {
      {"Trainer", 0.04f, false}, {"Trainer", 0.10f, true}, {"Trainer red", 0.04f, true}};
  prompter.answer = true;
  for (const auto& [node, below, asked] : cases) {
    prompter.questions.clear();
    Select(node);
    page.OnMoneyPerWeekChanged(FormatNumber(normal - below));
    ASSERT_TRUE(page.OnApply());
    const std::size_t modelQuestion = node == std::string("Trainer") ? 1 : 0;
    EXPECT_EQ(prompter.questions.size(), modelQuestion + (asked ? 1 : 0)) << node << " " << below;
  }
  EXPECT_EQ(Variation("Trainer red").moneyPerWeek, normal - 0.04f);

  prompter.answer = false;
  Select("Trainer red");
  page.OnMoneyPerFlightChanged("1");
  EXPECT_EQ(page.m_fMoneyPerWeek.value, 70.0f) << "the week follows the flight";
  ASSERT_TRUE(page.OnApply());
  EXPECT_EQ(Variation("Trainer red").moneyPerWeek, normal);
  EXPECT_EQ(std::make_pair(page.m_fMoneyPerWeek.value, page.m_fMoneyPerFlight.value),
            std::make_pair(normal, normal / 70.0f));
}

TEST_F(PlanesPageTest, VariationApplyChangesOnlyTheVariationAndRefusesGAUseItCannotKeep) {
  CAI_Aircraft& blue = Variation("Trainer, blue");
  blue.useForGA = Variation("Trainer red").useForGA = 0;
  page.OnInitDialog();
  const std::tuple<const char*, std::int64_t, const char*> cases[] = {
      {"Trainer, blue", 0b1111,
       "Use for GA: \"Trainer, blue\" holds a comma, which the traffic compiler's aircraft file cannot take; "
       "this variation cannot fly GA traffic."},
      {"Trainer red", 0, "Use for GA: no category of \"Useage\" is ticked. Tick one."},
  };
  for (const auto& [title, usage, refusal] : cases) {
    prompter.messages.clear();
    Select(title);
    page.OnProbabilityChanged("20");
    page.OnUsageChanged(usage);
    page.OnUseForGAClicked(true);
    EXPECT_FALSE(page.OnApply()) << title;
    EXPECT_EQ(prompter.messages, std::vector<std::string>{refusal});
    EXPECT_EQ(Variation(title).probability, 50.0f) << "nothing is applied";
  }
  Select("Trainer, blue");
  page.OnProbabilityChanged("20");
  page.OnUsageClicked(kTaxi, true);
  ASSERT_TRUE(page.OnApply()) << "Use for GA left unticked";
  EXPECT_EQ(std::make_tuple(blue.probability, blue.usage, blue.useForGA),
            std::make_tuple(20.0f, 0b101111, 0));
  EXPECT_EQ(page.m_tree.Find(NodeLabelled("Trainer, blue"))->image, kImageSwitchedOff);
  EXPECT_EQ(trainer->usage, 0b001111);
  EXPECT_FALSE(FilesWritten()) << "a variation apply leaves the files to the next apply";
  Select("Trainer red");
  page.OnUsageChanged(0b1);
  page.OnUseForGAClicked(true);
  ASSERT_TRUE(page.OnApply());
  EXPECT_EQ(page.m_tree.TakeChanges(), std::vector<NodeId>{NodeLabelled("Trainer red")}) << "now usable";
}

TEST_F(PlanesPageTest, ModelApplyHandsValuesDownAfterTheQuestion) {
  page.OnInitDialog();
  Select("Trainer");
  for (const bool yes : {false, true}) {
    page.OnCruiseSpeedChanged("150");
    page.OnProbabilityChanged("40");
    page.OnUsageClicked(kPrivate, false);
    prompter.answer = yes;
    ASSERT_TRUE(page.OnApply());
    EXPECT_EQ(page.AnsweredNo(), !yes);
    EXPECT_EQ(trainer->cruiseSpeed, yes ? 150 : 120) << "No leaves the model as it was";
    EXPECT_EQ(page.m_nCruiseSpeed.value, yes ? 150u : 120u) << "and shows it";
    EXPECT_TRUE(FilesWritten()) << "the files are written either way";
  }
  EXPECT_EQ(prompter.questions.back(),
            "This action will change the values of the base aircraft, all variations of the base aircraft "
            "will apply those values too.\nAre youre sure?");
  for (const char* title : {"Trainer red", "Trainer, blue"}) {
    const CAI_Aircraft& variation = Variation(title);
    EXPECT_EQ(std::make_tuple(variation.probability, variation.usage, variation.useForGA),
              std::make_tuple(40.0f, 0b001110, title[7] == ',' ? 0 : 1))
        << title;
  }
}

TEST_F(PlanesPageTest, FuelFlowWithoutAFiniteValueKeepsTheOldOne) {
  trainer->fuelCapacity = 200;
  page.OnInitDialog();
  prompter.answer = true;
  const std::tuple<int, const char*, float, bool> cases[] = {
      {1, "600", 40.0f, false},  // 200 l over 600 nm at 120 kts: 5 hours
      {0, "600", 40.0f, true},
      {2, "0", 40.0f, true},
      {2, "150", 80.0f, false},
  };
  for (const auto& [engines, range, flow, told] : cases) {
    trainer->engineCount = engines;
    prompter.messages.clear();
    Select("Trainer");
    page.OnRangeChanged(range);
    page.OnIFREquippedClicked(true);
    ASSERT_TRUE(page.OnApply());
    EXPECT_FLOAT_EQ(trainer->fuelFlow, flow) << engines << " " << range;
    EXPECT_EQ(prompter.messages.size(), told ? 1u : 0u) << engines << " " << range;
  }
}

TEST_F(PlanesPageTest, MakeAIPlaneEntersTheCopyAndWritesTheAircraftFiles) {
  trainer->folderPath = (folder / "sim/Trainer").string();
  test::Write(folder / "sim/Trainer/aircraft.cfg", "[FLTSIM.0]\r\nTitle=Trainer red\r\n");
  page.OnInitDialog();
  Select("Trainer red");
  EXPECT_EQ(page.OnMakeAIPlane([](MakeAI_Plane& dialog) { return dialog.OnCancel(); }).dialogResult,
            kDialogCancel);
  EXPECT_FALSE(std::filesystem::exists(folder / "sim/Wingfold Trainer"));
  // A file where the copy goes: the failure is told and nothing changes.
  test::Write(folder / "sim/Wingfold Trainer", "x");
  EXPECT_TRUE(page.OnMakeAIPlane([](MakeAI_Plane& dialog) { return dialog.OnOK(); }).failed);
  EXPECT_NE(prompter.messages.back().find("Nothing was changed"), std::string::npos)
      << prompter.messages.back();
  EXPECT_FALSE(FilesWritten());
  std::filesystem::remove(folder / "sim/Wingfold Trainer");

  const MakeAIPlaneResult made = page.OnMakeAIPlane([](MakeAI_Plane& dialog) { return dialog.OnOK(); });
  EXPECT_EQ(made.dialogResult, kDialogOK);
  EXPECT_EQ(test::Read(folder / "sim/Wingfold Trainer/aircraft.cfg"),
            "[fltsim.0]\r\ntitle=Wingfold trainer red\r\n");
  // A variation's apply writes no aircraft files and asks nothing; the copy's entry is saved anyway.
  EXPECT_TRUE(prompter.questions.empty());
  EXPECT_TRUE(made.aircraftFilesSaved && FilesWritten() && page.m_bSaved);
  EXPECT_EQ(test::TreeText(page.m_tree, true),
            "All planes [0]\n  Wingfold Trainer [0]\n    Wingfold trainer red [0]\n    Wingfold trainer, "
            "blue [0]\n");
}

TEST(MakeAIPlaneTest, TheDialogShowsTheLibraryItsDefaultAndTheSize) {
  test::TempFolder temp;
  Session session;
  session.workFolder = temp / "work";
  Write(session.workFolder / "AIR Files/Twin@160#60.air", "t");
  Write(session.workFolder / "AIR Files/light single@110#48.air", "l");
  Write(session.workFolder / "AIR Files/readme.txt", "not a flight model");
  for (const char* name : {"Texture/a.bmp", "Texture.blue/b.bmp"}) {
    Write(temp / "sim/C172" / name, "");
    fs::resize_file(temp / "sim/C172" / name, 1'500'000);
  }
  CAircraft flyable;
  flyable.name = "C172";
  flyable.folderPath = (temp / "sim/C172").string();
  flyable.cruiseSpeed = 115;
  flyable.stallSpeed = 47;

  MakeAI_Plane dialog(&flyable, session);
  dialog.OnInitDialog();
  EXPECT_EQ(dialog.AirFileEntries(),
            (std::vector<std::string>{"no change", "Flyable", "light single", "Twin"}));
  EXPECT_EQ(dialog.m_nAirFile, 2) << "the nearest in speed";
  EXPECT_EQ(dialog.FolderSizeText(), "1.430 MB");
  EXPECT_TRUE(dialog.OnReduceTexturesClicked(true));

  // An AI copy is its own target, and its textures cannot be reduced again.
  CAircraft copy = flyable;
  copy.name = "Wingfold C172";
  copy.folderPath = (temp / "sim/Wingfold C172").string();
  MakeAI_Plane again(&copy, session);
  again.OnInitDialog();
  EXPECT_EQ(again.m_strTargetFolder, copy.folderPath);
  EXPECT_FALSE(again.ReduceTexturesEnabled() || again.OnReduceTexturesClicked(true) ||
               again.m_bReduceTextures);
}

}
}
