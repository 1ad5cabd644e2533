
#include <fstream>

#include "app/startup.h"
#include "platform/files.h"
#include "platform/text.h"
#include "ui/page_test_support.h"
#include "ui/settings_page.h"

namespace wf::ui {
namespace {

class SettingsPageTest : public test::PageTest {
 protected:
  std::string IniText() { return ReadFileBytes(session.SettingsPath()).value_or("(no file)"); }
};

TEST_F(SettingsPageTest, PercentageShowsInStepsOfTenAndAnApplyWritesEveryKeyInOrder) {
  std::ofstream(session.SettingsPath(), std::ios::binary) << "[Settings]\r\nGA_Percentage=35\r\n";
  StartSession(session, folder.path());
  CPSettings page(session);
  page.OnInitDialog();
  EXPECT_EQ(page.percentStep, 3);

  // An absolute folder on every system ("/opt/fsx" is relative to the drive on Windows).
  const std::string sim = (folder.path() / "fsx").string();
  page.OnSimPathChanged(sim);
  EXPECT_TRUE(page.IsModified()) << "typing in a path always marks the page";
  ASSERT_TRUE(page.OnApply());
  EXPECT_EQ(session.settings.gaPercentage, 30);
  EXPECT_EQ(session.simFolder, sim);
  EXPECT_EQ(IniText(),
            "[Settings]\r\nGA_Percentage=30\r\n"
            "[Tuning]\r\nmax_weight_for_private_planes=5000\r\nmin_weight_for_taxi_planes=1800\r\n"
            "max_weight_for_GA_planes=14000\r\n"
            "[Path]\r\nTTools=" +
                (folder.path() / "Bin").string() + "\r\nFS2004=" + sim + "\r\n");
  EXPECT_FALSE(page.IsModified());
}

TEST_F(SettingsPageTest, SliderMarksThePageOnlyAwayFromTheAppliedPercentage) {
  CPSettings page(session);
  page.OnInitDialog();
  page.OnPercentStepChanged(3);
  EXPECT_FALSE(page.IsModified()) << "30 is the applied percentage";
  page.OnPercentStepChanged(16);
  EXPECT_EQ(page.percentStep, 15);
  EXPECT_TRUE(page.IsModified());
  page.OnPercentStepChanged(3);
  EXPECT_TRUE(page.IsModified()) << "stays modified until the next apply";

  const std::tuple<const char*, int> cases[] = {{"150", 15}, {"0", 0},    {"70", 7},   {"35", -1},
                                                {"160", -1}, {"-10", -1}, {"many", -1}};
  for (const auto& [text, step] : cases) {
    page.OnPercentStepChanged(9);
    page.OnPercentageText(text);
    EXPECT_EQ(page.percentStep, step < 0 ? 9 : step) << text;
    EXPECT_EQ(page.Problem().empty(), step >= 0) << text;
  }
}

TEST_F(SettingsPageTest, FoldersAreStoredAbsoluteAndLineBreaksAreRefused) {
  session.simFolder = "sim-from-the-file";
  CPSettings page(session);
  page.OnInitDialog();
  const std::filesystem::path missing = std::filesystem::current_path() / "no-such-tools";
  const std::tuple<std::string, std::filesystem::path, std::string> cases[] = {
      {"bin\n[Flightplan]\nTaxi_max=99999999", {}, "Binary path: a folder's path cannot hold a line break"},
      {"C:\tTools", {}, "Binary path: a folder's path cannot hold a line break"},
      {"relative/../no-such-tools/", missing,
       "Binary path: there is no folder \"" + PathUtf8(missing) + "\";"},
      {PathUtf8(folder.path()) + "/", folder.path(), ""},
  };
  for (const auto& [typed, stored, message] : cases) {
    const std::filesystem::path before = session.toolsFolder;
    prompter.messages.clear();
    page.OnToolsPathChanged(typed);
    page.OnMaxWeightChanged("15000");
    EXPECT_EQ(page.OnApply(), !stored.empty()) << typed;
    EXPECT_EQ(session.toolsFolder, stored.empty() ? before : stored) << typed;
    EXPECT_EQ(session.settings.maxWeightGA, stored.empty() ? 14000 : 15000) << typed;
    EXPECT_EQ(session.simFolder, "sim-from-the-file") << "an unchanged folder is kept as it was";
    EXPECT_EQ(prompter.messages.empty() ? "" : prompter.messages[0].substr(0, message.size()), message);
    EXPECT_EQ(page.toolsPath, stored.empty() ? typed : PathUtf8(stored)) << "shows what was stored";
  }
}

}
}
