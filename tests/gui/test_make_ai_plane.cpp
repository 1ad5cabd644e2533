// "Make AI plane" on the Planes page: the dialog, driven as a user drives it, converts the aircraft
// and the copy takes the flyable model's place in the tree.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>

#include "gui/gui_test_support.h"
#include "gui/make_ai_plane_dialog.h"
#include "gui/planes_view.h"
#include "platform/text.h"

namespace wf::gui {
namespace {

using test::GuiTest;
namespace fs = std::filesystem;

TEST_F(GuiTest, MakeAIPlaneConvertsTheSelectedModelThroughTheDialog) {
  fs::copy(fs::path(WINGFOLD_SOURCE_DIR) / "examples" / "work" / "AIR Files", work / "AIR Files");
  MainWindow& w = Open();
  ShowPage(ui::PageId::kPlanes);
  auto& view = static_cast<PlanesView&>(w.View(ui::PageId::kPlanes));
  const auto row = [&view](const QString& name) {
    const QModelIndex root = view.treeModel().index(0, 0);
    for (int i = 0; i < view.treeModel().rowCount(root); ++i) {
      if (view.treeModel().index(i, 0, root).data().toString() == name)
        return view.treeModel().index(i, 0, root);
    }
    return QModelIndex();
  };
  // Makes the copy through the dialog, after `look` at it.
  const auto makeAIPlane = [&view](const std::function<void(MakeAIPlaneDialog&)>& look) {
    QTimer::singleShot(0, [&look] {
      auto* dialog = dynamic_cast<MakeAIPlaneDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      look(*dialog);
      QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    });
    QTest::mouseClick(view.findChild<QPushButton*>("makeAIPlane"), Qt::LeftButton);
  };
  ClickRow(view.tree(), row("Trainer_152"));

  // A file where the copy goes: the conversion fails, the window says so, and nothing changes.
  const fs::path copy = sim / "SimObjects" / "Airplanes" / "Wingfold Trainer_152";
  std::ofstream(copy) << "x";
  makeAIPlane([](MakeAIPlaneDialog&) {});
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_NE(prompter.messages[0].find("was not made"), std::string::npos) << prompter.messages[0];
  EXPECT_TRUE(row("Trainer_152").isValid());
  fs::remove(copy);
  prompter.messages.clear();

  QStringList entries;
  bool reduceEnabled = false;
  QString folderSize, target;
  prompter.answer = false;  // do not hand the model's values down again
  makeAIPlane([&](MakeAIPlaneDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Make AI Plane");
    auto* airFile = dialog.findChild<QComboBox*>("m_nAirFile");
    for (int i = 0; i < airFile->count(); ++i) entries << airFile->itemText(i);
    reduceEnabled = dialog.findChild<QCheckBox*>("m_bReduceTextures")->isEnabled();
    folderSize = dialog.findChild<QLineEdit*>("m_dFolderSize")->text();
    target = dialog.findChild<QLineEdit*>("m_strTargetFolder")->text();
    airFile->setFocus();
    QTest::keyClick(airFile, Qt::Key_Home);  // "no change"
  });
  ASSERT_GE(entries.size(), 3);
  EXPECT_EQ(entries.mid(0, 2), (QStringList{"no change", "Flyable"}));
  EXPECT_TRUE(entries.contains("Light single"));
  EXPECT_TRUE(reduceEnabled) << "a flyable aircraft may have its textures reduced";
  EXPECT_EQ(folderSize, "0.000 MB");
  EXPECT_EQ(target, Q(PathUtf8(copy)));
  EXPECT_TRUE(fs::exists(copy / "flyable_aircraft.cfg"));
  EXPECT_NE(wf::test::Read(copy / "aircraft.cfg").find("title=Wingfold "), std::string::npos);
  // The tree is built anew: the copy in the flyable model's place, selected.
  EXPECT_FALSE(row("Trainer_152").isValid());
  EXPECT_EQ(view.tree()->currentIndex(), row("Wingfold Trainer_152"));
  EXPECT_NE(wf::test::Read(work / "AircraftTypes.dat").find("Wingfold Trainer_152"), std::string::npos);
  // What the conversion did is shown, as the command line prints it.
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_TRUE(prompter.messages[0].starts_with("Conversion:\n  files copied:")) << prompter.messages[0];
}

}
}
