// Each page driven as a user drives it: select a node, type, tick, click Apply, answer the questions;
// then the models and the files on disk.
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTreeView>
#include <chrono>

#include "gui/airports_view.h"
#include "gui/gui_test_support.h"
#include "gui/planes_view.h"
#include "platform/text.h"

namespace wf::gui {
namespace {

using test::GuiTest;
using test::ReadFile;
namespace fs = std::filesystem;

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST_F(GuiTest, SettingsPageRefusesAWeightOutOfRangeAndSavesTheSettings) {
  MainWindow& w = Open();
  auto* maxWeight = Find<QLineEdit>("maxWeight");
  Type(maxWeight, "4000");
  EXPECT_TRUE(w.applyButton()->isEnabled());
  EXPECT_TRUE(Contains(Std(maxWeight->toolTip()), "Max GA weight (kg)")) << Std(maxWeight->toolTip());
  QTest::mouseClick(w.applyButton(), Qt::LeftButton);
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0], Std(maxWeight->toolTip()));
  EXPECT_FALSE(Contains(ReadFile(work / "Wingfold.ini"), "max_weight_for_GA_planes"));

  Type(maxWeight, "20000");
  EXPECT_TRUE(maxWeight->toolTip().isEmpty());
  auto* slider = Find<QSlider>("percentStep");
  slider->setFocus();
  QTest::keyClick(slider, Qt::Key_Right);  // 30 % -> 40 %
  EXPECT_EQ(Find<QLabel>("percentShown")->text(), "40 %");
  QTest::mouseClick(w.applyButton(), Qt::LeftButton);
  const std::string ini = ReadFile(work / "Wingfold.ini");
  EXPECT_TRUE(Contains(ini, "max_weight_for_GA_planes=20000")) << ini;
  EXPECT_TRUE(Contains(ini, "GA_Percentage=40")) << ini;
  EXPECT_EQ(session.settings.maxWeightGA, 20000);
  EXPECT_FALSE(w.applyButton()->isEnabled());
}

TEST_F(GuiTest, AirportsPageFindsAnAirportByItsIdentAndAsksAboutALowFee) {
  MainWindow& w = Open();
  ShowPage(ui::PageId::kAirports);
  auto& view = static_cast<AirportsView&>(w.View(ui::PageId::kAirports));
  const auto& model = view.treeModel();
  ASSERT_EQ(model.rowCount(), 1);
  EXPECT_EQ(model.index(0, 0).data().toString(), "World");

  Type(Find<QLineEdit>("m_strICAO"), "kbbb");
  const CAirport& kbbb = *session.world.airportIndex.Find("KBBB");
  EXPECT_EQ(view.tree()->currentIndex(), model.IndexOf(static_cast<ui::NodeId>(kbbb.treeItem)));
  EXPECT_EQ(Find<QLineEdit>("m_strICAO")->text(), "KBBB");
  EXPECT_EQ(Find<QLineEdit>("m_nRamp")->text(), "2");
  EXPECT_EQ(Find<QComboBox>("m_comboType")->currentText(), AirportTypeName(kbbb.GetType()));
  const CAirport& kccc = *session.world.airportIndex.Find("KCCC");
  EXPECT_EQ(model.IndexOf(static_cast<ui::NodeId>(kccc.treeItem)).parent().data().toString(),
            QString::fromUtf8("Coeur d'Al\u00E8ne"));

  // Another airport chosen in the tree; a fee far below the normal one, refused by answering No.
  const CAirport& kaaa = *session.world.airportIndex.Find("KAAA");
  ClickRow(view.tree(), model.IndexOf(static_cast<ui::NodeId>(kaaa.treeItem)));
  EXPECT_EQ(Find<QLineEdit>("m_strICAO")->text(), "KAAA");
  // Dated an hour back: MinGW's file times count whole seconds.
  const auto before = fs::last_write_time(work / "objects.dat") - std::chrono::hours(1);
  fs::last_write_time(work / "objects.dat", before);
  Type(Find<QLineEdit>("m_fLandingFee"), "0.01");
  QTest::mouseClick(Find<QCheckBox>("m_bMilitary"), Qt::LeftButton);
  prompter.answer = false;
  QTest::mouseClick(w.applyButton(), Qt::LeftButton);
  ASSERT_EQ(prompter.questions.size(), 1u);
  EXPECT_TRUE(Contains(prompter.questions[0], "The landing fee of  0.01 is below the 'normal' landing fee"))
      << prompter.questions[0];
  const float normal = kaaa.NormalLandingFee(session.settings);
  EXPECT_EQ(kaaa.landingFee, normal);
  EXPECT_EQ(kaaa.military, 1);
  EXPECT_EQ(Std(Find<QLineEdit>("m_fLandingFee")->text()), FormatNumber(normal));
  EXPECT_NE(fs::last_write_time(work / "objects.dat"), before);
}

TEST_F(GuiTest, PlanesPageKeepsTheMoneyBoxesTogetherAndAppliesAVariation) {
  MainWindow& w = Open();
  ShowPage(ui::PageId::kPlanes);
  auto& view = static_cast<PlanesView&>(w.View(ui::PageId::kPlanes));
  const auto& model = view.treeModel();
  const QModelIndex root = model.index(0, 0);
  ASSERT_EQ(root.data().toString(), "All planes");
  ASSERT_GT(model.rowCount(root), 1);
  EXPECT_TRUE(view.tree()->isExpanded(root));

  // A model: its own boxes can be edited.
  ClickRow(view.tree(), model.index(0, 0, root));
  EXPECT_TRUE(Find<QLineEdit>("m_nCruiseSpeed")->isEnabled());
  // One of its variations: the model's boxes are shown but closed.
  const QModelIndex variationIndex = model.index(0, 0, model.index(0, 0, root));
  view.tree()->expand(variationIndex.parent());
  ClickRow(view.tree(), variationIndex);
  const std::string title = Std(variationIndex.data().toString());
  EXPECT_FALSE(Find<QLineEdit>("m_nCruiseSpeed")->isEnabled());
  EXPECT_FALSE(Find<QCheckBox>("m_bHasWheels")->isEnabled());

  Type(Find<QLineEdit>("m_fMoneyPerFlight"), "10");
  EXPECT_EQ(Find<QLineEdit>("m_fMoneyPerWeek")->text(), "700");
  Type(Find<QLineEdit>("m_fProbability"), "150");
  EXPECT_FALSE(Find<QLineEdit>("m_fProbability")->toolTip().isEmpty()) << "100 is the most";
  Type(Find<QLineEdit>("m_fProbability"), "55");
  auto* taxi = Find<QCheckBox>("m_bTaxi");
  const bool taxiBefore = taxi->isChecked();
  QTest::mouseClick(taxi, Qt::LeftButton);
  prompter.answer = true;  // 700 a week may be below the normal money: keep it
  QTest::mouseClick(w.applyButton(), Qt::LeftButton);

  const CAI_Aircraft& variation = *session.world.aircraftNames.Find(title);
  EXPECT_EQ(variation.probability, 55.0f);
  EXPECT_EQ(variation.moneyPerWeek, 700.0f);
  EXPECT_EQ((variation.usage >> kTaxi) & 1, taxiBefore ? 0 : 1);
  // The variation apply leaves the files to the Collect data page's apply, which runs with it; the
  // Settings page's apply, which runs with every apply, builds the tree anew.
  EXPECT_TRUE(Contains(ReadFile(work / "AircraftNames.dat"), variation.title));
  EXPECT_TRUE(w.sheet().planes.m_bSaved);
}

TEST_F(GuiTest, CollectDataPageBrowsesForTheAddOnFolderAndCollectsItsAirports) {
  MainWindow& w = Open();
  ShowPage(ui::PageId::kAirports);
  ShowPage(ui::PageId::kCollect);
  EXPECT_EQ(Find<QLineEdit>("airportPath")->text(), Q(PathUtf8(sim / "Addon Scenery" / "")));

  prompter.chosenFile = PathUtf8(sim / "Addon Scenery" / "readme.txt");
  QTest::mouseClick(Find<QPushButton>("browse"), Qt::LeftButton);
  EXPECT_EQ(Find<QLineEdit>("airportPath")->text(), Q(PathUtf8(sim / "Addon Scenery" / "")));
  QTest::mouseClick(Find<QPushButton>("collectAirports"), Qt::LeftButton);
  ASSERT_NE(session.world.airportIndex.Find("KNEW"), nullptr);
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_TRUE(Contains(prompter.messages[0], "1 airports added")) << prompter.messages[0];

  // The Airports page's tree was built anew with the new airport in it.
  auto& airports = static_cast<AirportsView&>(w.View(ui::PageId::kAirports));
  const CAirport& added = *session.world.airportIndex.Find("KNEW");
  EXPECT_TRUE(airports.treeModel().IndexOf(static_cast<ui::NodeId>(added.treeItem)).isValid());
}

TEST_F(GuiTest, FlightplanPageSavesTheSettingsOfTheChosenCategory) {
  MainWindow& w = Open();
  ShowPage(ui::PageId::kFlightplan);
  auto* category = Find<QComboBox>("selectedCategory");
  EXPECT_EQ(category->currentText(), "Taxi");
  category->setFocus();
  QTest::keyClick(category, Qt::Key_Home);  // "Privat"
  EXPECT_EQ(Std(Find<QLineEdit>("maxHours")->text()), FormatNumber(session.settings.flightTimeMax[kPrivate]));
  Type(Find<QLineEdit>("maxHours"), "3.5");
  Type(Find<QLineEdit>("minHours"), "4");
  Find<QDateEdit>("pickedDate")->setDate(QDate(2006, 6, 4));
  QTest::mouseClick(w.applyButton(), Qt::LeftButton);
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_TRUE(Contains(prompter.messages[0], "is above the maximum Flight time")) << prompter.messages[0];
  EXPECT_FALSE(fs::exists(work / "Wingfold.ini") && Contains(ReadFile(work / "Wingfold.ini"), "Privat_max"));

  Type(Find<QLineEdit>("minHours"), "1");
  QTest::mouseClick(w.applyButton(), Qt::LeftButton);
  Type(Find<QLineEdit>("ifrValue"), "7");
  QTest::mouseClick(w.applyButton(), Qt::LeftButton);  // a second apply keeps the stored Sunday
  const std::string ini = ReadFile(work / "Wingfold.ini");
  EXPECT_TRUE(Contains(ini, "Privat_max=350")) << ini;
  EXPECT_TRUE(Contains(ini, "Privat_IFR=7")) << ini;
  EXPECT_TRUE(Contains(ini, "Date=06/11/2006")) << ini;
  EXPECT_EQ(Find<QDateEdit>("pickedDate")->date(), QDate(2006, 6, 11));

  QTest::mouseClick(Find<QPushButton>("assignFees"), Qt::LeftButton);
  ASSERT_EQ(prompter.messages.size(), 2u);
  EXPECT_TRUE(Contains(prompter.messages[1], "3 airports")) << prompter.messages[1];
}

}
}
