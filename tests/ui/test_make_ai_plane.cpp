#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/file_fixtures.h"
#include "support/temp_folder.h"
#include "ui/make_ai_plane.h"

namespace wf::ui {
namespace {

namespace fs = std::filesystem;
using test::Write;

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
  EXPECT_EQ(dialog.m_airFileTitles[2], "light single@110#48");
  EXPECT_EQ(dialog.m_nAirFile, 2);
  EXPECT_EQ(dialog.FolderSizeText(), "1.430 MB");
  EXPECT_EQ(dialog.m_strTargetFolder, (temp / "sim" / "Wingfold C172").string());
  EXPECT_TRUE(dialog.ReduceTexturesEnabled());
  EXPECT_TRUE(dialog.OnReduceTexturesClicked(true));
  dialog.OnSelchangeAirFile(7);
  EXPECT_EQ(dialog.m_nAirFile, 2);

  // An AI copy is its own target, and its textures cannot be reduced again.
  CAircraft copy = flyable;
  copy.name = "Wingfold C172";
  copy.folderPath = (temp / "sim/Wingfold C172").string();
  MakeAI_Plane again(&copy, session);
  again.OnInitDialog();
  EXPECT_EQ(again.m_strTargetFolder, copy.folderPath);
  EXPECT_FALSE(again.ReduceTexturesEnabled());
  EXPECT_FALSE(again.OnReduceTexturesClicked(true));
  EXPECT_EQ(again.m_bReduceTextures, 0);
}

}
}
