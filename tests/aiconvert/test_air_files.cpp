#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "aiconvert/air_files.h"
#include "support/file_fixtures.h"
#include "support/temp_folder.h"

namespace wf {
namespace {

namespace fs = std::filesystem;
using test::Read;
using test::Write;

// A record: 32-bit identifier, 32-bit length, then the data.
std::string Record(std::uint32_t id, const std::string& data, std::uint32_t length = UINT32_MAX) {
  if (length == UINT32_MAX) length = static_cast<std::uint32_t>(data.size());
  std::string bytes;
  for (std::uint32_t value : {id, length}) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
  }
  return bytes + data;
}

TEST(AirFilesTest, LibraryTitlesGiveFiguresAndTheNearestEntryIsChosen) {
  const std::tuple<const char*, int, int> figures[] = {{"Light single@110#48", 110, 48},
                                                       {"Twin@160.5#62.4", 161, 62},
                                                       {"Old@120#50#spare", 120, 50},
                                                       {"Only cruise@120", 0, 0}};
  for (const auto& [title, cruise, stall] : figures) {
    const AirFileFigures parsed = ParseAirFileFigures(title);
    EXPECT_EQ(std::tuple(parsed.cruise, parsed.stall), std::tuple(cruise, stall)) << title;
  }
  EXPECT_EQ(AirFileDisplayName("Light single@110#48"), "Light single");

  // The library's titles, the cruise and stall speeds, the entry chosen.
  const std::tuple<std::vector<std::string>, int, int, int> choices[] = {
      {{"", ""}, 120, 50, 0},                                       // no library: "no change"
      {{"", "", "A@100#40", "B@120#50", "C@140#60"}, 118, 51, 3},   // nearest
      {{"", "", "A@110#50", "B@130#50"}, 120, 50, 2},               // a tie keeps the lower index
      {{"", "", "Light@110#48", "Light twin@112#48"}, 112, 48, 3},  // names sharing a beginning
      {{"", "", "Far@40000#0"}, 100, 50, 0},                        // 32767 or more never wins
  };
  for (const auto& [titles, cruise, stall, expected] : choices)
    EXPECT_EQ(DefaultAirFileChoice(titles, cruise, stall), expected);
}

TEST(AirFilesTest, TheRecordWalkFindsRecord261OrReportsDamage) {
  const std::string other = Record(100, "abcdef");
  const std::tuple<const char*, std::string, AirPatchOutcome, std::size_t> cases[] = {
      {"after another record", other + Record(261, std::string(8, '\x07')), AirPatchOutcome::kPatched,
       14 + 8},
      {"first of two", Record(261, "1234") + Record(261, "5678"), AirPatchOutcome::kPatched, 8},
      {"none", other + Record(300, "xy"), AirPatchOutcome::kNoRecord, 0},
      {"too short to patch", Record(261, "12"), AirPatchOutcome::kNoRecord, 0},
      {"length past the end", other + Record(261, "1234", 4000), AirPatchOutcome::kDamaged, 0},
      {"huge length", Record(7, "", 0xFFFFFFF0u), AirPatchOutcome::kDamaged, 0},
      {"header cut off", other + "\x05\x01\x00", AirPatchOutcome::kDamaged, 0}};
  for (const auto& [name, bytes, outcome, valueOffset] : cases) {
    const AirRecordSearch search =
        FindAIRecord({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
    EXPECT_EQ(search.outcome, outcome) << name;
    EXPECT_EQ(outcome == AirPatchOutcome::kPatched ? search.valueOffset : 0, valueOffset) << name;
  }

  test::TempFolder temp;
  const std::string patched = other + Record(261, std::string("\x09\x00\x00\x00rest", 8));
  Write(temp / "a.AIR", patched);
  Write(temp / "damaged.air", other + Record(261, "1234", 99));
  Write(temp / "none.air", other);
  const std::vector<AirPatchResult> results = PatchAirFiles(temp.path());
  ASSERT_EQ(results.size(), 3u);
  EXPECT_EQ(std::tuple(results[0].outcome, results[1].outcome, results[2].outcome),
            std::tuple(AirPatchOutcome::kPatched, AirPatchOutcome::kDamaged, AirPatchOutcome::kNoRecord));
  EXPECT_EQ(std::tuple(Read(temp / "a.AIR"), Read(temp / "damaged.air"), Read(temp / "none.air")),
            std::tuple(other + Record(261, std::string("\x02\x00\x00\x00rest", 8)),
                       other + Record(261, "1234", 99), other));
}

TEST(AirFilesTest, ReplacingKeepsTheModelInPlaceBeforeAndRestoringPutsItBack) {
  test::TempFolder temp;
  const fs::path plane = temp / "Wingfold C172";
  Write(temp / "AIR Files/Light@110#48.air", "light");
  Write(temp / "AIR Files/Twin@160#60.air", "twin");
  Write(plane / "C172.air", "flyable");
  const std::vector<AirFileEntry> library = ListAirFileLibrary(temp.path());
  ASSERT_EQ(library.size(), 2u);
  EXPECT_EQ(library[0].displayName, "Light");

  // Restoring without a backup changes nothing.
  EXPECT_TRUE(RestoreFlightModels(plane, nullptr).restored.empty());
  EXPECT_EQ(Read(plane / "C172.air"), "flyable");

  // The model in place and its backup.
  const auto models = [&] { return std::tuple(Read(plane / "C172.air"), Read(plane / "org_C172.air")); };
  ReplaceFlightModels(plane, library[0].path, nullptr);
  EXPECT_EQ(models(), std::tuple("light", "flyable"));
  // A second replacement handles C172 once, though its backup is listed too.
  EXPECT_EQ(ReplaceFlightModels(plane, library[1].path, nullptr).replaced.size(), 1u);
  EXPECT_EQ(models(), std::tuple("twin", "light"));

  // A library file that cannot be copied (a full disk alike) changes nothing.
  EXPECT_EQ(ReplaceFlightModels(plane, temp / "AIR Files/Gone@1#1.air", nullptr).failures.size(), 1u);
  EXPECT_EQ(models(), std::tuple("twin", "light"));
  EXPECT_EQ(std::distance(fs::directory_iterator(plane), {}), 2);

  // A run stopped with the model set aside: the backup is the model in place before, kept by a
  // replacement and put back by a restore.
  fs::remove(plane / "C172.air");
  ReplaceFlightModels(plane, library[1].path, nullptr);
  EXPECT_EQ(Read(plane / "org_C172.air"), "light");
  fs::remove(plane / "C172.air");
  EXPECT_EQ(RestoreFlightModels(plane, nullptr).restored.size(), 1u);
  EXPECT_EQ(Read(plane / "C172.air"), "light");
  EXPECT_FALSE(fs::exists(plane / "org_C172.air"));
}

}
}
