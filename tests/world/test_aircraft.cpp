#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <tuple>

#include "support/recording.h"
#include "traffic/fleet_test_world.h"
#include "world/aircraft.h"
#include "world/plane.h"
#include "world/world.h"
#include "world/world_archive.h"
#include "world_test_support.h"

namespace wf {
namespace {

using test::RecordingProgress;
using test::RecordingPrompter;
using worldtest::ArchiveBuilder;

constexpr double kGallonsPerLiter = 0.26418096292197013;

TEST(AircraftMoneyPerWeek, PricesTheTankForSevenDaysOfTenFills) {
  struct Case {
    std::int32_t fuelType;
    std::int32_t fuelCapacity;
    float expected;
  } cases[] = {
      {0, 200, 0.0f},
      {-1, 200, 0.0f},
      {1, 200, static_cast<float>(200 * kGallonsPerLiter * 70 * 2.65)},
      {2, 1000, static_cast<float>(1000 * kGallonsPerLiter * 70 * 2.54)},
      {3, 200, 0.0f},  // no price for other fuel types
  };
  for (const Case& c : cases) {
    CAircraft model;
    model.fuelType = FuelType{c.fuelType};
    model.fuelCapacity = c.fuelCapacity;
    EXPECT_FLOAT_EQ(model.ComputeMoneyPerWeek(), c.expected) << "fuel type " << c.fuelType;
  }
}

// A model as an archive of `schema` holds it, every field distinct so that one out of its place shows
// (the archive keeps any number).
void WriteModel(CArchive& ar, int schema, const std::string& name) {
  ar.WriteString(name);
  for (std::int32_t v : {120, 50, 600, 5, 200, 1, 700, 1100, 2, 11, 13800}) ar.WriteI32(v);
  if (schema >= 5)
    ar.WriteFloat(80.0f);
  else
    ar.WriteI32(80);
  ar.WriteFloat(1.0f);  // money per week
  ar.WriteFloat(35.5f);
  for (std::int32_t v : {1, 2, 0x3F, 3}) ar.WriteI32(v);
  if (schema >= 3)
    for (std::int32_t v : {4, 5, 6}) ar.WriteI32(v);
}

std::vector<std::uint8_t> ModelFile(int schema, const std::vector<std::string>& names) {
  ArchiveBuilder b;
  b.ar.WriteCount(static_cast<std::uint32_t>(names.size()));
  for (std::size_t i = 0; i < names.size(); ++i) {
    b.ar.WriteString(names[i]);
    if (i == 0)
      b.NewClass("CAircraft", static_cast<std::uint16_t>(schema));
    else
      b.KnownClass(1);
    WriteModel(b.ar, schema, names[i]);
  }
  return b.bytes;
}

struct HandVariation {
  std::string title;
  std::string model;
  std::uint16_t storedNumber = 999;
};

std::vector<std::uint8_t> VariationFile(int schema, const std::vector<HandVariation>& variations) {
  ArchiveBuilder b;
  b.ar.WriteCount(static_cast<std::uint32_t>(variations.size()));
  for (std::size_t i = 0; i < variations.size(); ++i) {
    const HandVariation& v = variations[i];
    b.ar.WriteString(v.title);
    if (i == 0)
      b.NewClass("CAI_Aircraft", static_cast<std::uint16_t>(schema));
    else
      b.KnownClass(1);
    b.ar.WriteString(v.model);
    b.ar.WriteU16(v.storedNumber);
    b.ar.WriteString(v.title);
    if (schema <= 3)
      b.ar.WriteU8(200);
    else
      b.ar.WriteFloat(12.5f);
    b.ar.WriteI32(1);       // useForGA
    b.ar.WriteFloat(2.0f);  // moneyPerWeek
    b.ar.WriteI32(0b11);    // usage
    b.ar.WriteI32(7);       // percentage
  }
  return b.bytes;
}

class AircraftArchive : public ::testing::Test {
 protected:
  World world;
  Settings settings;
  RecordingProgress progress;
  RecordingPrompter prompter;
  WorldArchiveContext context{world, settings, &progress, &prompter};
};

// Files written field by field from the format load into these values and save again byte for byte.
TEST_F(AircraftArchive, ModelsAndVariationsTakeTheDocumentedForm) {
  const auto models = ModelFile(5, {"Baron Wingfold", "Wingfold Cub"});
  const auto variations = VariationFile(5, {{"Baron red", "Baron Wingfold", 1}, {"Cub", "Wingfold Cub", 2}});
  LoadAircraftTypes(models, context);
  LoadAircraftNames(variations, context);
  EXPECT_EQ(progress.texts.back(), "Load AI aircraft: Cub");
  const CAircraft& m = *world.aircraftTypes.Find("Baron Wingfold");
  EXPECT_EQ(std::tuple(m.cruiseSpeed, m.stallSpeed, m.range, Code(m.engineType), m.fuelCapacity,
                       Code(m.fuelType), m.emptyWeight, m.maxWeight, m.engineCount, m.wingSpan, m.ceiling),
            std::tuple(120, 50, 600, 5, 200, 1, 700, 1100, 2, 11, 13800));
  EXPECT_EQ(std::tuple(m.probability, m.moneyPerWeek, m.fuelFlow), std::tuple(80.0f, 1.0f, 35.5f));
  EXPECT_EQ(std::tuple(m.hasWheels, m.useForGA, m.usage, m.ifr, m.amphibian, m.skis, m.bushPlane),
            std::tuple(1, 2, 0x3F, 3, 4, 5, 6));
  const CAI_Aircraft& v = *world.aircraftNames.Find("Baron red");
  EXPECT_EQ(v.aircraft, &m);
  EXPECT_EQ(std::tuple(v.number, v.probability, v.useForGA, v.moneyPerWeek, v.usage, v.percentage),
            std::tuple(1, 12.5f, 1, 2.0f, 3, 7));
  // A model whose name starts with the program's name is an AI copy.
  EXPECT_EQ(v.isAICopy, 0);
  EXPECT_EQ(world.aircraftNames.Find("Cub")->isAICopy, 1);

  EXPECT_EQ(SaveAircraftTypes(context), models);
  EXPECT_EQ(SaveAircraftNames(context), variations);
  EXPECT_EQ(progress.texts.back(), "Save AI aircraft: Cub");
  EXPECT_TRUE(prompter.messages.empty());
}

// Before schema 5 the money per week is worked out again from the tank (200 l of avgas) and the
// probability is a whole number (a byte for variations); schema 2 has no gear flags.
TEST_F(AircraftArchive, OlderSchemas) {
  const float money = static_cast<float>(200 * kGallonsPerLiter * 70 * 2.65);
  for (int schema : {2, 3}) {
    World loaded;
    WorldArchiveContext loadContext(loaded, settings, &progress, &prompter);
    LoadAircraftTypes(ModelFile(schema, {"First", "Second"}), loadContext);
    ASSERT_EQ(loaded.aircraftTypes.size(), 2u);
    const CAircraft& m = *loaded.aircraftTypes.Find("Second");
    EXPECT_FLOAT_EQ(m.moneyPerWeek, money);
    EXPECT_EQ(std::tuple(m.cruiseSpeed, m.probability, m.fuelFlow, m.usage, m.ifr),
              std::tuple(120, 80.0f, 35.5f, 0x3F, 3));
    EXPECT_EQ(std::tuple(m.amphibian, m.skis, m.bushPlane),
              schema >= 3 ? std::tuple(4, 5, 6) : std::tuple(0, 0, 0));
  }
  LoadAircraftTypes(ModelFile(3, {"Piper"}), context);
  LoadAircraftNames(VariationFile(3, {{"Piper blue", "Piper"}}), context);
  const CAI_Aircraft& variation = *world.aircraftNames.Find("Piper blue");
  EXPECT_EQ(variation.probability, 200.0f);
  EXPECT_FLOAT_EQ(variation.moneyPerWeek, money);
  EXPECT_EQ(variation.percentage, 7);
}

TEST_F(AircraftArchive, VariationsAreNumberedInLoadOrder) {
  LoadAircraftTypes(ModelFile(5, {"M"}), context);
  world.aiAircraftCounter = 10;
  LoadAircraftNames(VariationFile(5, {{"Zulu", "M", 77}, {"Alpha", "M", 5}, {"Mike", "M", 900}}), context);
  EXPECT_EQ(world.aircraftNames.Find("Zulu")->number, 11);
  EXPECT_EQ(world.aircraftNames.Find("Alpha")->number, 12);
  EXPECT_EQ(world.aircraftNames.Find("Mike")->number, 13);
}

TEST_F(AircraftArchive, MissingModelWarnsOncePerRecordAndKeepsTheVariation) {
  LoadAircraftTypes(ModelFile(5, {"Present"}), context);
  LoadAircraftNames(VariationFile(5, {{"A", "Gone"}, {"B", "Present"}, {"C", "Also gone"}}), context);
  EXPECT_EQ(prompter.messages,
            (std::vector<std::string>(
                2, "Warning, the needed Aircraft is deleted. Please rebuild the data base!")));
  ASSERT_EQ(world.aircraftNames.size(), 3u);
  EXPECT_EQ(world.aircraftNames.Find("A")->aircraft, nullptr);
  EXPECT_EQ(world.aircraftNames.Find("A")->warningShown, 1);
  EXPECT_NE(world.aircraftNames.Find("B")->aircraft, nullptr);

  // Stored again, a variation without its model carries an empty model name.
  world.aircraftTypes.Clear();
  for (auto& [title, variation] : world.aircraftNames) variation->aircraft = nullptr;
  const auto bytes = SaveAircraftNames(context);
  World reloaded;
  WorldArchiveContext reloadContext(reloaded, settings, nullptr, &prompter);
  prompter.messages.clear();
  LoadAircraftNames(bytes, reloadContext);
  EXPECT_EQ(reloaded.aircraftNames.size(), 3u);
  EXPECT_EQ(prompter.messages.size(), 3u);
}

TEST_F(AircraftArchive, ReplacedModelHandsItsVariationsToTheReplacement) {
  LoadAircraftTypes(ModelFile(5, {"M"}), context);
  LoadAircraftNames(VariationFile(5, {{"V", "M"}}), context);
  LoadAircraftTypes(ModelFile(5, {"M"}), context);
  EXPECT_EQ(world.aircraftNames.Find("V")->aircraft, world.aircraftTypes.Find("M"));
}

TEST(PlaneCategory, DrawsOnceFromTheCategoryBitsOfTheUsageMask) {
  struct Case {
    const char* label;
    std::optional<std::int32_t> usage;  // none: no aircraft
    int expectedCategory;
    int expectedDraws;
  } cases[] = {// With seed 1 the first draw is 41.
               {"no aircraft: private without a draw", std::nullopt, 0, 0},
               {"no category bits", 0, 0, 0},
               {"only bits above 5", ~0x3F, 0, 0},
               {"only bit 4", 1 << 4, 4, 1},
               {"bits 0 and 2: 41 % 2 picks bit 2", 0b101, 2, 1},
               {"all bits: 41 % 6 picks bit 5", -1, 5, 1},
               {"bits 1, 3 and 6: 41 % 2 picks bit 3", 0b1001010, 3, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    std::uint16_t counter = 0;
    CAircraft model;
    CAI_Aircraft variation(model, counter);
    variation.usage = c.usage.value_or(0);
    Random random(1);
    const CPlane plane("D-EFGH", nullptr, c.usage ? &variation : nullptr, random);
    EXPECT_EQ(plane.category, c.expectedCategory);
    EXPECT_EQ(test::DrawsBetween(1, random), c.expectedDraws);
  }
}

}
}
