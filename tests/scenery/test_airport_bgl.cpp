#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "bgl_test_support.h"
#include "geo/sun_times.h"
#include "scenery/airport_bgl.h"

namespace wf::test {
namespace {

using bgl::AirportDesc;
using bgl::BglFileDesc;
using bgl::BglImage;
using bgl::ComDesc;
using bgl::ParkingDesc;
using bgl::ParkingListDesc;
using bgl::RunwayChild;
using bgl::RunwayDesc;

std::uint32_t ReadU32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = v << 8 | bytes.at(at + i);
  return v;
}

CCity* FindCity(World& world, const std::string& city) {
  CRegion* region = world.regionMap.Find("North America");
  CCountry* country = region ? region->countries.Find("United States") : nullptr;
  CState* state = country ? country->states.Find("Washington") : nullptr;
  return state ? state->cities.Find(city) : nullptr;
}

TEST(AirportBglTest, DecodesIdentsPositionsAndFileTimes) {
  EXPECT_EQ(CAirportBGL::DecodeIdent(40035968), "KSEA");
  EXPECT_EQ(CAirportBGL::DecodeIdent(40035968 | 0x1F), "KSEA");  // the low five bits are not part of it
  EXPECT_EQ(CAirportBGL::DecodeIdent(12u << 5), "A");
  EXPECT_EQ(CAirportBGL::DecodeIdent(0), "");
  for (const char* ident : {"3W5", "EG-1", "K0", "ZZZZ", "9999"})
    EXPECT_EQ(CAirportBGL::DecodeIdent(bgl::PackIdent(ident)), ident);

  const struct {
    std::uint32_t lon, lat;
    double longitude, latitude;
  } positions[] = {
      {0, 0, -180.0, 90.0}, {402653184, 268435456, 0.0, 0.0}, {805306368, 536870912, 180.0, -90.0}};
  for (const auto& p : positions) {
    const LatLon position = CAirportBGL::DecodeLatLon(p.lon, p.lat);
    EXPECT_DOUBLE_EQ(position.longitude, p.longitude);
    EXPECT_DOUBLE_EQ(position.latitude, p.latitude);
  }

  const std::uint64_t ticksPerSecond = 10000000;
  const std::uint64_t ticks1900 = 9435484800ull * ticksPerSecond;  // 1900-01-01 since 1601-01-01
  const struct {
    const char* name;
    std::uint64_t fileTime;
    TimeValue stamp;
  } times[] = {
      {"2006-01-01", bgl::FileTimeFromStamp(kDay0), kDay0},
      {"fractions of a second are dropped", bgl::FileTimeFromStamp(kDay0) + ticksPerSecond - 1, kDay0},
      {"1970-01-01 00:00:01", bgl::FileTimeFromStamp(1), 1},
      {"1601", 0, 0},
      {"just before 1900", ticks1900 - ticksPerSecond, 0},
      {"1900 lies outside the calendar's window", ticks1900, 0},
      {"after 3000", bgl::FileTimeFromStamp(32535216000), 0},
      {"top bit set", 0x8000000000000000ull, 0},
      {"largest", 0xFFFFFFFFFFFFFFFFull, 0},
  };
  for (const auto& t : times) EXPECT_EQ(CAirportBGL::FileTimeToStamp(t.fileTime), t.stamp) << t.name;
}

TEST(AirportBglTest, ReadsEveryFieldOfAnAirport) {
  AirportDesc airport = SampleAirport("KSEA", "Seattle-Tacoma Intl");
  airport.latitude = 47.449;
  airport.longitude = -122.309;
  airport.altitude = 131.978;
  airport.magVar = -16.5f;
  airport.fuelFlags = 0x00FC0003;
  RunwayDesc main;
  main.surface = 4;
  main.length = 3627.9f;
  main.width = 45.7f;
  main.primaryIls = "ISEA";
  main.lighting = 3;
  main.children = {RunwayChild{0x0D, 5}, RunwayChild{0x05, 9}};
  RunwayDesc unknownSurface;
  unknownSurface.surface = 0xFE;
  unknownSurface.length = 800.2f;
  unknownSurface.lighting = 2;
  airport.runways = {main, unknownSurface};
  airport.coms = {ComDesc{8, 119200000, "Approach"}, ComDesc{9, 120400000, "Departure"},
                  ComDesc{3, 122950000, "Unicom"}, ComDesc{6, 119900000, "Tower"}};
  airport.parkingLists = {
      ParkingListDesc{0x3D, {Space(1, 8.5f, {"ASA", "UAL"}), Space(3, 12.0f), Space(12, 6.0f)}},
      ParkingListDesc{0x1B, {Space(2, 9.0f, {"DAL"}), Space(12, 6.0f)}},
  };

  SceneryFixture f;
  f.settings.startDate = kDay0 + 180 * kDay;
  const BglReadResult result = f.Read(SampleFile(kDay0, {airport}), "APX_sea.bgl");

  EXPECT_EQ(result.status, BglReadStatus::kRead);
  EXPECT_TRUE(result.airportFile);
  EXPECT_EQ(result.LayoutCode(), 1);
  EXPECT_TRUE(f.prompter.messages.empty());
  EXPECT_EQ(f.progress.texts, std::vector<std::string>{"Read and process APX_sea.bgl"});
  CCity* city = FindCity(f.world, "Seattle");
  ASSERT_NE(city, nullptr);
  CAirport* a = city->airports.Find("KSEA");
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(f.Indexed("KSEA"), a);
  EXPECT_EQ(result.added, std::vector<CAirport*>{a});
  EXPECT_TRUE(result.updated.empty());

  EXPECT_EQ(a->icao, "KSEA");
  EXPECT_EQ(a->name, "Seattle-Tacoma Intl");
  EXPECT_EQ(a->city, city);
  EXPECT_EQ(a->sceneryFileTime, kDay0);
  EXPECT_NEAR(a->latitude, 47.449, 1e-6);
  EXPECT_NEAR(a->longitude, -122.309, 1e-6);
  EXPECT_EQ(a->sunrise, SunriseTime(f.settings.startDate, a->latitude, a->longitude));
  EXPECT_EQ(a->sunset, SunsetTime(f.settings.startDate, a->latitude, a->longitude));
  EXPECT_DOUBLE_EQ(a->altitude, 131.978);
  EXPECT_DOUBLE_EQ(a->magVar, -16.5);
  EXPECT_EQ(a->fuelFlags, 0x00FC0003u);
  EXPECT_EQ(a->runwayCount, 2u);
  EXPECT_EQ(a->surfaceMask, 1u << 4);
  EXPECT_EQ(a->longestRunway, 3627u);
  EXPECT_EQ(a->hasILS, 1);
  EXPECT_EQ(a->runwayLights, 5);
  EXPECT_EQ(a->approachLights, 5);
  ASSERT_EQ(a->runways.size(), 2u);
  EXPECT_EQ(a->runways[0].surface, 4);
  EXPECT_EQ(a->runways[0].length, 3627);
  EXPECT_EQ(a->runways[0].width, 45);
  EXPECT_EQ(a->runways[1].surface, 0xFE);
  EXPECT_EQ(a->runways[1].length, 800);
  EXPECT_EQ(a->approachComCount, 2);
  EXPECT_EQ(a->comTypeMask, (1 << 8) | (1 << 9) | (1 << 3) | (1 << 6));
  EXPECT_EQ(a->towerFrequency, 119900000u);
  EXPECT_EQ(a->airspaceClass, 'D');
  // 0x3D: GA ramp, medium GA ramp, fuel (counted as GA ramp); 0x1B: small GA ramp, fuel (as itself).
  const std::array<std::uint32_t, kParkingTypeCount> counts = {0, 2, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0};
  EXPECT_EQ(a->parkingCounts, counts);
  ASSERT_EQ(a->parkingSpaces.size(), 3u);  // only 0x3D lists store their spaces
  EXPECT_EQ(a->parkingSpaces[0].type, ParkingType::kRampGa);
  const double radius = a->parkingSpaces[0].radius;  // a copy: the packed field is not aligned
  EXPECT_EQ(radius, 8.5);
  EXPECT_EQ(a->parkingSpaces[1].type, ParkingType::kRampGaMedium);
  EXPECT_EQ(a->parkingSpaces[2].type, ParkingType::kFuel);
  EXPECT_EQ(a->landingFee, a->NormalLandingFee(f.settings));
  EXPECT_GT(a->landingFee, 0.0f);
  EXPECT_EQ(a->useAirport, 1);
  EXPECT_EQ(a->military, 0);
}

// Files read one after the other into one world; the check sees the world and every result.
struct FileSpec {
  TimeValue stamp;
  std::vector<AirportDesc> airports;
  std::function<void(BglImage&)> damage = {};
};

AirportDesc WithAltitude(AirportDesc airport, double altitude, float runwayLength) {
  airport.altitude = altitude;
  airport.runways.at(0).length = runwayLength;
  return airport;
}

AirportDesc WithComs(std::vector<ComDesc> coms) {
  AirportDesc airport = SampleAirport("KCOM");
  airport.coms = std::move(coms);
  return airport;
}

TEST(AirportBglTest, MergesFilesIntoTheWorld) {
  const AirportDesc older = WithAltitude(SampleAirport("KAAA", "Older Name"), 100.0, 1000.0f);
  const AirportDesc newer = WithAltitude(SampleAirport("KAAA", "Newer Name"), 200.0, 2000.0f);
  AirportDesc closedRunways = SampleAirport("KCLO");
  {
    RunwayDesc closed;
    closed.surface = 1;
    closed.length = 3000.0f;
    closed.primaryIls = "ICLO";
    closed.lighting = 4;
    closed.secondaryClosed = true;
    closed.children = {RunwayChild{0x0B, 7}};
    closedRunways.runways.push_back(closed);
  }
  AirportDesc parking = SampleAirport("KPRK");
  parking.parkingLists = {ParkingListDesc{0x3D, {Space(12), Space(1), Space(12), Space(14)}}};
  AirportDesc orphanRecord = WithAltitude(SampleAirport("KAAA"), 100.0, 1000.0f);
  orphanRecord.recordIdent = "ZZZZ";
  AirportDesc oregon = SampleAirport("KORE", "Portland");
  oregon.state = "Oregon";
  AirportDesc repeated = SampleAirport("KREP");
  repeated.coms = {ComDesc{8, 119000000, ""}};
  repeated.parkingLists = {ParkingListDesc{0x3D, {Space(1), Space(2)}}};
  AirportDesc longName = SampleAirport("KLNG", std::string(60, 'x'));

  struct Case {
    const char* name;
    std::vector<FileSpec> files;
    std::function<void(SceneryFixture&, const std::vector<BglReadResult>&)> check;
  };
  const std::vector<Case> cases = {
      {"a newer file read second replaces the data",
       {{kDay0, {older}}, {kDay0 + kDay, {newer}}},
       [](SceneryFixture& f, const std::vector<BglReadResult>& results) {
         CAirport* a = f.Indexed("KAAA");
         EXPECT_EQ(a->altitude, 200.0);
         ASSERT_EQ(a->runways.size(), 1u);
         EXPECT_EQ(a->runways[0].length, 2000);
         EXPECT_EQ(a->sceneryFileTime, kDay0 + kDay);
         EXPECT_EQ(a->name, "Newer Name");
         EXPECT_EQ(results[1].updated, std::vector<CAirport*>{a});
         EXPECT_TRUE(results[1].added.empty());
       }},
      {"an older file read second keeps the data but renames the airport",
       {{kDay0 + kDay, {newer}}, {kDay0, {older}}},
       [](SceneryFixture& f, const std::vector<BglReadResult>& results) {
         CAirport* a = f.Indexed("KAAA");
         EXPECT_EQ(a->altitude, 200.0);
         ASSERT_EQ(a->runways.size(), 1u);
         EXPECT_EQ(a->runways[0].length, 2000);
         EXPECT_EQ(a->sceneryFileTime, kDay0 + kDay);
         EXPECT_EQ(a->name, "Older Name");
         EXPECT_TRUE(results[1].updated.empty());
       }},
      {"with equal stamps the file read later wins",
       {{kDay0, {newer}}, {kDay0, {older}}},
       [](SceneryFixture& f, const std::vector<BglReadResult>&) {
         EXPECT_EQ(f.Indexed("KAAA")->altitude, 100.0);
         EXPECT_EQ(f.Indexed("KAAA")->runways.size(), 1u);
       }},
      {"an airport under another city is another airport",
       {{kDay0, {SampleAirport("KAAA", "A", "Alpha")}},
        {kDay0, {WithAltitude(SampleAirport("KAAA", "B", "Beta"), 7, 1)}}},
       [](SceneryFixture& f, const std::vector<BglReadResult>& results) {
         CAirport* alpha = FindCity(f.world, "Alpha")->airports.Find("KAAA");
         CAirport* beta = FindCity(f.world, "Beta")->airports.Find("KAAA");
         ASSERT_NE(alpha, nullptr);
         ASSERT_NE(beta, nullptr);
         EXPECT_NE(alpha, beta);
         EXPECT_EQ(f.Indexed("KAAA"), beta);
         EXPECT_EQ(alpha->altitude, 100.0);
         EXPECT_EQ(beta->altitude, 7.0);
         EXPECT_EQ(results[1].added, std::vector<CAirport*>{beta});
       }},
      {"a record whose ident has no name-list entry is skipped",
       {{kDay0, {orphanRecord, WithAltitude(SampleAirport("KBBB"), 300.0, 900.0f)}}},
       [](SceneryFixture& f, const std::vector<BglReadResult>& results) {
         EXPECT_EQ(results[0].status, BglReadStatus::kRead);
         EXPECT_EQ(f.Indexed("ZZZZ"), nullptr);
         EXPECT_TRUE(f.Indexed("KAAA")->runways.empty());
         EXPECT_EQ(f.Indexed("KBBB")->altitude, 300.0);
         EXPECT_EQ(f.Indexed("KBBB")->runways.size(), 1u);
       }},
      {"a closed runway counts only for its approach lights",
       {{kDay0, {closedRunways}}},
       [](SceneryFixture& f, const std::vector<BglReadResult>&) {
         CAirport* a = f.Indexed("KCLO");
         EXPECT_EQ(a->runwayCount, 1u);
         EXPECT_EQ(a->runways.size(), 1u);
         EXPECT_EQ(a->surfaceMask, 1u << 4);
         EXPECT_EQ(a->longestRunway, 1500u);
         EXPECT_EQ(a->hasILS, 0);
         EXPECT_EQ(a->runwayLights, 0);
         EXPECT_EQ(a->approachLights, 7);
       }},
      {"tower before unicom",
       {{kDay0, {WithComs({Com(6, 118300000), Com(3, 122800000)})}}},
       [](SceneryFixture& f, const std::vector<BglReadResult>&) {
         EXPECT_EQ(f.Indexed("KCOM")->towerFrequency, 118300000u);
         EXPECT_EQ(f.Indexed("KCOM")->airspaceClass, 'D');
       }},
      {"unicom before tower",
       {{kDay0, {WithComs({Com(3, 122800000), Com(6, 118300000)})}}},
       [](SceneryFixture& f, const std::vector<BglReadResult>&) {
         EXPECT_EQ(f.Indexed("KCOM")->towerFrequency, 118300000u);
         EXPECT_EQ(f.Indexed("KCOM")->airspaceClass, 'D');
       }},
      {"multicom only, then a flight service station",
       {{kDay0, {WithComs({Com(2, 122900000), Com(11, 122200000)})}}},
       [](SceneryFixture& f, const std::vector<BglReadResult>&) {
         EXPECT_EQ(f.Indexed("KCOM")->towerFrequency, 122900000u);
         EXPECT_EQ(f.Indexed("KCOM")->airspaceClass, 'G');
         EXPECT_EQ(f.Indexed("KCOM")->comTypeMask, (1 << 2) | (1 << 11));
       }},
      {"fuel parking counts as GA ramp, types above 13 are stored only",
       {{kDay0, {parking}}},
       [](SceneryFixture& f, const std::vector<BglReadResult>&) {
         CAirport* a = f.Indexed("KPRK");
         EXPECT_EQ(a->parkingCounts[1], 3u);
         EXPECT_EQ(a->parkingCounts[12], 0u);
         ASSERT_EQ(a->parkingSpaces.size(), 4u);
         EXPECT_EQ(a->parkingSpaces[0].type, ParkingType::kFuel);
         EXPECT_EQ(Code(a->parkingSpaces[3].type), 14);
       }},
      {"the state index is the upper four bits",
       {{kDay0,
         {SampleAirport("KWAS"), oregon},
         [](BglImage& image) { image.bytes.at(image.icaoList + 20 + 2) |= 0x0F; }}},
       [](SceneryFixture& f, const std::vector<BglReadResult>&) {
         CState* state =
             f.world.regionMap.Find("North America")->countries.Find("United States")->states.Find("Oregon");
         ASSERT_NE(state, nullptr);
         EXPECT_NE(state->cities.Find("Seattle")->airports.Find("KORE"), nullptr);
       }},
      {"military names match case-sensitively",
       {{kDay0,
         {SampleAirport("ETAR", "Ramstein AB"), SampleAirport("EGPD", "Aberdeen"),
          SampleAirport("KNUW", "Whidbey Island NAS"), SampleAirport("KBFI", "Boeing Fld King Co Intl")}}},
       [](SceneryFixture& f, const std::vector<BglReadResult>&) {
         EXPECT_EQ(f.Indexed("ETAR")->military, 1);
         EXPECT_EQ(f.Indexed("EGPD")->military, 0);
         EXPECT_EQ(f.Indexed("KNUW")->military, 1);
         EXPECT_EQ(f.Indexed("KBFI")->military, 0);
       }},
      {"the same file read twice gives one set of runways and parking",
       {{kDay0, {repeated}}, {kDay0, {repeated}}},
       [](SceneryFixture& f, const std::vector<BglReadResult>& results) {
         CAirport* a = f.Indexed("KREP");
         EXPECT_EQ(a->runways.size(), 1u);
         EXPECT_EQ(a->parkingSpaces.size(), 2u);
         EXPECT_EQ(a->parkingCounts[1], 1u);
         EXPECT_EQ(a->approachComCount, 1);
         EXPECT_EQ(results[1].updated, std::vector<CAirport*>{a});
       }},
      {"names are cut to 48 bytes",
       {{kDay0, {longName}}},
       [](SceneryFixture& f, const std::vector<BglReadResult>&) {
         EXPECT_EQ(f.Indexed("KLNG")->name, std::string(48, 'x'));
       }},
      {"a sub-record of size 0 ends the walk silently",
       {{kDay0,
         {SampleAirport("KZER")},
         [](BglImage& image) { PatchU32(image.bytes, image.recordOffsets[0] + 56 + 2, 0); }}},
       [](SceneryFixture& f, const std::vector<BglReadResult>& results) {
         EXPECT_EQ(results[0].status, BglReadStatus::kRead);
         EXPECT_TRUE(f.Indexed("KZER")->runways.empty());
         EXPECT_EQ(f.Indexed("KZER")->altitude, 100.0);
       }},
      {"a name index beyond its list names nothing",
       {{kDay0, {SampleAirport("KIDX")}, [](BglImage& image) { image.bytes.at(image.icaoList) = 9; }}},
       [](SceneryFixture& f, const std::vector<BglReadResult>& results) {
         EXPECT_EQ(results[0].status, BglReadStatus::kRead);
         ASSERT_NE(f.world.regionMap.Find(""), nullptr);
         EXPECT_EQ(f.Indexed("KIDX")->runways.size(), 1u);
       }},
  };

  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SceneryFixture f;
    std::vector<BglReadResult> results;
    for (const FileSpec& file : c.files) {
      BglImage image = bgl::WriteAirportBgl(SampleFile(file.stamp, file.airports));
      if (file.damage) file.damage(image);
      results.push_back(f.Read(image.bytes));
    }
    for (const std::string& message : f.prompter.messages) ADD_FAILURE() << "message: " << message;
    c.check(f, results);
  }
}

TEST(AirportBglTest, LeavesFilesWithoutTheAirportLayoutAlone) {
  const BglImage valid = bgl::WriteAirportBgl(SampleFile(kDay0, {SampleAirport("KAAA")}));
  struct Case {
    const char* name;
    std::function<void(std::vector<std::uint8_t>&)> damage;
  };
  const std::vector<Case> cases = {
      {"first section is not the airport section",
       [](std::vector<std::uint8_t>& bytes) {
         bytes = bgl::WriteOtherBgl(0x13, bgl::FileTimeFromStamp(kDay0));
       }},
      {"magic", [](std::vector<std::uint8_t>& bytes) { bytes[0] ^= 1; }},
      {"header size", [](std::vector<std::uint8_t>& bytes) { PatchU32(bytes, 4, 57); }},
      {"a header without sections (a compiled traffic file of the stand-in compiler)",
       [](std::vector<std::uint8_t>& bytes) {
         bytes.resize(56);
         PatchU32(bytes, 20, 0);
       }},
      {"a short file of another kind",
       [](std::vector<std::uint8_t>& bytes) { bytes = {'t', 'e', 'x', 't', '\n', 0, 0, 0}; }},
      {"link block",
       [&](std::vector<std::uint8_t>& bytes) { PatchU32(bytes, valid.airportSubsectionTable - 16, 4); }},
      {"name list tag", [&](std::vector<std::uint8_t>& bytes) { PatchU32(bytes, valid.nameList, 0x10027); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SceneryFixture f;
    std::vector<std::uint8_t> bytes = valid.bytes;
    c.damage(bytes);
    const BglReadResult result = f.Read(bytes);
    EXPECT_EQ(result.status, BglReadStatus::kLeftAlone);
    EXPECT_EQ(result.LayoutCode(), 0);
    EXPECT_FALSE(result.airportFile);
    EXPECT_TRUE(result.errors.empty());
    EXPECT_TRUE(f.prompter.messages.empty());
    EXPECT_TRUE(f.world.regionMap.empty());
    EXPECT_TRUE(f.world.airportIndex.empty());
  }
}

TEST(AirportBglTest, ReportsDamagedFilesAndKeepsWhatWasRead) {
  AirportDesc first = SampleAirport("KAAA");
  first.runways[0].children = {RunwayChild{0x0C, 3}};
  const BglImage valid =
      bgl::WriteAirportBgl(SampleFile(kDay0, {first, WithAltitude(SampleAirport("KBBB"), 300, 900)}));
  const std::uint32_t s = valid.airportSubsectionTable;
  const std::uint32_t q = valid.nameList;
  const std::uint32_t record = valid.recordOffsets[0];
  const std::string seekTail =
      " in File test.bgl\nPlease report the filename to <see \"Reporting a problem\" in Wingfold's README>";

  enum class Kept { kNothing, kTreeOnly, kSecondAirport };
  struct Case {
    const char* name;
    std::function<void(std::vector<std::uint8_t>&)> damage;
    std::string message;  // the whole message, or its start when it ends in "..."
    Kept kept;
  };
  const std::vector<Case> cases = {
      {"file shorter than its header", [](auto& b) { b.resize(20); },
       "test.bgl: offset 0x0: the file header needs 56 bytes, the file has 20", Kept::kNothing},
      {"first section entry cut off", [](auto& b) { b.resize(60); },
       "test.bgl: offset 0x38: the first section entry needs 16 bytes, the file ends at 0x3C",
       Kept::kNothing},
      {"S beyond the file", [](auto& b) { PatchU32(b, 56 + 12, 0x7FFFFFF0); }, "Seek error at 0" + seekTail,
       Kept::kNothing},
      {"S below 16", [](auto& b) { PatchU32(b, 56 + 12, 8); }, "Seek error at 0" + seekTail, Kept::kNothing},
      {"P beyond the file", [&](auto& b) { PatchU32(b, s - 16 + 8, 0xFFFFFFFF); },
       "Seek error at " + std::to_string(s - 16) + seekTail, Kept::kNothing},
      {"Q beyond the file", [&](auto& b) { PatchU32(b, valid.nameListSubsectionTable + 8, 0x10000000); },
       "Seek error at " + std::to_string(valid.nameListSubsectionTable) + seekTail, Kept::kNothing},
      {"R beyond the file", [&](auto& b) { PatchU32(b, s + 8, 0xFFFFFF00); },
       "Seek error at " + std::to_string(q) + seekTail, Kept::kTreeOnly},
      {"name list header cut off",
       [&](auto& b) { PatchU32(b, valid.nameListSubsectionTable + 8, b.size() - 10); },
       "test.bgl: offset 0x...", Kept::kNothing},
      {"ICAO list outside the file", [&](auto& b) { PatchU32(b, q + 38, 0xFFFFFFF0); },
       "test.bgl: offset 0x...", Kept::kNothing},
      {"name offset outside the file", [&](auto& b) { PatchU32(b, q + ReadU32(b, q + 18), 0x7FFFFFFF); },
       "test.bgl: offset 0x...", Kept::kNothing},
      {"record size below its header", [&](auto& b) { PatchU32(b, record + 2, 5); },
       "test.bgl: offset 0x" +
           [&] {
             char hex[16];
             std::snprintf(hex, sizeof hex, "%X", record);
             return std::string(hex);
           }() +
           ": airport record of size 5 is below its 6-byte header",
       Kept::kTreeOnly},
      {"record size beyond the file", [&](auto& b) { PatchU32(b, record + 2, 0x7FFFFFFF); },
       "test.bgl: offset 0x...", Kept::kTreeOnly},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SceneryFixture f;
    std::vector<std::uint8_t> bytes = valid.bytes;
    c.damage(bytes);
    const BglReadResult result = f.Read(bytes);
    EXPECT_EQ(result.status, BglReadStatus::kError);
    EXPECT_EQ(result.LayoutCode(), 1);
    ASSERT_EQ(f.prompter.messages.size(), 1u);
    EXPECT_EQ(result.errors, f.prompter.messages);
    const std::string& message = f.prompter.messages[0];
    if (c.message.ends_with("...")) {
      EXPECT_TRUE(message.starts_with(c.message.substr(0, c.message.size() - 3))) << message;
    } else {
      EXPECT_EQ(message, c.message);
    }
    switch (c.kept) {
      case Kept::kNothing:
        EXPECT_TRUE(f.world.airportIndex.empty());
        break;
      case Kept::kTreeOnly:
        ASSERT_NE(f.Indexed("KBBB"), nullptr);
        EXPECT_TRUE(f.Indexed("KBBB")->runways.empty());
        break;
      case Kept::kSecondAirport:
        // The damaged record ends with its ident; the airport keeps its fixed part and is usable.
        EXPECT_TRUE(message.ends_with(" KAAA")) << message;
        EXPECT_EQ(f.Indexed("KAAA")->altitude, 100.0);
        EXPECT_EQ(f.Indexed("KAAA")->useAirport, 1);
        EXPECT_EQ(f.Indexed("KAAA")->landingFee, f.Indexed("KAAA")->NormalLandingFee(f.settings));
        EXPECT_EQ(f.Indexed("KBBB")->altitude, 300.0);
        EXPECT_EQ(f.Indexed("KBBB")->runways.size(), 1u);
        break;
    }
  }
}

// Sub-record sizes that do not add up, as some scenery tools write them, are no error: a sub-record
// is read when its fields lie inside the record, and the walk goes on by the declared size.
TEST(AirportBglTest, WalksSubRecordsWhoseSizesDoNotAddUp) {
  AirportDesc first = SampleAirport("KAAA");
  first.runways[0].children = {RunwayChild{0x0C, 3}};
  first.coms = {Com(6, 118000000)};
  first.parkingLists = {ParkingListDesc{0x3D, {Space(1), Space(2)}}};
  const BglImage valid =
      bgl::WriteAirportBgl(SampleFile(kDay0, {first, WithAltitude(SampleAirport("KBBB"), 300, 900)}));
  const std::uint32_t name = valid.recordOffsets[0] + 56;  // the name's sub-record comes first
  const std::uint32_t runway = name + ReadU32(valid.bytes, name + 2);
  const std::uint32_t child = runway + 52;

  struct Case {
    const char* name;
    std::uint32_t at;  // the size field patched
    std::uint32_t size;
    int approachLights;
    std::uint32_t towerFrequency;
    std::size_t parkingSpaces;
  } cases[] = {
      // The runway and its child are read; the walk leaves the record after it.
      {"a runway whose size leads far past its record", runway + 2, 1638400, 3, 0, 0},
      // Its fields lie inside the record; it has no room for children, and the walk goes on 3 bytes
      // later, inside the runway, until a size leads it out of the record.
      {"a runway whose size is below its header", runway + 2, 3, 0, 0, 0},
      // The child is read, the child walk ends, the runway's walk goes on.
      {"a runway child that runs past its runway", child + 2, 25, 3, 118000000, 2},
      {"a runway child of size 0", child + 2, 0, 0, 118000000, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SceneryFixture f;
    std::vector<std::uint8_t> bytes = valid.bytes;
    PatchU32(bytes, c.at, c.size);
    const BglReadResult result = f.Read(bytes);
    EXPECT_NE(result.status, BglReadStatus::kError);
    EXPECT_TRUE(f.prompter.messages.empty());
    const CAirport& airport = *f.Indexed("KAAA");
    ASSERT_EQ(airport.runways.size(), 1u);
    EXPECT_EQ(airport.longestRunway, 1500u);
    EXPECT_EQ(airport.approachLights, c.approachLights);
    EXPECT_EQ(airport.towerFrequency, c.towerFrequency);
    EXPECT_EQ(airport.parkingSpaces.size(), c.parkingSpaces);
    EXPECT_EQ(f.Indexed("KBBB")->altitude, 300.0);
    EXPECT_EQ(f.Indexed("KBBB")->runways.size(), 1u);
  }
}

TEST(AirportBglTest, ReportsAFileThatCannotBeOpened) {
  SceneryFixture f;
  const BglReadResult result = CAirportBGL("/nonexistent/folder/APX.bgl", f.Context()).Read();
  EXPECT_EQ(result.status, BglReadStatus::kError);
  EXPECT_FALSE(result.airportFile);
  EXPECT_EQ(f.prompter.messages, std::vector<std::string>{"Cannot open /nonexistent/folder/APX.bgl"});
}

AirportDesc RichAirport(const std::string& ident) {
  AirportDesc airport = SampleAirport(ident);
  airport.runways[0].children = {RunwayChild{0x0B, 1}, RunwayChild{0x0E, 2}};
  airport.runways.push_back(airport.runways[0]);
  airport.coms = {ComDesc{6, 118000000, "Tower"}, ComDesc{3, 122800000, "Unicom"}};
  airport.parkingLists = {ParkingListDesc{0x3D, {Space(1, 5, {"ABC"}), Space(12)}},
                          ParkingListDesc{0x1B, {Space(2)}}};
  return airport;
}

// Every message of a read is one the user can act on.
void ExpectConsistent(const SceneryFixture& f, const BglReadResult& result) {
  EXPECT_EQ(result.errors, f.prompter.messages);
  EXPECT_EQ(result.status == BglReadStatus::kError, !result.errors.empty());
  for (const std::string& message : result.errors)
    EXPECT_NE(message.find("test.bgl"), std::string::npos) << message;
  for (const auto& [ident, airport] : f.world.airportIndex) EXPECT_EQ(airport->icao, ident);
}

TEST(AirportBglTest, EveryTruncationIsReported) {
  const BglImage valid = bgl::WriteAirportBgl(SampleFile(kDay0, {RichAirport("KAAA"), RichAirport("KBBB")}));
  for (std::size_t size = 0; size < valid.bytes.size(); ++size) {
    SCOPED_TRACE(size);
    SceneryFixture f;
    const std::vector<std::uint8_t> bytes(valid.bytes.begin(), valid.bytes.begin() + size);
    const BglReadResult result = f.Read(bytes);
    // The name list ends the file, so every cut damages it.
    EXPECT_EQ(result.status, BglReadStatus::kError);
    ExpectConsistent(f, result);
  }
}

TEST(AirportBglTest, SurvivesCorruptedSizesAndOffsets) {
  const BglImage valid = bgl::WriteAirportBgl(SampleFile(kDay0, {RichAirport("KAAA"), RichAirport("KBBB")}));
  const std::uint32_t size = static_cast<std::uint32_t>(valid.bytes.size());
  // The words that steer the walk: S, the link block, the subsection entries, the name list header,
  // the record headers; and any other word of the file.
  std::vector<std::uint32_t> targets = {56 + 12, valid.airportSubsectionTable - 16,
                                        valid.airportSubsectionTable - 8, valid.airportSubsectionTable + 8,
                                        valid.nameListSubsectionTable + 8};
  for (std::uint32_t at = valid.nameList; at < valid.nameList + 42; at += 2) targets.push_back(at);
  for (std::uint32_t record : valid.recordOffsets) targets.push_back(record + 2);
  const std::vector<std::uint32_t> values = {
      0, 1, 5, 6, 7, 8, 16, 0x27, 0xFFFF, 0x10000, 0x7FFFFFFF, 0xFFFFFFFF, size, size - 1, size - 16};
  std::mt19937 random(20060101);
  for (int round = 0; round < 3000; ++round) {
    std::vector<std::uint8_t> bytes = valid.bytes;
    for (int damage = 0; damage <= static_cast<int>(random() % 3); ++damage) {
      const std::uint32_t at = random() % 2 == 0 ? targets[random() % targets.size()]
                                                 : static_cast<std::uint32_t>(random() % (size - 4));
      const std::uint32_t value =
          random() % 2 == 0 ? values[random() % values.size()] : random() % (size + 64);
      if (at + 4 <= size) PatchU32(bytes, at, value);
    }
    SCOPED_TRACE(round);
    SceneryFixture f;
    ExpectConsistent(f, f.Read(bytes));
    if (HasFailure()) break;
  }
}

}
}
