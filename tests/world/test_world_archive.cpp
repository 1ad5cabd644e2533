#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string_view>

#include "support/recording.h"
#include "world/world.h"
#include "world/world_archive.h"
#include "world_test_support.h"

namespace wf {
namespace {

using test::RecordingProgress;
using test::RecordingPrompter;
using worldtest::ArchiveBuilder;
using worldtest::HandAirport;
using worldtest::OneAirportFile;

std::set<const CAirport*> TreeAirports(World& world) {
  std::set<const CAirport*> airports;
  for (auto& [name, region] : world.regionMap)
    ForEachAirport(*region, [&](CAirport& airport) { airports.insert(&airport); });
  return airports;
}

// Every index entry refers to a live airport of the tree, under that airport's ident.
void ExpectIndexWithinTree(World& world) {
  const std::set<const CAirport*> tree = TreeAirports(world);
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
  CAirport& Loaded(World& from, const std::string& icao) {
    CAirport* airport = from.airportIndex.Find(icao);
    if (airport == nullptr) throw std::runtime_error("no airport " + icao);
    return *airport;
  }

  World world;
  Settings settings;
  RecordingProgress progress;
  RecordingPrompter prompter;
  WorldArchiveContext context{world, settings, &progress, &prompter};
};

TEST_F(WorldArchive, ObjectsFileTakesTheDocumentedForm) {
  auto& region = world.regionMap.Insert("Europe", std::make_unique<CRegion>());
  region.name = "Europe";
  for (const char* name : {"Denmark", "Germany"}) {
    auto& country = region.countries.Insert(name, std::make_unique<CCountry>());
    country.name = name;
    country.region = &region;
  }

  std::vector<std::uint8_t> expected;
  auto hex = [&](std::initializer_list<int> bytes) {
    for (int b : bytes) expected.push_back(static_cast<std::uint8_t>(b));
  };
  auto text = [&](std::string_view s) { expected.insert(expected.end(), s.begin(), s.end()); };
  auto countryBody = [&](std::string_view name) {
    hex({0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00});  // region-level part: "", use 1, empty map
    hex({static_cast<int>(name.size())});
    text(name);
    hex({0x03, 0x00, 0x00, 0x00});
    for (std::string_view pattern : {"N!!!!!", "N!!!!.", "N!!!.."}) {
      hex({0x06});
      text(pattern);
    }
    hex({0x01, 0x00, 0x00, 0x00, 0x00, 0x00});  // countryUse 1, no states
  };
  hex({0x01, 0x00, 0x06});
  text("Europe");
  hex({0xFF, 0xFF, 0x02, 0x00, 0x07, 0x00});
  text("CRegion");
  hex({0x06});
  text("Europe");
  hex({0x01, 0x00, 0x00, 0x00, 0x02, 0x00, 0x07});
  text("Denmark");
  hex({0xFF, 0xFF, 0x02, 0x00, 0x08, 0x00});
  text("CCountry");
  countryBody("Denmark");
  hex({0x07});
  text("Germany");
  hex({0x03, 0x80});  // CCountry took index 3: CRegion 1, the region 2
  countryBody("Germany");

  EXPECT_EQ(SaveRegionMap(context), expected);
}

TEST_F(WorldArchive, PatternCountSaysHowManyPatternsAreStored) {
  struct Case {
    std::int32_t patternCount;
    std::int32_t storedCount;
    int storedPatterns;
  } cases[] = {{0, 0, 0}, {3, 3, 3}, {11, 11, 11}, {-1, -1, 11}, {15, 11, 11}, {-7, 0, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.patternCount);
    CCountry country;
    country.name = "X";
    country.patternCount = c.patternCount;
    country.registrationPatterns[10] = "last";

    ArchiveBuilder expected;
    expected.NewClass("CCountry", 2);
    worldtest::WriteDefaultRegionPart(expected.ar);
    expected.ar.WriteString("X");
    expected.ar.WriteI32(c.storedCount);
    for (int i = 0; i < c.storedPatterns; ++i) expected.ar.WriteString(country.registrationPatterns[i]);
    expected.ar.WriteI32(1);
    expected.ar.WriteCount(0);

    std::vector<std::uint8_t> bytes;
    CArchive out(bytes, &context);
    out.WriteObject(&country);
    EXPECT_EQ(bytes, expected.bytes);

    CArchive in(bytes, WorldClassRegistry(), &context);
    auto loaded = in.ReadObjectAs<CCountry>("CCountry");
    EXPECT_EQ(loaded->patternCount, c.storedCount);
    for (int i = 0; i < c.storedPatterns; ++i)
      EXPECT_EQ(loaded->registrationPatterns[i], country.registrationPatterns[i]);
  }
}

TEST_F(WorldArchive, PatternCountOutsideItsRangeFailsTheLoad) {
  for (std::int32_t count : {12, -2, 0x7FFFFFFF}) {
    ArchiveBuilder b;
    b.NewClass("CCountry", 2);
    worldtest::WriteDefaultRegionPart(b.ar);
    b.ar.WriteString("X");
    b.ar.WriteI32(count);
    for (int i = 0; i < 12; ++i) b.ar.WriteString("P");
    b.ar.WriteI32(1);
    b.ar.WriteCount(0);
    CArchive in(b.bytes, WorldClassRegistry(), &context);
    EXPECT_THROW(in.ReadObject(), ArchiveError) << count;
  }
}

TEST_F(WorldArchive, RoundTripKeepsTheTreeAndEveryAirportField) {
  CAirport* airport =
      FindOrCreateAirport(world, "Europe", "Germany", "Hesse", "Frankfurt", "EDDF", 1100000000);
  CCountry* germany = world.regionMap.Find("Europe")->countries.Find("Germany");
  germany->patternCount = -1;
  germany->registrationPatterns[4] = "D-E!!!";
  germany->countryUse = 0;
  world.regionMap.Find("Europe")->use = 0;
  airport->name = "Frankfurt Main";
  airport->altitude = 111.5;
  airport->latitude = 50.0333;
  airport->longitude = 8.5706;
  airport->magVar = -1.5;
  airport->sunrise = 1136102400;
  airport->sunset = 5000000000;  // beyond 32 bits
  airport->parkingCounts = {1, 2, 3, 4, 5, 6, 0, 0, 9, 10, 11, 12, 13, 14};
  airport->fuelFlags = 0xABCDEF;
  airport->hasILS = 1;
  airport->approachLights = 3;
  airport->runwayLights = 4;
  airport->longestRunway = 4000;
  airport->runwayCount = 2;
  airport->surfaceMask = 0x11;
  airport->landingFee = 321.25f;
  airport->comTypeMask = 0x4C;
  airport->towerFrequency = 119900;
  airport->airportType = AirportType::kSmallCommercial;
  airport->feeSetByUser = 1;
  airport->useAirport = 0;
  airport->military = 1;
  airport->airspaceClass = 'D';
  airport->approachComCount = 2;
  airport->runways = {{4, 4000, 60}, {0, 2800, 45}};
  airport->parkingSpaces = {
      {ParkingType::kRampGaSmall, 7.5}, {ParkingType::kGateMedium, 22.25}, {ParkingType{14}, 3.0}};
  FindOrCreateAirport(world, "Asia", "Japan", "Kanto", "Tokyo", "RJTT", 0);

  const auto bytes = SaveRegionMap(context);
  EXPECT_EQ(progress.texts, (std::vector<std::string>{"Save airport: ", "Save airport: Frankfurt Main"}));

  World loaded;
  Load(loaded, bytes);
  WorldArchiveContext loadedContext(loaded, settings);
  EXPECT_EQ(SaveRegionMap(loadedContext), bytes);
  EXPECT_EQ(progress.texts.back(), "Load airport: Frankfurt Main");

  CAirport& eddf = Loaded(loaded, "EDDF");
  EXPECT_EQ(eddf.sunset, 5000000000);
  EXPECT_EQ(eddf.runways.size(), 2u);
  const double radius = eddf.parkingSpaces[1].radius;  // packed: no reference to the member
  EXPECT_EQ(radius, 22.25);
  EXPECT_EQ(eddf.airspaceClass, 'D');
  EXPECT_EQ(eddf.feeSetByUser, 1);
  EXPECT_EQ(eddf.useAirport, 0);
  EXPECT_EQ(Loaded(loaded, "RJTT").name, "");
  // Loading links the parents as the collection did.
  CCity* city = eddf.city;
  ASSERT_NE(city, nullptr);
  EXPECT_EQ(city->name, "Frankfurt");
  ASSERT_NE(city->state, nullptr);
  EXPECT_EQ(city->state->name, "Hesse");
  ASSERT_NE(city->state->country, nullptr);
  EXPECT_EQ(city->state->country->name, "Germany");
  EXPECT_EQ(city->state->country->region, loaded.regionMap.Find("Europe"));
  EXPECT_EQ(city->state->country->registrationPatterns[4], "D-E!!!");
  ExpectIndexWithinTree(loaded);
}

struct OlderSchemaCase {
  const char* label;
  int schema;
  HandAirport airport;
  std::int32_t expectedMilitary;
};

TEST_F(WorldArchive, OlderSchemasDeriveMilitaryFromNameAndParking) {
  auto named = [](const char* name) {
    HandAirport a;
    a.name = name;
    return a;
  };
  auto withParking = [](int type, std::int32_t storedMilitary) {
    HandAirport a;
    a.parkingCounts[type] = 1;
    a.military = storedMilitary;
    return a;
  };
  HandAirport storedMilitary;
  storedMilitary.military = 1;
  const OlderSchemaCase cases[] = {
      {"AB at the end", 5, named("Ramstein AB"), 1},
      {"AB inside a word", 5, named("LABRADOR"), 1},
      {"Ab is not AB", 5, named("Abbotsford"), 0},
      {"NAS", 5, named("Miramar NAS"), 1},
      {"RAF", 5, named("RAF Lakenheath"), 1},
      {"Army", 5, named("Fort Army Field"), 1},
      {"navy in lower case", 5, named("navy pier"), 0},
      {"AFB", 3, named("Edwards AFB"), 1},
      {"plain name", 5, named("Frankfurt Main"), 0},
      {"name rule only below schema 6", 6, named("Ramstein AB"), 0},
      {"stored flag at schema 6", 6, storedMilitary, 1},
      {"military cargo parking", 8, withParking(6, 0), 1},
      {"military combat parking", 8, withParking(7, 0), 1},
      {"military parking at schema 5", 5, withParking(7, 0), 1},
      {"cargo parking", 8, withParking(5, 0), 0},
  };
  for (const OlderSchemaCase& c : cases) {
    SCOPED_TRACE(c.label);
    World loaded;
    Load(loaded, OneAirportFile(c.schema, c.airport));
    EXPECT_EQ(Loaded(loaded, "TEST").military, c.expectedMilitary);
  }
}

// Hard, 2500 m, lit, avgas: fee 2.5 + 2.5 = 5, times type 4 / 2 = 10.00 with the default fees.
HandAirport TenUnitAirport() {
  HandAirport a;
  a.surfaceMask = 1;
  a.longestRunway = 2500;
  a.runwayLights = 1;
  a.fuelFlags = 2;
  return a;
}

// Before schema 6 a stored fee of -1 means none: fee and type are derived; schemas 3 and 4 set
// the type, schema 4 from the file. A stored type without a name is read as derived.
TEST_F(WorldArchive, StoredFeeAndTypeByOlderSchemas) {
  struct Case {
    const char* label;
    int schema;
    std::int32_t storedType;
    float storedFee;
    std::int32_t expectedType;
    float expectedFee;
  } cases[] = {
      {"schema 5 without a fee", 5, -1, -1.0f, 4, 10.0f},
      {"schema 5 trusts a stored fee", 5, -1, 999.0f, -1, 999.0f},
      {"schema 3 sets the type", 3, -1, 0.0f, 4, 10.0f},
      {"schema 4 keeps its stored type", 4, 7, 0.0f, 7, 17.5f},
      {"type 9 has no name", 8, 9, 50.0f, -1, 50.0f},
      {"type -2 has no name", 8, -2, 50.0f, -1, 50.0f},
      {"type 1000 has no name", 8, 1000, 50.0f, -1, 50.0f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    HandAirport a = TenUnitAirport();
    a.airportType = c.storedType;
    a.landingFee = c.storedFee;
    World loaded;
    Load(loaded, OneAirportFile(c.schema, a));
    CAirport& airport = Loaded(loaded, "TEST");
    EXPECT_EQ(Code(airport.airportType), c.expectedType);
    EXPECT_EQ(airport.landingFee, c.expectedFee);
    if (c.schema == 5) {
      EXPECT_EQ(airport.feeSetByUser, 0);
      EXPECT_EQ(airport.useAirport, 1);
      EXPECT_EQ(airport.airspaceClass, 'G');
      EXPECT_TRUE(airport.runways.empty());
      EXPECT_TRUE(airport.parkingSpaces.empty());
    }
  }
}

TEST_F(WorldArchive, FeeWithinOnePercentOfNormalCountsAsNotSetByUser) {
  struct Case {
    float storedFee;
    std::int32_t expectedFeeSetByUser;
    float expectedFee;
  } cases[] = {
      {10.05f, 0, 10.05f}, {10.00f, 0, 10.0f}, {9.95f, 0, 9.95f},
      {10.20f, 1, 10.20f}, {9.80f, 1, 9.80f},  {-1.0f, 0, 10.0f},  // -1: no fee stored
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.storedFee);
    HandAirport a = TenUnitAirport();
    a.landingFee = c.storedFee;
    a.feeSetByUser = 1;
    World loaded;
    Load(loaded, OneAirportFile(8, a));
    EXPECT_EQ(Loaded(loaded, "TEST").feeSetByUser, c.expectedFeeSetByUser);
    EXPECT_EQ(Loaded(loaded, "TEST").landingFee, c.expectedFee);
  }
}

TEST_F(WorldArchive, ListCountBeyondTheDataFailsTheLoad) {
  std::vector<std::uint8_t> bytes = OneAirportFile(8, HandAirport{});
  // The file ends with the runway and parking counts (0, 0); claim two billion runways.
  bytes.resize(bytes.size() - 4);
  for (int b : {0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80}) bytes.push_back(static_cast<std::uint8_t>(b));
  World loaded;
  EXPECT_THROW(Load(loaded, bytes), ArchiveError);
  EXPECT_TRUE(loaded.airportIndex.empty());
}

// A scenery file cannot describe more parking spaces than kMaxParkingSpaces at one airport; larger
// counts are damage, and the fleet would try to fill them for days.
TEST_F(WorldArchive, ParkingCountsBeyondWhatSceneryCanDescribeFailTheLoad) {
  struct Case {
    std::uint32_t smallRamps, mediumRamps;
    bool loads;
  } cases[] = {
      {kMaxParkingSpaces, 0, true},
      {kMaxParkingSpaces, 1, false},
      {0x7FFFFFF0, 0, false},
      {0xFFFFFFFF, 1, false},  // 32-bit sum 0
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.smallRamps);
    HandAirport a;
    a.parkingCounts[2] = c.smallRamps;
    a.parkingCounts[3] = c.mediumRamps;
    World loaded;
    if (c.loads) {
      Load(loaded, OneAirportFile(8, a));
      EXPECT_EQ(Loaded(loaded, "TEST").parkingCounts[2], c.smallRamps);
    } else {
      try {
        Load(loaded, OneAirportFile(8, a));
        ADD_FAILURE() << "loaded";
      } catch (const ArchiveError& e) {
        EXPECT_NE(std::string(e.what()).find("airport TEST has"), std::string::npos) << e.what();
      }
    }
  }
}

TEST_F(WorldArchive, ReplacedRegionLeavesNoFreedAirportInTheIndex) {
  FindOrCreateAirport(world, "Europe", "Germany", "Hesse", "Frankfurt", "EDDF", 0);
  FindOrCreateAirport(world, "Europe", "Germany", "Bavaria", "Munich", "EDDM", 0);
  CAirport* asian = FindOrCreateAirport(world, "Asia", "Japan", "Kanto", "Tokyo", "RJTT", 0);
  auto plane = std::make_unique<CPlane>();
  plane->homeAirport = world.airportIndex.Find("EDDM");
  world.airportIndex.Find("EDDM")->planes.Insert("D-EXXX", plane.get());
  world.registrationIndex.Insert("D-EXXX", std::move(plane));

  World other;
  FindOrCreateAirport(other, "Europe", "Germany", "Hesse", "Frankfurt", "EDDF", 0)->name = "from the file";
  WorldArchiveContext otherContext(other, settings);
  const auto bytes = SaveRegionMap(otherContext);

  LoadRegionMap(bytes, context);
  EXPECT_EQ(world.regionMap.size(), 2u);
  EXPECT_EQ(world.airportIndex.Find("EDDM"), nullptr);
  EXPECT_EQ(Loaded(world, "EDDF").name, "from the file");
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
  worldtest::WriteDefaultCityPart(models.ar);
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

}
}
