#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "bgl_test_support.h"
#include "geo/sun_times.h"
#include "platform/text.h"
#include "scenery/airport_bgl.h"

namespace wf::test {
namespace {

using bgl::AirportDesc;
using bgl::BglImage;
using bgl::ComDesc;
using bgl::ParkingListDesc;
using bgl::RunwayChild;
using bgl::RunwayDesc;
using Bytes = std::vector<std::uint8_t>;

std::uint32_t ReadU32(const Bytes& bytes, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = v << 8 | bytes.at(at + i);
  return v;
}

// What the reader made of an airport, as "key=value;" items: its place in the tree and every field
// the records set but the position, the sun times and the fee.
std::string Facts(const CAirport& a) {
  std::ostringstream out;
  const CState* state = a.city ? a.city->state : nullptr;
  const CCountry* country = state ? state->country : nullptr;
  out << "place=" << (country && country->region ? country->region->name : "?") << "/"
      << (country ? country->name : "?") << "/" << (state ? state->name : "?") << "/"
      << (a.city ? a.city->name : "?") << ";name=" << a.name << ";alt=" << a.altitude
      << ";magvar=" << a.magVar << ";fuel=" << Hex(a.fuelFlags) << ";runwayCount=" << a.runwayCount
      << ";runways=";
  for (const auto& r : a.runways) out << r.surface << ":" << r.length << ":" << r.width << ",";
  out << ";longest=" << a.longestRunway << ";surfaces=" << Hex(a.surfaceMask) << ";ils=" << a.hasILS
      << ";lights=" << a.runwayLights << ";approach=" << a.approachLights << ";coms=" << Hex(a.comTypeMask)
      << ";approachComs=" << a.approachComCount << ";tower=" << a.towerFrequency
      << ";class=" << a.airspaceClass << ";parking=";
  for (std::size_t type = 0; type < a.parkingCounts.size(); ++type)
    if (a.parkingCounts[type] != 0) out << type << "x" << a.parkingCounts[type] << ",";
  out << ";spaces=";
  for (const auto& space : a.parkingSpaces) out << Code(space.type) << ":" << double{space.radius} << ",";
  out << ";military=" << a.military << ";use=" << a.useAirport << ";";
  return out.str();
}

// Every "key=value;" item of `expected` is one of the airport's facts.
void ExpectFacts(const CAirport* airport, const std::string& expected) {
  ASSERT_NE(airport, nullptr);
  const std::string facts = ";" + Facts(*airport);
  for (std::size_t start = 0, end; (end = expected.find(';', start)) != std::string::npos; start = end + 1) {
    const std::string item = expected.substr(start, end - start + 1);
    EXPECT_NE(facts.find(";" + item), std::string::npos) << item << " is not one of " << facts;
  }
}

AirportDesc WithAltitude(AirportDesc airport, double altitude, float runwayLength) {
  airport.altitude = altitude;
  airport.runways.at(0).length = runwayLength;
  return airport;
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

  const std::uint64_t second = 10000000;
  const std::uint64_t ticks1900 = 9435484800ull * second;  // 1900-01-01 since 1601-01-01
  const struct {
    const char* name;
    std::uint64_t fileTime;
    TimeValue stamp;
  } times[] = {{"2006-01-01", bgl::FileTimeFromStamp(kDay0), kDay0},
               {"fractions of a second are dropped", bgl::FileTimeFromStamp(kDay0) + second - 1, kDay0},
               {"1601", 0, 0},
               {"1900 lies outside the calendar's window", ticks1900, 0},
               {"top bit set", 0x8000000000000000ull, 0}};
  for (const auto& t : times) EXPECT_EQ(CAirportBGL::FileTimeToStamp(t.fileTime), t.stamp) << t.name;
}

TEST(AirportBglTest, ReadsEveryFieldOfAnAirport) {
  AirportDesc airport = SampleAirport("KSEA", "Seattle-Tacoma Intl");
  airport.latitude = 47.449;
  airport.longitude = -122.309;
  airport.altitude = 131.978;
  airport.magVar = -16.5f;
  airport.fuelFlags = 0x00FC0003;
  airport.runways = {RunwayDesc(), RunwayDesc()};
  RunwayDesc& main = airport.runways[0];
  main.surface = 4;
  main.length = 3627.9f;
  main.width = 45.7f;
  main.primaryIls = "ISEA";
  main.lighting = 3;
  main.children = {RunwayChild{0x0D, 5}, RunwayChild{0x05, 9}};
  airport.runways[1].surface = 0xFE;
  airport.runways[1].length = 800.2f;
  airport.runways[1].lighting = 2;
  airport.coms = {ComDesc{8, 119200000, "Approach"}, ComDesc{9, 120400000, "Departure"},
                  ComDesc{3, 122950000, "Unicom"}, ComDesc{6, 119900000, "Tower"}};
  airport.parkingLists = {
      ParkingListDesc{0x3D, {Space(1, 8.5f, {"ASA", "UAL"}), Space(3, 12.0f), Space(12, 6.0f)}},
      ParkingListDesc{0x1B, {Space(2, 9.0f, {"DAL"}), Space(12, 6.0f)}}};

  SceneryFixture f;
  f.settings.startDate = kDay0 + 180 * kDay;
  const BglReadResult result = f.Read(SampleFile(kDay0, {airport}), "APX_sea.bgl");

  EXPECT_EQ(std::tuple(result.status, result.airportFile, result.LayoutCode(), f.prompter.messages.size()),
            std::tuple(BglReadStatus::kRead, true, 1, 0u));
  EXPECT_EQ(f.progress.texts, std::vector<std::string>{"Read and process APX_sea.bgl"});
  CAirport* a = f.Indexed("KSEA");
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(std::tuple(result.added, result.updated),
            std::tuple(std::vector<CAirport*>{a}, std::vector<CAirport*>{}));
  EXPECT_EQ(std::tuple(a->icao, a->sceneryFileTime), std::tuple("KSEA", kDay0));
  EXPECT_NEAR(a->latitude, 47.449, 1e-6);
  EXPECT_NEAR(a->longitude, -122.309, 1e-6);
  EXPECT_EQ(std::tuple(a->sunrise, a->sunset),
            std::tuple(SunriseTime(f.settings.startDate, a->latitude, a->longitude),
                       SunsetTime(f.settings.startDate, a->latitude, a->longitude)));
  // The closed ends and the lights of every runway, the radio (approach, departure, unicom, tower) and
  // the parking: 0x3D holds GA ramp, medium GA ramp and fuel (counted as GA ramp) and stores its spaces;
  // 0x1B small GA ramp and fuel (as itself).
  EXPECT_EQ(
      Facts(*a),
      "place=North America/United States/Washington/Seattle;name=Seattle-Tacoma Intl;alt=131.978;"
      "magvar=-16.5;fuel=0xFC0003;runwayCount=2;runways=4:3627:45,254:800:30,;longest=3627;surfaces=0x10;"
      "ils=1;lights=5;approach=5;coms=0x348;approachComs=2;tower=119900000;class=D;"
      "parking=1x2,2x1,3x1,12x1,;spaces=1:8.5,3:12,12:6,;military=0;use=1;");
  EXPECT_EQ(a->landingFee, a->NormalLandingFee(f.settings));
  EXPECT_GT(a->landingFee, 0.0f);
}

AirportDesc WithComs(std::vector<ComDesc> coms) {
  AirportDesc airport = SampleAirport("KAAA");
  airport.coms = std::move(coms);
  return airport;
}

// Sets the size field of the first airport's runway (or of the runway's first child) to `size`; the
// name's sub-record comes first in the record.
std::function<void(BglImage&)> RunwaySize(std::uint32_t size, bool child = false) {
  return [=](BglImage& image) {
    const std::uint32_t name = image.recordOffsets[0] + 56;
    const std::uint32_t runway = name + ReadU32(image.bytes, name + 2);
    PatchU32(image.bytes, (child ? runway + 52 : runway) + 2, size);
  };
}

// One file of two airports, KAAA (as the case gives it) and KBBB; the case may damage the written
// bytes too. No message: what the scenery tools write is read as well as it can be.
TEST(AirportBglTest, ReadsWhatTheRecordsSay) {
  AirportDesc closedRunway = SampleAirport("KAAA");
  RunwayDesc& closed = closedRunway.runways.emplace_back();
  closed.surface = 1;
  closed.length = 3000;
  closed.primaryIls = "ICLO";
  closed.secondaryClosed = true;
  closed.lighting = 4;
  closed.children = {RunwayChild{0x0B, 7}};
  AirportDesc parking = SampleAirport("KAAA");
  parking.parkingLists = {{0x3D, {Space(12), Space(1), Space(12), Space(14)}}};
  AirportDesc oregon = SampleAirport("KAAA");
  oregon.state = "Oregon";
  AirportDesc orphan = SampleAirport("KAAA");
  orphan.recordIdent = "ZZZZ";
  AirportDesc walked = SampleAirport("KAAA");
  walked.runways[0].children = {RunwayChild{0x0C, 3}};
  walked.coms = {Com(6, 118000000)};
  walked.parkingLists = {ParkingListDesc{0x3D, {Space(1), Space(2)}}};
  struct Case {
    const char* name;
    AirportDesc airport;
    std::string facts;  // of KAAA
    std::function<void(BglImage&)> damage = {};
  };
  const std::vector<Case> cases = {
      {"a closed runway counts only for its approach lights", closedRunway,
       "runwayCount=1;runways=4:1500:30,;longest=1500;surfaces=0x10;ils=0;lights=0;approach=7;"},
      {"tower before unicom", WithComs({Com(6, 118300000), Com(3, 122800000)}), "tower=118300000;class=D;"},
      {"unicom before tower", WithComs({Com(3, 122800000), Com(6, 118300000)}), "tower=118300000;class=D;"},
      {"multicom only, then a flight service station", WithComs({Com(2, 122900000), Com(11, 122200000)}),
       "tower=122900000;class=G;coms=0x804;"},
      {"fuel parking counts as GA ramp, types above 13 are stored only", parking,
       "parking=1x3,;spaces=12:10,1:10,12:10,14:10,;"},
      {"names are cut to 48 bytes", SampleAirport("KAAA", std::string(60, 'x')),
       "name=" + std::string(48, 'x') + ";"},
      {"military names, case-sensitively", SampleAirport("KAAA", "Ramstein AB"), "military=1;"},
      {"the state index is the upper four bits", oregon, "place=North America/United States/Oregon/Seattle;",
       [](BglImage& image) { image.bytes.at(image.icaoList + 2) |= 0x0F; }},
      {"a name index beyond its list names nothing", SampleAirport("KAAA"),
       "place=/United States/Washington/Seattle;runways=4:1500:30,;",
       [](BglImage& image) { image.bytes.at(image.icaoList) = 9; }},
      {"a record whose ident has no name-list entry is skipped", orphan, "runwayCount=0;runways=;alt=0;"},
      {"a sub-record of size 0 ends the walk", SampleAirport("KAAA"), "runways=;alt=100;",
       [](BglImage& image) { PatchU32(image.bytes, image.recordOffsets[0] + 56 + 2, 0); }},
      // Sub-record sizes that do not add up, as some scenery tools write them: a sub-record is read when
      // its fields lie inside the record, and the walk goes on by the declared size (inside the runway,
      // for a size below its header, until a size leads it out of the record).
      {"a runway whose size leads far past its record", walked,
       "runways=4:1500:30,;approach=3;tower=0;spaces=;", RunwaySize(1638400)},
      {"a runway whose size is below its header", walked, "runways=4:1500:30,;approach=0;tower=0;spaces=;",
       RunwaySize(3)},
      {"a runway child that runs past its runway", walked,
       "runways=4:1500:30,;approach=3;tower=118000000;spaces=1:10,2:10,;", RunwaySize(25, true)}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BglImage image =
        bgl::WriteAirportBgl(SampleFile(kDay0, {c.airport, WithAltitude(SampleAirport("KBBB"), 300, 900)}));
    if (c.damage) c.damage(image);
    SceneryFixture f;
    EXPECT_EQ(f.Read(image.bytes).status, BglReadStatus::kRead);
    EXPECT_TRUE(f.prompter.messages.empty());
    ExpectFacts(f.Indexed("KAAA"), c.facts);
    ExpectFacts(f.Indexed("KBBB"), "alt=300;runways=4:900:30,;");
    EXPECT_EQ(f.Indexed("ZZZZ"), nullptr);
  }
}

// A second read of an airport: the newer file's data (the later read's at equal stamps) replaces the
// first read's, whole; the name is always the later read's.
TEST(AirportBglTest, MergesFilesIntoTheWorld) {
  AirportDesc older = WithAltitude(SampleAirport("KAAA", "Older Name"), 100, 1000);
  older.coms = {Com(8, 119000000)};
  older.parkingLists = {{0x3D, {Space(1), Space(2)}}};
  AirportDesc newer = WithAltitude(older, 200, 2000);
  newer.name = "Newer Name";
  struct Case {
    const char* name;
    const AirportDesc* first;
    TimeValue firstStamp;
    const AirportDesc* second;
    TimeValue secondStamp;
    std::string facts;
    bool updated;
  } cases[] = {{"a newer file read second replaces the data", &older, kDay0, &newer, kDay0 + kDay,
                "name=Newer Name;alt=200;runways=4:2000:30,;", true},
               {"an older file read second keeps the data but renames the airport", &newer, kDay0 + kDay,
                &older, kDay0, "name=Older Name;alt=200;runways=4:2000:30,;", false},
               {"with equal stamps the file read later wins", &newer, kDay0, &older, kDay0,
                "name=Older Name;alt=100;runways=4:1000:30,;", true},
               {"the same file read twice gives one set of runways and parking", &older, kDay0, &older, kDay0,
                "runwayCount=1;runways=4:1000:30,;approachComs=1;parking=1x1,2x1,;spaces=1:10,2:10,;", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SceneryFixture f;
    f.Read(SampleFile(c.firstStamp, {*c.first}));
    const BglReadResult second = f.Read(SampleFile(c.secondStamp, {*c.second}));
    EXPECT_TRUE(f.prompter.messages.empty());
    ExpectFacts(f.Indexed("KAAA"), c.facts);
    EXPECT_EQ(f.Indexed("KAAA")->sceneryFileTime, std::max(c.firstStamp, c.secondStamp));
    EXPECT_EQ(second.updated,
              c.updated ? std::vector<CAirport*>{f.Indexed("KAAA")} : std::vector<CAirport*>{});
    EXPECT_TRUE(second.added.empty());
  }

  // An airport under another city is another airport; the index names the one read last.
  SceneryFixture f;
  f.Read(SampleFile(kDay0, {SampleAirport("KAAA", "A", "Alpha")}));
  const BglReadResult second =
      f.Read(SampleFile(kDay0, {WithAltitude(SampleAirport("KAAA", "B", "Beta"), 7, 1)}));
  EXPECT_EQ(second.added, std::vector<CAirport*>{f.Indexed("KAAA")});
  ExpectFacts(f.Indexed("KAAA"), "place=North America/United States/Washington/Beta;alt=7;");
  const CCity* alpha = f.Indexed("KAAA")->city->state->cities.Find("Alpha");
  ASSERT_NE(alpha, nullptr);
  ExpectFacts(alpha->airports.Find("KAAA"), "name=A;alt=100;");
}

// A file without the airport layout is left alone; a damaged one is reported, and what its name
// list gave stays.
TEST(AirportBglTest, LeavesOtherFilesAloneAndReportsDamagedOnes) {
  const BglImage valid = bgl::WriteAirportBgl(
      SampleFile(kDay0, {SampleAirport("KAAA"), WithAltitude(SampleAirport("KBBB"), 300, 900)}));
  const std::uint32_t s = valid.airportSubsectionTable;
  const std::uint32_t p = valid.nameListSubsectionTable;
  const std::uint32_t q = valid.nameList;
  const std::uint32_t record = valid.recordOffsets[0];
  const auto seekError = [](std::uint32_t at) {
    return "Seek error at " + std::to_string(at) +
           " in File test.bgl\nPlease report the filename to <see \"Reporting a problem\" in Wingfold's "
           "README>";
  };
  struct Case {
    const char* name;
    std::function<void(Bytes&)> damage;
    std::string message;    // the message, or its start; empty: the file is left alone
    const char* kept = "";  // an airport of the first pass that stays, without runways
  };
  const std::vector<Case> cases = {
      {"first section is not the airport section",
       [](Bytes& b) { b = bgl::WriteOtherBgl(0x13, bgl::FileTimeFromStamp(kDay0)); }, ""},
      {"a header without sections (a compiled traffic file of the stand-in compiler)",
       [](Bytes& b) {
         b.resize(56);
         PatchU32(b, 20, 0);
       },
       ""},
      {"a short file of another kind", [](Bytes& b) { b = {'t', 'e', 'x', 't', '\n', 0, 0, 0}; }, ""},
      {"link block", [&](Bytes& b) { PatchU32(b, s - 16, 4); }, ""},
      {"file shorter than its header", [](Bytes& b) { b.resize(20); },
       "test.bgl: offset 0x0: the file header needs 56 bytes, the file has 20"},
      {"first section entry cut off", [](Bytes& b) { b.resize(60); },
       "test.bgl: offset 0x38: the first section entry needs 16 bytes, the file ends at 0x3C"},
      {"S beyond the file", [](Bytes& b) { PatchU32(b, 56 + 12, 0x7FFFFFF0); }, seekError(0)},
      {"R beyond the file", [&](Bytes& b) { PatchU32(b, s + 8, 0xFFFFFF00); }, seekError(q), "KBBB"},
      {"name list header cut off", [&](Bytes& b) { PatchU32(b, p + 8, b.size() - 10); },
       "test.bgl: offset 0x"},
      {"name offset outside the file", [&](Bytes& b) { PatchU32(b, q + ReadU32(b, q + 18), 0x7FFFFFFF); },
       "test.bgl: offset 0x"},
      {"record size below its header", [&](Bytes& b) { PatchU32(b, record + 2, 5); },
       "test.bgl: offset " + Hex(record) + ": airport record of size 5 is below its 6-byte header", "KBBB"},
      {"one byte short (the name list ends the file)", [](Bytes& b) { b.pop_back(); }, "test.bgl: offset 0x",
       "KAAA"}};

  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SceneryFixture f;
    Bytes bytes = valid.bytes;
    c.damage(bytes);
    const BglReadResult result = f.Read(bytes);
    EXPECT_EQ(result.errors, f.prompter.messages);
    if (c.message.empty()) {
      EXPECT_EQ(std::tuple(result.status, result.LayoutCode(), result.airportFile, f.prompter.messages.size(),
                           f.world.regionMap.size()),
                std::tuple(BglReadStatus::kLeftAlone, 0, false, 0u, 0u));
      continue;
    }
    EXPECT_EQ(std::tuple(result.status, result.LayoutCode()), std::tuple(BglReadStatus::kError, 1));
    ASSERT_EQ(f.prompter.messages.size(), 1u);
    EXPECT_TRUE(f.prompter.messages[0].starts_with(c.message)) << f.prompter.messages[0];
    for (const auto& [ident, airport] : f.world.airportIndex) EXPECT_EQ(airport->icao, ident);
    if (*c.kept != '\0') {
      ExpectFacts(f.Indexed(c.kept), "runways=;");
    } else {
      EXPECT_TRUE(f.world.airportIndex.empty());
    }
  }
}

TEST(AirportBglTest, ReportsAFileThatCannotBeOpened) {
  SceneryFixture f;
  const BglReadResult result = CAirportBGL("/nonexistent/folder/APX.bgl", f.Context()).Read();
  EXPECT_EQ(std::tuple(result.status, result.airportFile), std::tuple(BglReadStatus::kError, false));
  EXPECT_EQ(f.prompter.messages, std::vector<std::string>{"Cannot open /nonexistent/folder/APX.bgl"});
}

}
}
