#include <gtest/gtest.h>

#include <memory>

#include "support/recording.h"
#include "world/aircraft.h"
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

TEST(AircraftRecords, VariationTakesOverTheModelAndNumbersFollowConstruction) {
  std::uint16_t counter = 40;
  CAircraft model;
  model.name = "Wingfold Cessna 172";
  model.probability = 35.0f;
  model.usage = 0b100101;
  model.moneyPerWeek = 812.5f;
  CAI_Aircraft first(model, counter);
  CAI_Aircraft second(counter);
  EXPECT_EQ(first.number, 41);
  EXPECT_EQ(second.number, 42);
  EXPECT_EQ(counter, 42);
  EXPECT_EQ(first.aircraft, &model);
  EXPECT_EQ(first.isAICopy, 1);
  EXPECT_EQ(first.probability, 35.0f);
  EXPECT_EQ(first.usage, 0b100101);
  EXPECT_EQ(first.moneyPerWeek, 812.5f);

  model.name = "Cessna Wingfold";
  EXPECT_EQ(CAI_Aircraft(model, counter).isAICopy, 0);
}

// A model as an archive of `schema` holds it; the fields that the schemas treat alike are fixed.
void WriteModel(CArchive& ar, int schema, const std::string& name, std::int32_t fuelType,
                std::int32_t fuelCapacity, float storedMoney) {
  ar.WriteString(name);
  for (std::int32_t v : {120, 50, 600, 0, fuelCapacity, fuelType, 700, 1100, 1, 11, 13800}) ar.WriteI32(v);
  if (schema >= 5)
    ar.WriteFloat(80.0f);
  else
    ar.WriteI32(80);
  ar.WriteFloat(storedMoney);
  ar.WriteFloat(35.5f);
  for (std::int32_t v : {1, 1, 0x3F, 1}) ar.WriteI32(v);
  if (schema >= 3)
    for (std::int32_t v : {1, 1, 1}) ar.WriteI32(v);
}

std::vector<std::uint8_t> ModelFile(int schema, const std::vector<std::string>& names,
                                    std::int32_t fuelType = 1) {
  ArchiveBuilder b;
  b.ar.WriteCount(static_cast<std::uint32_t>(names.size()));
  for (std::size_t i = 0; i < names.size(); ++i) {
    b.ar.WriteString(names[i]);
    if (i == 0)
      b.NewClass("CAircraft", static_cast<std::uint16_t>(schema));
    else
      b.KnownClass(1);
    WriteModel(b.ar, schema, names[i], fuelType, 200, 1.0f);
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

TEST_F(AircraftArchive, RoundTripKeepsEveryArchivedField) {
  auto& model = world.aircraftTypes.Insert("Beech Baron", std::make_unique<CAircraft>());
  model.name = "Beech Baron";
  model.ifr = 1;
  model.hasWheels = 1;
  model.useForGA = 1;
  model.fuelFlow = 60.25f;
  model.moneyPerWeek = 1234.5f;
  model.probability = 42.0f;
  model.ceiling = 23000;
  model.wingSpan = 12;
  model.engineCount = 2;
  model.maxWeight = 2500;
  model.emptyWeight = 1600;
  model.fuelType = FuelType::kAvgas;
  model.fuelCapacity = 700;
  model.range = 900;
  model.cruiseSpeed = 200;
  model.stallSpeed = 75;
  model.engineType = EngineType::kPiston;
  model.usage = 0b110000;
  model.amphibian = 1;
  model.bushPlane = 1;
  model.skis = 1;
  auto& variation =
      world.aircraftNames.Insert("Baron red", std::make_unique<CAI_Aircraft>(model, world.aiAircraftCounter));
  variation.title = "Baron red";
  variation.percentage = 13;
  variation.probability = 7.5f;

  const auto types = SaveAircraftTypes(context);
  const auto names = SaveAircraftNames(context);
  EXPECT_EQ(progress.texts,
            (std::vector<std::string>{"Save aircraft: Beech Baron", "Save AI aircraft: Baron red"}));

  World loaded;
  WorldArchiveContext loadContext(loaded, settings, &progress, &prompter);
  LoadAircraftTypes(types, loadContext);
  LoadAircraftNames(names, loadContext);
  EXPECT_EQ(progress.texts.back(), "Load AI aircraft: Baron red");
  EXPECT_EQ(SaveAircraftTypes(loadContext), types);
  EXPECT_EQ(SaveAircraftNames(loadContext), names);
  // Saved again, the loaded records give the same bytes: every field came back.
  const CAircraft* model2 = loaded.aircraftTypes.Find("Beech Baron");
  ASSERT_NE(model2, nullptr);
  EXPECT_EQ(model2->moneyPerWeek, 1234.5f);  // kept at schema 5
  const CAI_Aircraft* variation2 = loaded.aircraftNames.Find("Baron red");
  ASSERT_NE(variation2, nullptr);
  EXPECT_EQ(variation2->aircraft, model2);
  EXPECT_EQ(variation2->number, 1);
  EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(AircraftArchive, SchemaThreeRecomputesMoneyAndReadsOneByteProbability) {
  LoadAircraftTypes(ModelFile(3, {"Wingfold Piper"}), context);
  const CAircraft* model = world.aircraftTypes.Find("Wingfold Piper");
  ASSERT_NE(model, nullptr);
  const float money = static_cast<float>(200 * kGallonsPerLiter * 70 * 2.65);
  EXPECT_FLOAT_EQ(model->moneyPerWeek, money);
  EXPECT_EQ(model->probability, 80.0f);
  EXPECT_EQ(model->fuelFlow, 35.5f);
  EXPECT_EQ(model->amphibian, 1);
  EXPECT_EQ(model->usage, 0x3F);

  LoadAircraftNames(VariationFile(3, {{"Piper blue", "Wingfold Piper"}}), context);
  const CAI_Aircraft* variation = world.aircraftNames.Find("Piper blue");
  ASSERT_NE(variation, nullptr);
  EXPECT_EQ(variation->probability, 200.0f);
  EXPECT_FLOAT_EQ(variation->moneyPerWeek, money);
  EXPECT_EQ(variation->isAICopy, 1);
  EXPECT_EQ(variation->percentage, 7);
}

TEST_F(AircraftArchive, SchemaTwoModelsHaveNoGearFlags) {
  LoadAircraftTypes(ModelFile(2, {"First", "Second"}), context);
  ASSERT_EQ(world.aircraftTypes.size(), 2u);
  for (const char* name : {"First", "Second"}) {
    const CAircraft* model = world.aircraftTypes.Find(name);
    ASSERT_NE(model, nullptr) << name;
    EXPECT_EQ(model->amphibian, 0);
    EXPECT_EQ(model->skis, 0);
    EXPECT_EQ(model->bushPlane, 0);
    EXPECT_EQ(model->ifr, 1);
    EXPECT_EQ(model->cruiseSpeed, 120);
  }
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

}
}
