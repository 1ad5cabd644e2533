#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "bgl_test_support.h"
#include "platform/folder_listing.h"
#include "scenery/scenery_scan.h"
#include "support/temp_folder.h"

namespace wf::test {
namespace {

namespace fs = std::filesystem;

TEST(SceneryFolderListingTest, MatchesNamesAsTheWindowsFileFunctionsDo) {
  const struct {
    const char* pattern;
    std::vector<std::string> matching, other;
  } cases[] = {{"Scenery.", {"Scenery", "SCENERY", "scenery"}, {"Scenery.old", "Sceneryx"}},
               {"*.", {"Addon Scenery"}, {"0105.old"}},
               {"*.bgl", {"apx.BgL", "a.b.bgl", ".bgl"}, {"apx.bglx", "apx.bg"}},
               {"a?c", {"abc"}, {"ac"}},
               {"*a*b*c", {"xaybzc"}, {"xaybz"}},
               {"*.*", {"noext"}, {}}};
  for (const auto& c : cases) {
    for (const std::string& name : c.matching)
      EXPECT_TRUE(MatchesWildcard(name, c.pattern)) << name << " " << c.pattern;
    for (const std::string& name : c.other)
      EXPECT_FALSE(MatchesWildcard(name, c.pattern)) << name << " " << c.pattern;
  }
}

TEST(SceneryFolderListingTest, ListsInNameOrderWithoutRegardToCase) {
  TempFolder temp;
  for (const char* name : {"b.bgl", "_x.bgl", "C.BGL", "A.bgl", "a.txt"}) std::ofstream(temp / name) << "x";
  fs::create_directory(temp / "d.bgl");
  std::vector<std::string> names;
  for (const FolderEntry& entry : ListFolder(temp.path(), "*.bgl")) {
    names.push_back(entry.name);
    EXPECT_EQ(entry.path, temp / entry.name);
    EXPECT_EQ(entry.isFolder, entry.name == "d.bgl");
  }
  // Upper-cased, '_' (0x5F) sorts after the letters, as NTFS lists it.
  EXPECT_EQ(names, (std::vector<std::string>{"A.bgl", "b.bgl", "C.BGL", "d.bgl", "_x.bgl"}));
  EXPECT_TRUE(ListFolder(temp / "missing", "*").empty());
}

class ScenerySweepTest : public ::testing::Test {
 protected:
  // An airport file (ident KAAA) or, for `airport` false, a file of another section.
  void Bgl(const fs::path& relative, bool airport = true) {
    const fs::path path = temp_.path() / relative;
    fs::create_directories(path.parent_path());
    bgl::WriteBytes(path, airport ? bgl::WriteAirportBgl(SampleFile(kDay0, {SampleAirport("KAAA")})).bytes
                                  : bgl::WriteOtherBgl(0x13, 0));
  }

  // The names of the files read, in reading order.
  std::vector<std::string> FilesRead() const {
    std::vector<std::string> names;
    for (const std::string& text : f_.progress.texts)
      names.push_back(text.substr(std::string("Read and process ").size()));
    return names;
  }

  fs::path Sim() const { return temp_.path() / "FSX"; }

  TempFolder temp_;
  SceneryFixture f_;
};

TEST_F(ScenerySweepTest, ReadsTheBglFilesOfEachAreasSceneryFolderOnly) {
  Bgl("FSX/Scenery/0101/scenery/b.bgl", false);
  Bgl("FSX/Scenery/0101/scenery/a.BGL");
  Bgl("FSX/Scenery/0101/scenery/notes.txt", false);
  Bgl("FSX/Scenery/0102/SCENERY/c.bgl", false);
  Bgl("FSX/Scenery/0103/Scenery/sub/deep.bgl");
  Bgl("FSX/Scenery/0104/texture/texture.bgl");
  Bgl("FSX/Scenery/0105.old/Scenery/dotted.bgl");
  Bgl("FSX/Scenery/0106/Scenery.bak/backup.bgl");
  Bgl("FSX/Scenery/loose.bgl");
  Bgl("FSX/Addon Scenery/Field/Scenery/addon.bgl");

  const ScanSummary summary = Scan(ScanMode::kDefaultScenery, Sim(), {}, f_.Context());

  EXPECT_EQ(FilesRead(), (std::vector<std::string>{"a.BGL", "b.bgl", "c.bgl"}));
  // The files are counted before the first is read: each read is one step of three.
  EXPECT_EQ(f_.progress.steps,
            (std::vector<std::pair<std::size_t, std::size_t>>{{0, 3}, {1, 3}, {2, 3}, {3, 3}}));
  EXPECT_EQ(std::tuple(summary.bglFilesRead, summary.airportFilesRead, summary.filesLeftAlone,
                       summary.filesWithErrors.size(), summary.airportsAdded, summary.airportsInDatabase),
            std::tuple(3u, 1u, 2u, 0u, 1u, 1u));
}

TEST_F(ScenerySweepTest, AddOnModeSweepsTheAddOnRootThenTheSimulatorsTopFolders) {
  Bgl("FSX/Scenery/0101/scenery/default.bgl", false);
  Bgl("FSX/Addon Scenery/Field/Scenery/addon.bgl", false);
  Bgl("FSX/Addon Scenery/Field/direct.bgl", false);
  Bgl("FSX/Addon Scenery/Field/Scenery/deeper/deep.bgl", false);
  Bgl("FSX/Addon Scenery/scenery/addonroot.bgl", false);
  Bgl("FSX/Tools/Scenery/top.bgl", false);
  Bgl("Packs/Pack/Scenery/pack.bgl", false);
  Bgl("Packs/pack-root.bgl", false);

  struct Case {
    const char* name;
    fs::path airportPath;
    std::vector<std::string> read;
  };
  const std::vector<Case> cases = {
      {"empty path: the simulator's add-on folder", {}, {"addon.bgl", "addonroot.bgl", "top.bgl"}},
      {"a chosen folder", temp_.path() / "Packs" / "", {"pack.bgl", "addonroot.bgl", "top.bgl"}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    f_.progress.texts.clear();
    f_.progress.steps.clear();
    const ScanSummary summary = Scan(ScanMode::kAddOn, Sim(), c.airportPath, f_.Context());
    EXPECT_EQ(FilesRead(), c.read);
    EXPECT_EQ(f_.progress.steps.front(), std::make_pair(std::size_t{0}, c.read.size()))
        << "both sweeps counted";
    EXPECT_EQ(std::tuple(summary.bglFilesRead, summary.filesLeftAlone),
              std::tuple(c.read.size(), c.read.size()));
  }
}

TEST_F(ScenerySweepTest, FindsFoldersInAnyCaseAndGoesWithoutAnAddOnFolder) {
  Bgl("FSX/scenery/0101/SCENERY/lower.bgl", false);
  Bgl("FSX/ADDON SCENERY/Field/scenery/upper.bgl", false);
  Scan(ScanMode::kDefaultScenery, Sim(), {}, f_.Context());
  Scan(ScanMode::kAddOn, Sim(), {}, f_.Context());
  EXPECT_EQ(FilesRead(), (std::vector<std::string>{"lower.bgl", "upper.bgl"}));

  // Without one, only the simulator's top folders are swept.
  fs::remove_all(Sim() / "ADDON SCENERY");
  Bgl("FSX/Add-ons/Scenery/top.bgl", false);
  f_.progress.texts.clear();
  EXPECT_EQ(Scan(ScanMode::kAddOn, Sim(), {}, f_.Context()).bglFilesRead, 1u);
  EXPECT_EQ(FilesRead(), (std::vector<std::string>{"top.bgl"}));
  EXPECT_EQ(Scan(ScanMode::kAddOn, temp_ / "missing", {}, f_.Context()).bglFilesRead, 0u);
}

TEST_F(ScenerySweepTest, SummarisesFilesAndAirports) {
  // An airport known before the scan, with an older stamp than the files.
  FindOrCreateAirport(f_.world, "North America", "United States", "Washington", "Seattle", "KOLD", 0);

  const fs::path scenery = Sim() / "Scenery" / "0101" / "Scenery";
  fs::create_directories(scenery);
  bgl::WriteBytes(
      scenery / "1.bgl",
      bgl::WriteAirportBgl(SampleFile(kDay0, {SampleAirport("KAAA"), SampleAirport("KOLD")})).bytes);
  bgl::WriteBytes(scenery / "2.bgl", bgl::WriteOtherBgl(0x13, 0));
  bgl::BglImage broken = bgl::WriteAirportBgl(SampleFile(kDay0, {SampleAirport("KDDD")}));
  PatchU32(broken.bytes, broken.recordOffsets[0] + 2, 5);
  bgl::WriteBytes(scenery / "3.bgl", broken.bytes);
  bgl::WriteBytes(
      scenery / "4.bgl",
      bgl::WriteAirportBgl(SampleFile(kDay0 + kDay, {SampleAirport("KAAA"), SampleAirport("KCCC")})).bytes);

  const ScanSummary summary = Scan(ScanMode::kDefaultScenery, Sim(), {}, f_.Context());

  EXPECT_EQ(std::tuple(summary.bglFilesRead, summary.airportFilesRead, summary.filesLeftAlone),
            std::tuple(4u, 3u, 1u));
  ASSERT_EQ(summary.filesWithErrors.size(), 1u);
  EXPECT_EQ(summary.filesWithErrors[0].file, scenery / "3.bgl");
  EXPECT_NE(summary.filesWithErrors[0].reason.find("airport record of size 5"), std::string::npos)
      << summary.filesWithErrors[0].reason;
  EXPECT_EQ(f_.prompter.messages.size(), 1u);
  // KAAA, KDDD and KCCC are new (KAAA also taking the newer file's data); KOLD was there before.
  EXPECT_EQ(std::tuple(summary.airportsAdded, summary.airportsUpdated, summary.airportsInDatabase),
            std::tuple(3u, 1u, 4u));
  EXPECT_EQ(std::tuple(f_.Indexed("KOLD")->sceneryFileTime, f_.Indexed("KAAA")->sceneryFileTime),
            std::tuple(kDay0, kDay0 + kDay));
}

}
}
