#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <set>
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

using worldtest::ArchiveBuilder;
using worldtest::HandAirport;
using worldtest::OneAirportFile;

// Every index entry refers to a live airport of the tree, under that airport's ident.
void ExpectIndexWithinTree(World& world) {
  std::set<const CAirport*> tree;
  for (auto& [name, region] : world.regionMap)
    ForEachAirport(*region, [&](CAirport& airport) { tree.insert(&airport); });
  for (const auto& [icao, airport] : world.airportIndex) {
    ASSERT_TRUE(tree.count(airport)) << icao << " refers to an airport outside the tree";
    EXPECT_EQ(airport->icao, icao);
  }
}

class WorldArchive : public ::testing::Test {
 protected:
  void Load(World& into, std::span<const std::uint8_t> bytes) {
    WorldArchiveContext loadContext(into, settings, &progress, &prompter);
    LoadRegionMap(bytes, loadContext);
  }
  // The airport TEST of a file of one airport.
  CAirport& LoadOne(World& into, int schema, const HandAirport& airport) {
    Load(into, OneAirportFile(schema, airport));
    CAirport* loaded = into.airportIndex.Find(airport.icao);
    if (loaded == nullptr) throw std::runtime_error("no airport " + airport.icao);
    return *loaded;
  }

  World world;
  Settings settings;
  test::RecordingProgress progress;
  test::RecordingPrompter prompter;
  WorldArchiveContext context{world, settings, &progress, &prompter};
};

// A file written field by field from the format, every field distinct (so that one written or read in
// another's place shows), is loaded and saved again byte for byte.
TEST_F(WorldArchive, ObjectsFileTakesTheDocumentedForm) {
  HandAirport a{.name = "Frankfurt Main", .icao = "EDDF", .sunset = 5000000000};  // beyond 32 bits
  a.parkingCounts = {1, 2, 3, 4, 5, 6, 0, 0, 9, 10, 11, 12, 13, 14};
  a.fuelFlags = 0xABCDEF;
  a.hasILS = 1;
  a.approachLights = 3;
  a.runwayLights = 4;
  a.longestRunway = 4000;
  a.runwayCount = 2;
  a.surfaceMask = 0x11;
  a.landingFee = 321.25f;
  a.comTypeMask = 0x4C;
  a.towerFrequency = 119900;
  a.airportType = 5;
  a.feeSetByUser = 2;
  a.useAirport = 0;
  a.military = 1;
  a.airspaceClass = 'D';
  a.approachComCount = 5;
  a.runways = {{4, 4000, 60}, {0, 2800, 45}};
  a.spaces = {{2, 7.5}, {9, 22.25}, {14, 3.0}};
  const std::vector<std::uint8_t> bytes = OneAirportFile(8, a);

  const CAirport& e = LoadOne(world, 8, a);
  EXPECT_EQ(progress.texts.back(), "Load airport: Frankfurt Main");
  EXPECT_EQ(std::tuple(e.altitude, e.name, e.icao, e.latitude, e.longitude, e.magVar, e.sunrise, e.sunset),
            std::tuple(100.0, a.name, a.icao, 50.0, 8.5, -1.0, TimeValue{1136095200}, a.sunset));
  EXPECT_EQ(e.sceneryFileTime, 1100000000);
  EXPECT_EQ(e.parkingCounts, a.parkingCounts);
  EXPECT_EQ(
      std::tuple(e.fuelFlags, e.hasILS, e.approachLights, e.runwayLights, e.longestRunway, e.runwayCount,
                 e.surfaceMask, e.landingFee, e.comTypeMask, e.towerFrequency, Code(e.airportType)),
      std::tuple(a.fuelFlags, a.hasILS, a.approachLights, a.runwayLights, a.longestRunway, a.runwayCount,
                 a.surfaceMask, a.landingFee, a.comTypeMask, a.towerFrequency, a.airportType));
  EXPECT_EQ(std::tuple(e.feeSetByUser, e.useAirport, e.military, e.airspaceClass, e.approachComCount),
            std::tuple(a.feeSetByUser, a.useAirport, a.military, a.airspaceClass, a.approachComCount));
  decltype(a.runways) runways;
  for (const CRunway& r : e.runways) runways.push_back({r.surface, r.length, r.width});
  EXPECT_EQ(runways, a.runways);
  decltype(a.spaces) spaces;
  for (const CParkingSpace& space : e.parkingSpaces)
    spaces.emplace_back(Code(space.type), double{space.radius});
  EXPECT_EQ(spaces, a.spaces);
  // Loading links the parents as the collection did.
  ASSERT_TRUE(e.city && e.city->state && e.city->state->country);
  EXPECT_EQ(e.city->name + e.city->state->name + e.city->state->country->name, "CiSC");
  EXPECT_EQ(e.city->state->country->region, world.regionMap.Find("R"));

  EXPECT_EQ(SaveRegionMap(context), bytes);
  EXPECT_EQ(progress.texts.back(), "Save airport: Frankfurt Main");
}

// The count says how many patterns follow: all 11 for -1 (by class), none for a count out of range;
// a stored count out of its range is damage.
TEST_F(WorldArchive, PatternCountSaysHowManyPatternsAreStored) {
  // A country "X" as an archive holds it, with the count and as many patterns "P0", "P1", ...
  const auto countryBytes = [](std::int32_t count, int patterns) {
    ArchiveBuilder b;
    b.NewClass("CCountry", 2);
    worldtest::WriteRegionPart(b.ar);
    b.ar.WriteString("X");
    b.ar.WriteI32(count);
    for (int i = 0; i < patterns; ++i) b.ar.WriteString("P" + std::to_string(i));
    b.ar.WriteI32(1);
    b.ar.WriteCount(0);
    return b.bytes;
  };
  struct Case {
    std::int32_t patternCount;
    std::int32_t storedCount;
    int storedPatterns;
  } cases[] = {{3, 3, 3}, {11, 11, 11}, {-1, -1, 11}, {15, 11, 11}, {-7, 0, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.patternCount);
    CCountry country;
    country.name = "X";
    country.patternCount = c.patternCount;
    for (int i = 0; i < CCountry::kMaxPatterns; ++i)
      country.registrationPatterns[i] = "P" + std::to_string(i);
    std::vector<std::uint8_t> bytes;
    CArchive out(bytes, &context);
    out.WriteObject(&country);
    EXPECT_EQ(bytes, countryBytes(c.storedCount, c.storedPatterns));

    CArchive in(bytes, WorldClassRegistry(), &context);
    auto loaded = in.ReadObjectAs<CCountry>("CCountry");
    EXPECT_EQ(loaded->patternCount, c.storedCount);
    for (int i = 0; i < c.storedPatterns; ++i)
      EXPECT_EQ(loaded->registrationPatterns[i], country.registrationPatterns[i]);
  }
  for (std::int32_t count : {12, -2, 0x7FFFFFFF}) {
    const std::vector<std::uint8_t> bytes = countryBytes(count, 12);  // the archive reads it in place
    CArchive in(bytes, WorldClassRegistry(), &context);
    EXPECT_THROW(in.ReadObject(), ArchiveError) << count;
  }
}

TEST_F(WorldArchive, OlderSchemasDeriveMilitaryFromNameAndParking) {
  struct Case {
    const char* label;
    int schema;
    std::string name;
    int parkingType;  // one space of this type; -1 none
    std::int32_t storedMilitary, expectedMilitary;
  } cases[] = {{"AB at the end", 5, "Ramstein AB", -1, 0, 1},
               {"AB inside a word", 5, "LABRADOR", -1, 0, 1},
               {"Ab is not AB", 5, "Abbotsford", -1, 0, 0},
               {"name rule only below schema 6", 6, "Ramstein AB", -1, 0, 0},
               {"stored flag at schema 6", 6, "Test Field", -1, 1, 1},
               {"military cargo parking", 8, "Test Field", 6, 0, 1},
               {"cargo parking", 8, "Test Field", 5, 0, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    HandAirport a{.name = c.name};
    if (c.parkingType >= 0) a.parkingCounts[c.parkingType] = 1;
    a.military = c.storedMilitary;
    World loaded;
    EXPECT_EQ(LoadOne(loaded, c.schema, a).military, c.expectedMilitary);
  }
}

// Hard, 2500 m, lit, avgas: fee 2.5 + 2.5 = 5, times type 4 / 2 = 10.00 with the default fees. Before
// schema 6 a stored fee of -1 means none: fee and type are derived; schemas 3 and 4 set the type,
// schema 4 from the file. A stored type without a name is read as derived. A fee within one percent
// of the normal fee counts as not set by the user.
TEST_F(WorldArchive, StoredFeeAndTypeByOlderSchemas) {
  struct Case {
    const char* label;
    int schema;
    std::int32_t storedType;
    float storedFee;
    std::int32_t expectedType;
    float expectedFee;
    std::int32_t feeSetByUser;  // stored 1 from schema 6
  } cases[] = {{"schema 5 without a fee", 5, -1, -1.0f, 4, 10.0f, 0},
               {"schema 5 trusts a stored fee", 5, -1, 999.0f, -1, 999.0f, 0},
               {"schema 3 sets the type", 3, -1, 0.0f, 4, 10.0f, 0},
               {"schema 4 keeps its stored type", 4, 7, 0.0f, 7, 17.5f, 0},
               {"type 9 has no name", 8, 9, 50.0f, -1, 50.0f, 1},
               {"within one percent above", 8, -1, 10.05f, -1, 10.05f, 0},
               {"two percent below", 8, -1, 9.8f, -1, 9.8f, 1},
               {"no fee stored", 8, -1, -1.0f, 4, 10.0f, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    HandAirport a{
        .surfaceMask = 1, .landingFee = c.storedFee, .airportType = c.storedType, .feeSetByUser = 1};
    a.longestRunway = 2500;
    a.runwayLights = 1;
    a.fuelFlags = 2;
    World loaded;
    const CAirport& airport = LoadOne(loaded, c.schema, a);
    EXPECT_EQ(Code(airport.airportType), c.expectedType);
    EXPECT_EQ(airport.landingFee, c.expectedFee);
    EXPECT_EQ(airport.feeSetByUser, c.feeSetByUser);
    if (c.schema == 5) {
      EXPECT_EQ(airport.useAirport, 1);
      EXPECT_EQ(airport.airspaceClass, 'G');
      EXPECT_TRUE(airport.runways.empty());
    }
  }
}

// A list count beyond the data, or parking counts that add up to more than a scenery file can
// describe (the fleet would try to fill them for days), fail the load.
TEST_F(WorldArchive, CountsBeyondWhatTheFileOrSceneryCanHoldFailTheLoad) {
  std::vector<std::uint8_t> bytes = OneAirportFile(8, HandAirport{});
  // The file ends with the runway and parking counts (0, 0); claim two billion runways.
  bytes.resize(bytes.size() - 4);
  for (int b : {0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80}) bytes.push_back(static_cast<std::uint8_t>(b));
  World loaded;
  EXPECT_THROW(Load(loaded, bytes), ArchiveError);
  EXPECT_TRUE(loaded.airportIndex.empty());

  struct Case {
    std::uint32_t smallRamps, mediumRamps;
    bool loads;
  } cases[] = {
      {kMaxParkingSpaces, 0, true}, {kMaxParkingSpaces, 1, false}, {0xFFFFFFFF, 1, false},  // 32-bit sum 0
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.smallRamps);
    HandAirport a;
    a.parkingCounts[2] = c.smallRamps;
    a.parkingCounts[3] = c.mediumRamps;
    World parked;
    try {
      EXPECT_EQ(LoadOne(parked, 8, a).parkingCounts[2], c.smallRamps);
      EXPECT_TRUE(c.loads);
    } catch (const ArchiveError& e) {
      EXPECT_FALSE(c.loads);
      EXPECT_NE(std::string(e.what()).find("airport TEST has"), std::string::npos) << e.what();
    }
  }
}

TEST_F(WorldArchive, ReplacedRegionLeavesNoFreedAirportInTheIndex) {
  FindOrCreateAirport(world, "Europe", "Germany", "Hesse", "Frankfurt", "EDDF", 0);
  CAirport* munich = FindOrCreateAirport(world, "Europe", "Germany", "Bavaria", "Munich", "EDDM", 0);
  CAirport* asian = FindOrCreateAirport(world, "Asia", "Japan", "Kanto", "Tokyo", "RJTT", 0);
  auto plane = std::make_unique<CPlane>();
  plane->homeAirport = munich;
  munich->planes.Insert("D-EXXX", plane.get());
  world.registrationIndex.Insert("D-EXXX", std::move(plane));

  World other;
  FindOrCreateAirport(other, "Europe", "Germany", "Hesse", "Frankfurt", "EDDF", 0)->name = "from the file";
  WorldArchiveContext otherContext(other, settings);
  LoadRegionMap(SaveRegionMap(otherContext), context);
  EXPECT_EQ(world.regionMap.size(), 2u);
  EXPECT_EQ(world.airportIndex.Find("EDDM"), nullptr);
  EXPECT_EQ(world.airportIndex.Find("EDDF")->name, "from the file");
  EXPECT_EQ(world.airportIndex.Find("RJTT"), asian);
  EXPECT_TRUE(world.registrationIndex.empty()) << "the fleet is discarded by a load";
  ExpectIndexWithinTree(world);
}

TEST_F(WorldArchive, FaultKeepsCompletedEntriesAndNoFreedAirportInTheIndex) {
  World source;
  FindOrCreateAirport(source, "Alpha", "C", "S", "A", "AAAA", 0);
  FindOrCreateAirport(source, "Beta", "C", "S", "B", "BBB1", 0);
  FindOrCreateAirport(source, "Beta", "C", "S", "B", "BBB2", 0);
  WorldArchiveContext sourceContext(source, settings);
  std::vector<std::uint8_t> bytes = SaveRegionMap(sourceContext);
  bytes.resize(bytes.size() - 10);  // inside BBB2, after BBB1 was read and indexed

  World loaded;
  EXPECT_THROW(Load(loaded, bytes), ArchiveError);
  EXPECT_EQ(loaded.regionMap.size(), 1u);
  EXPECT_NE(loaded.regionMap.Find("Alpha"), nullptr);
  EXPECT_EQ(loaded.airportIndex.size(), 1u);
  EXPECT_NE(loaded.airportIndex.Find("AAAA"), nullptr);
  ExpectIndexWithinTree(loaded);
}

TEST_F(WorldArchive, ValueOfTheWrongKindFailsTheLoad) {
  // A model map holding an airport: the airport is read, indexed and dropped again.
  ArchiveBuilder models;
  models.ar.WriteCount(1);
  models.ar.WriteString("TEST");
  models.NewClass("CAirport", 8);
  worldtest::WriteCityPart(models.ar);
  worldtest::WriteAirportFields(models.ar, 8, HandAirport{});
  try {
    LoadAircraftTypes(models.bytes, context);
    ADD_FAILURE() << "no error";
  } catch (const ArchiveError& e) {
    EXPECT_NE(std::string(e.what()).find("reference of the wrong kind"), std::string::npos) << e.what();
  }
  EXPECT_TRUE(world.aircraftTypes.empty());
  EXPECT_EQ(world.airportIndex.Find("TEST"), nullptr);

  const std::vector<std::uint8_t> nullValue = {0x01, 0x00, 0x01, 'N', 0x00, 0x00};
  EXPECT_THROW(LoadRegionMap(nullValue, context), ArchiveError);
}

TEST(WorldFleet, DiscardDeletesPlanesAndEmptiesEveryAirportsPlanes) {
  World world;
  CAirport* indexed = FindOrCreateAirport(world, "R", "C", "S", "A", "XXXX", 0);
  CAirport* shadowed = FindOrCreateAirport(world, "R", "C", "S", "B", "YYYY", 0);
  // Indexing another airport under YYYY leaves `shadowed` outside the index, with its planes.
  FindOrCreateAirport(world, "R", "C", "S", "C", "YYYY", 0);
  ASSERT_NE(world.airportIndex.Find("YYYY"), shadowed);

  auto addPlane = [&](const std::string& registration, CAirport* home) {
    auto plane = std::make_unique<CPlane>();
    plane->registration = registration;
    plane->homeAirport = home;
    home->planes.Insert(registration, plane.get());
    world.registrationIndex.Insert(registration, std::move(plane));
  };
  addPlane("D-EAAA", indexed);
  addPlane("D-EAAB", shadowed);

  world.DiscardFleet();
  EXPECT_TRUE(world.registrationIndex.empty());
  EXPECT_TRUE(indexed->planes.empty());
  EXPECT_TRUE(shadowed->planes.empty());
  EXPECT_EQ(world.regionMap.size(), 1u);
}

constexpr double kGallonsPerLiter = 0.26418096292197013;

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

using AircraftArchive = WorldArchive;

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
               {"only bits above 5", ~0x3F, 0, 0},
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
