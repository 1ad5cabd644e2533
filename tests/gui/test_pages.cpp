// Each page driven as a user drives it; the rules behind the values are the page models' tests.
#include <QCompleter>
#include <QDateEdit>
#include <QSlider>

#include "gui/gui_test_support.h"
#include "gui/make_ai_plane_dialog.h"

namespace wf::gui {
namespace {

using test::GuiTest;
namespace fs = std::filesystem;

// The widget is named as the field.
TEST_F(GuiTest, EveryFieldHasAWidgetThatShowsItsValueAndTakesAnEdit) {
  MainWindow& w = Open();
  for (int p = 0; p < ui::kPageCount; ++p) {
    const auto id = static_cast<ui::PageId>(p);
    ShowPage(id);
    if (id == ui::PageId::kPlanes) {
      auto& planes = static_cast<PlanesView&>(w.View(id));
      ClickRow(planes.tree(), planes.treeModel().index(0, 0, planes.treeModel().index(0, 0)));
    }
    if (id == ui::PageId::kAirports) Type(Find<QLineEdit>("m_strICAO"), "KAAA");
    ui::SheetPage& page = w.sheet().Page(id);
    for (const ui::PageField& field : page.Fields()) {
      const ui::FieldInfo& info = *field.info;
      SCOPED_TRACE(info.name);
      const QString shown = Q(ui::FieldText(page, field));
      const bool editable = field.Editable() && ui::FieldApplies(page, field);
      QWidget* widget = info.kind == ui::FieldKind::kFlags
                            ? Find<QCheckBox>(("m_b" + std::string(info.choices[0])).c_str())
                            : Find<QWidget>(info.name);
      ASSERT_NE(widget, nullptr);
      EXPECT_EQ(widget->isEnabled(), editable);
      if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        EXPECT_EQ(edit->text() + (*info.unit != '\0' ? QString(" ") + info.unit : ""), shown);
        if (editable && field.box != nullptr) {
          Type(edit, "x");  // refused: the box says why
          EXPECT_EQ(Std(edit->toolTip()), field.box(page)->Problem());
        }
        if (editable) Type(edit, "7");
      } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
        EXPECT_EQ(check->isChecked(),
                  info.kind == ui::FieldKind::kFlags ? shown.contains(info.choices[0]) : shown == "yes");
        check->setFocus();
        if (editable) QTest::keyClick(check, Qt::Key_Space);
      } else if (auto* choice = qobject_cast<QComboBox*>(widget)) {
        EXPECT_EQ(choice->currentText() + " (" + QString::number(choice->currentIndex()) + ")", shown);
        choice->setFocus();
        QTest::keyClick(choice, choice->currentIndex() == 0 ? Qt::Key_Down : Qt::Key_Up);
      } else if (auto* date = qobject_cast<QDateEdit*>(widget)) {
        EXPECT_EQ(date->text(), shown.left(10)) << "shown as yyyy-MM-dd";
        date->setDate(date->date().addDays(1));
      } else if (auto* slider = qobject_cast<QSlider*>(widget)) {
        EXPECT_EQ(w.findChild<QLabel*>(QString(info.name) + "Shown")->text(), shown);
        slider->setFocus();
        QTest::keyClick(slider, slider->value() == 0 ? Qt::Key_Right : Qt::Key_Left);
      }
      EXPECT_TRUE(!editable || Q(ui::FieldText(page, field)) != shown) << "the edit reaches the page";
    }
  }
}

TEST_F(GuiTest, AirportsPageFindsAnAirportByItsIdentAndAsksAboutALowFee) {
  MainWindow& w = Open();
  ShowPage(ui::PageId::kAirports);
  auto& view = static_cast<AirportsView&>(w.View(ui::PageId::kAirports));
  // A group node counts its airports; the boxes of an airport's own values are closed.
  ClickRow(view.tree(), view.treeModel().index(0, 0));
  EXPECT_EQ(Find<QLineEdit>("m_strAirportCount")->text(), "3 (3 used)");
  EXPECT_FALSE(Find<QLineEdit>("m_fLandingFee")->isEnabled());
  EXPECT_TRUE(Find<QCheckBox>("m_bUse")->isEnabled());
  // Ctrl+F on another page; the search lists what it finds as it is typed; Return takes the first.
  ShowPage(ui::PageId::kSettings);
  QApplication::setActiveWindow(&w);
  QTest::keyClick(&w, Qt::Key_F, Qt::ControlModifier);
  EXPECT_EQ(w.tabs()->currentWidget(), &view);
  EXPECT_EQ(w.focusWidget(), view.searchField());
  QTest::keyClicks(view.searchField(), "alene");
  const QAbstractItemModel& found = *view.searchList()->model();
  ASSERT_EQ(found.rowCount(), 1);
  EXPECT_EQ(found.index(0, 2).data().toString(), QString::fromUtf8("Coeur d'Al\u00E8ne"));
  QTest::keyClick(view.searchList()->popup(), Qt::Key_Return);
  EXPECT_EQ(view.tree()->currentIndex(), AirportRow("KCCC"));
  Type(Find<QLineEdit>("m_strICAO"), "kbbb");
  EXPECT_EQ(view.tree()->currentIndex(), AirportRow("KBBB"));
  EXPECT_EQ(AirportRow("KCCC").parent().data().toString(), QString::fromUtf8("Coeur d'Al\u00E8ne"));

  // Another airport chosen in the tree; a fee far below the normal one, refused by answering No.
  ClickRow(view.tree(), AirportRow("KAAA"));
  EXPECT_EQ(Find<QLineEdit>("m_strICAO")->text(), "KAAA");
  Type(Find<QLineEdit>("m_fLandingFee"), "0.01");
  QTest::mouseClick(Find<QCheckBox>("m_bMilitary"), Qt::LeftButton);
  Click(w.applyButton());
  ASSERT_EQ(prompter.questions.size(), 1u);
  EXPECT_TRUE(prompter.questions[0].starts_with("The landing fee of  0.01 is below the 'normal' landing fee"))
      << prompter.questions[0];
  EXPECT_TRUE(Find<QLineEdit>("m_fLandingFee")->text().startsWith("4.83")) << "the normal fee again";
}

// The tree is built anew after the apply.
TEST_F(GuiTest, PlanesPageClosesTheModelsBoxesOnAVariationAndAppliesIt) {
  MainWindow& w = Open();
  PlanesView& view = ShowPlanes();
  const QModelIndex root = view.treeModel().index(0, 0);
  EXPECT_TRUE(view.tree()->isExpanded(root));
  // The filter keeps the models whose name, or a variation's title, holds what is typed.
  Type(view.filterField(), "TRAINER");
  for (int i = 0; i < view.treeModel().rowCount(root); ++i)
    EXPECT_EQ(view.tree()->isRowHidden(i, root),
              !view.treeModel().index(i, 0, root).data().toString().contains("Trainer"))
        << i;
  Type(view.filterField(), "");
  const QModelIndex variation = view.treeModel().index(0, 0, view.treeModel().index(0, 0, root));
  view.tree()->expand(variation.parent());
  ClickRow(view.tree(), variation);
  EXPECT_FALSE(Find<QLineEdit>("m_nCruiseSpeed")->isEnabled());
  Type(Find<QLineEdit>("m_fMoneyPerFlight"), "10");
  EXPECT_EQ(Find<QLineEdit>("m_fMoneyPerWeek")->text(), "700");
  prompter.answer = true;  // 700 a week may be below the normal money: keep it
  Click(w.applyButton());
  EXPECT_EQ(view.tree()->currentIndex().data().toString(), "All planes") << "the tree was built anew";
}

// Also before Generate Flightplan and the close box; the page's tab is marked until then.
TEST_F(GuiTest, UnappliedEditsAreAskedAboutBeforeTheyWouldBeLost) {
  MainWindow& w = Open();
  PlanesView& view = ShowPlanes();
  const auto row = [&view](int i) { return view.treeModel().index(i, 0, view.treeModel().index(0, 0)); };
  const QString first = row(0).data().toString(), second = row(1).data().toString();
  const CAircraft& model = *session.world.aircraftTypes.Find(Std(first));
  const float stored = model.probability;
  const auto edit = [&] {
    if (view.tree()->currentIndex().data().toString() != first) ClickRow(view.tree(), row(0));
    Type(Find<QLineEdit>("m_fProbability"), "40");
    EXPECT_EQ(w.tabs()->tabText(0), "Planes *");
  };
  const std::tuple<Answer, float, QString> cases[] = {
      {Answer::kCancel, stored, first}, {Answer::kNo, stored, second}, {Answer::kYes, 40, second}};
  prompter.answer = true;  // the model's values go to its variations
  for (const auto& [answer, probability, shown] : cases) {
    edit();
    const std::size_t asked = prompter.questions.size();
    prompter.choice = answer;
    ClickRow(view.tree(), row(1));
    QApplication::processEvents();  // the question comes once the click has been handled
    WaitForWork();
    EXPECT_EQ(prompter.questions.at(asked), "Apply the changes to " + Std(first) + "?");
    EXPECT_EQ(model.probability, probability);
    EXPECT_EQ(view.tree()->currentIndex().data().toString(), shown) << "found again in the tree built anew";
    EXPECT_EQ(w.tabs()->tabText(0), answer == Answer::kCancel ? "Planes *" : "Planes");
  }
  edit();
  prompter.choice = Answer::kCancel;
  EXPECT_FALSE(w.close());
  Click(w.generateButton());
  EXPECT_EQ(prompter.questions.size(), 6u);
  EXPECT_FALSE(fs::exists(work / "Flightplans-GA.dat"));
  prompter.choice = Answer::kNo;
  w.close();
  EXPECT_TRUE(QTest::qWaitFor([&w] { return !w.isVisible(); }));
  EXPECT_EQ(model.probability, 40.0f);
}

// The category chosen shows its values; the date picked is shown as the Sunday stored.
TEST_F(GuiTest, FlightplanPageSavesTheSettingsOfTheChosenCategory) {
  MainWindow& w = Open();
  ShowPage(ui::PageId::kFlightplan);
  auto* category = Find<QComboBox>("selectedCategory");
  category->setFocus();
  QTest::keyClick(category, Qt::Key_Home);  // "Privat"
  EXPECT_EQ(Std(Find<QLineEdit>("maxHours")->text()), FormatNumber(session.settings.flightTimeMax[kPrivate]));
  Type(Find<QLineEdit>("maxHours"), "3.5");
  Find<QDateEdit>("pickedDate")->setDate(QDate(2006, 6, 4));
  Click(w.applyButton());
  EXPECT_NE(test::Read(work / "Wingfold.ini").find("Privat_max=350"), std::string::npos);
  EXPECT_EQ(Find<QDateEdit>("pickedDate")->date(), QDate(2006, 6, 11));
  Click(Find<QPushButton>("assignFees"));
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_NE(prompter.messages[0].find("given to 3 airports"), std::string::npos) << prompter.messages[0];
}

// The copy takes the flyable model's place in the tree; a failed conversion is PlanesPageTest's.
TEST_F(GuiTest, MakeAIPlaneConvertsTheSelectedModelThroughTheDialog) {
  fs::copy(fs::path(WINGFOLD_SOURCE_DIR) / "examples" / "work" / "AIR Files", work / "AIR Files");
  Open();
  PlanesView& view = ShowPlanes();
  const auto row = [&model = view.treeModel()](const QString& name) {  // a model below "All planes"
    const auto found =
        model.match(model.index(0, 0, model.index(0, 0)), Qt::DisplayRole, name, 1, Qt::MatchExactly);
    return found.isEmpty() ? QModelIndex() : found[0];
  };
  ClickRow(view.tree(), row("Trainer_152"));

  QStringList shown;
  QTimer::singleShot(0, [&shown] {
    auto* dialog = dynamic_cast<MakeAIPlaneDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    auto* airFile = dialog->findChild<QComboBox*>("m_nAirFile");
    for (int i = 0; i < airFile->count(); ++i) shown << airFile->itemText(i);
    for (const char* box : {"m_dFolderSize", "m_strTargetFolder"})
      shown << dialog->findChild<QLineEdit*>(box)->text();
    airFile->setFocus();
    QTest::keyClick(airFile, Qt::Key_Home);  // "no change"
    QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
  });
  QTest::mouseClick(view.findChild<QPushButton*>("makeAIPlane"), Qt::LeftButton);
  const fs::path copy = sim / "SimObjects" / "Airplanes" / "Wingfold Trainer_152";
  EXPECT_EQ(shown, (QStringList{"no change", "Flyable", "Business jet", "Light single", "Light twin",
                                "Turboprop single", "0.000 MB", Q(PathUtf8(copy))}));
  EXPECT_TRUE(fs::exists(copy / "flyable_aircraft.cfg"));
  // The tree is built anew: the copy in the flyable model's place, selected.
  EXPECT_FALSE(row("Trainer_152").isValid());
  EXPECT_EQ(view.tree()->currentIndex(), row("Wingfold Trainer_152"));
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_TRUE(prompter.messages[0].starts_with("Conversion:\n  files copied:")) << prompter.messages[0];
}

}
}
