// "Make AI plane" on the Planes page: the dialog, driven as a user drives it, converts the aircraft
// and the copy takes the flyable model's place in the tree. A failed conversion is the page's to
// report (PlanesPageTest) and the command line's (CliTest).
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
  ClickRow(view.tree(), row("Trainer_152"));

  // The dialog's boxes show what its model holds: the library, the size, the copy's folder.
  QStringList shown;
  prompter.answer = false;  // do not hand the model's values down again
  QTimer::singleShot(0, [&shown] {
    auto* dialog = dynamic_cast<MakeAIPlaneDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    auto* airFile = dialog->findChild<QComboBox*>("m_nAirFile");
    for (int i = 0; i < airFile->count(); ++i) shown << airFile->itemText(i);
    for (const char* box : {"m_dFolderSize", "m_strTargetFolder"})
      shown << dialog->findChild<QLineEdit*>(box)->text();
    if (dialog->findChild<QCheckBox*>("m_bReduceTextures")->isEnabled()) shown << "textures reducible";
    airFile->setFocus();
    QTest::keyClick(airFile, Qt::Key_Home);  // "no change"
    QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
  });
  QTest::mouseClick(view.findChild<QPushButton*>("makeAIPlane"), Qt::LeftButton);
  const fs::path copy = sim / "SimObjects" / "Airplanes" / "Wingfold Trainer_152";
  EXPECT_EQ(shown, (QStringList{"no change", "Flyable", "Business jet", "Light single", "Light twin",
                                "Turboprop single", "0.000 MB", Q(PathUtf8(copy)), "textures reducible"}));
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
