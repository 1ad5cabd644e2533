
#include "platform/text.h"
#include "ui/main_sheet.h"
#include "ui/page_test_support.h"

namespace wf::ui {
namespace {

class MainSheetTest : public test::PageTest {
 protected:
  MainSheetTest() {
    test::AddAirport(session.world, {.icao = "EDDF", .smallRamps = 2});
    model = &test::AddModel(session.world, {.name = "Trainer", .maxWeight = 6000});
    test::AddVariation(session.world, *model, "Trainer red");
  }

  bool Exists(const char* name) { return std::filesystem::exists(folder / name); }

  CAircraft* model;
};

TEST_F(MainSheetTest, PagesAreCreatedWhenFirstShownAndReachEachOtherThroughTheHooks) {
  {
    MainSheet sheet(session);
    const auto modelImage = [&tree = sheet.planes.m_tree] {
      return tree.Find(tree.Find(tree.TopLevel()[0])->children[0])->image;
    };
    EXPECT_EQ(session.hooks, &sheet);
    session.hooks->InitAirportData();
    EXPECT_TRUE(sheet.airports.m_tree.empty()) << "the Airports page has not been shown";
    sheet.ShowPage(PageId::kSettings);
    EXPECT_FALSE(sheet.GenerateEnabled());
    sheet.ShowPage(PageId::kPlanes);
    EXPECT_TRUE(sheet.GenerateEnabled());
    EXPECT_EQ(modelImage(), kImageUsable);

    // A lower GA weight limit, applied on the Settings page, rebuilds the Planes tree.
    sheet.ShowPage(PageId::kSettings);
    sheet.settings.OnMaxWeightChanged("5000");
    ASSERT_TRUE(sheet.Apply());
    EXPECT_EQ(modelImage(), kImageNotForGA);
    EXPECT_EQ(sheet.planes.m_hSelectedItem, sheet.planes.m_tree.TopLevel()[0]);
  }
  EXPECT_NE(session.hooks, nullptr);
  session.hooks->BuildPlaneTree();  // the session's own hooks again: nothing to reach
}

TEST_F(MainSheetTest, CollectDataApplyWritesWhatOtherPagesLeftUnsaved) {
  MainSheet sheet(session);
  sheet.ShowPage(PageId::kPlanes);
  sheet.planes.OnTreeSelectionChanged(
      sheet.planes.m_tree.Find(sheet.planes.m_tree.Find(sheet.planes.m_tree.TopLevel()[0])->children[0])
          ->children[0]);
  sheet.planes.OnProbabilityChanged("30");
  // A step that would lose edits names what they change; Cancel stays, Yes has the sheet applied.
  sheet.ShowPage(PageId::kSettings);
  sheet.settings.OnMaxWeightChanged("6000");
  for (const auto& [answer, decision] :
       {std::pair{Answer::kCancel, EditsDecision::kStay}, {Answer::kYes, EditsDecision::kApplyFirst}}) {
    prompter.choice = answer;
    EXPECT_EQ(sheet.AskAboutEdits(), decision);
  }
  EXPECT_EQ(prompter.questions.back(), "Apply the changes to Trainer red and the Settings page?");
  EXPECT_EQ(sheet.AskAboutEdits(PageId::kAirports), EditsDecision::kGoOn) << "none there: nothing asked";
  EXPECT_EQ(prompter.questions.size(), 2u);
  ASSERT_TRUE(sheet.Apply());
  EXPECT_EQ(session.world.aircraftNames.Find("Trainer red")->probability, 30.0f);
  EXPECT_TRUE(Exists("AircraftNames.dat")) << "written by the Collect data page's apply";
  EXPECT_TRUE(sheet.planes.m_bSaved);
  EXPECT_FALSE(Exists("objects.dat"));

  std::filesystem::remove(folder / "AircraftNames.dat");
  session.airportDatabaseUnsaved = true;
  ASSERT_TRUE(sheet.Apply());
  EXPECT_FALSE(Exists("AircraftNames.dat"));
  EXPECT_TRUE(Exists("objects.dat"));
  EXPECT_FALSE(session.airportDatabaseUnsaved);
}

TEST_F(MainSheetTest, BrowseTakesTheFolderOfTheChosenFile) {
  // The folder's text ends in the system's separator.
  const auto folder = [](const std::filesystem::path& path) { return PathUtf8(path / ""); };
  session.simFolder = "/games/FSX";
  MainSheet sheet(session);
  sheet.ShowPage(PageId::kCollect);
  EXPECT_EQ(sheet.collect.airportPath, folder(session.simFolder / "Addon Scenery"));
  sheet.collect.OnBrowse();
  EXPECT_EQ(sheet.collect.airportPath, folder(session.simFolder / "Addon Scenery")) << "cancelled";
  prompter.chosenFile = "/x/Sceneries/Pack/readme.txt";
  sheet.collect.OnBrowse();
  EXPECT_EQ(sheet.collect.airportPath, folder("/x/Sceneries/Pack"));
  sheet.collect.SetAirportPath("/x/Other");
  EXPECT_EQ(sheet.collect.airportPath, folder("/x/Other"));
}

}
}
