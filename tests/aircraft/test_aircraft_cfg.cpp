#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "aircraft/aircraft_cfg.h"
#include "aircraft/aircraft_test_support.h"
#include "geo/units.h"

namespace wf {
namespace {

using test::Edited;
using test::kPistonSingleCfg;

// Litres per hour of the 180 hp four-cylinder of kPistonSingleCfg at compression ratio 8.5.
constexpr float kPistonFlow = 42.1629524f;
// Usage masks (bits 0 Private .. 5 Taxi; the bits above stay set).
constexpr std::int32_t kAllButTaxi = ~(1 << kTaxi);
constexpr std::int32_t kPrivateOnly = ~0b111110;
constexpr std::int32_t kNoClubTrainingRental = ~0b001110;

AircraftCfgValues Values(const std::string& text) {
  NullProgress progress;
  return ReadAircraftCfgValues(text, progress);
}

std::unique_ptr<CAircraft> Derived(const std::string& text, const Settings& settings = Settings()) {
  return DeriveAircraft(Values(text), settings, "Tourer_172", "/sim/SimObjects/Airplanes/Tourer_172");
}

TEST(AircraftCfgValues, LineRulesOfRealFiles) {
  using V = AircraftCfgValues;
  struct Case {
    const char* what;
    std::string text;
    std::int32_t V::*field;
    std::int32_t expected;
  } cases[] = {
      {"a comment with brackets keeps the section",
       "[fuel]\n// fuel system [ two engine pumps ]\nLeftMain = 0, 0, 0, 20, 1\n", &V::fuelTotal, 19},
      {"commented-out keys are ignored",
       "[piston_engine]\nmax_rated_hp = 180\n//max_rated_hp = 250\n ; max_rated_hp=9\n", &V::powerValue, 180},
      {"section names in any case", "[GENERALENGINEDATA]\nEngine_Type = 5\n", &V::engineType, 5},
      {"keys count only in their section", "[general]\nwing_span = 36\n", &V::wingSpan, 0},
      {"a value that is not a number leaves the value",
       "[airplane_geometry]\nwing_span = 36\nwing_span = n/a\n", &V::wingSpan, 36},
      {"tanks of every name, free spacing, comments",
       "[fuel]\n"
       "Center1   = -7.5, 0.0, 1.0, 12.0, 0.0   // centre\n"
       "Center2= 0,0,0,10.9,0\n"
       "LeftMain  =  -1.0 , -6.0 , 0.5 , 56.0 , 0.5 ; main\n"
       "RightAux = -1.5, 12.0, 0.8, 40.0, 0.5\n"
       "LeftTip = -0.5, -23.5, 3.0, 21.0\n"
       "External1 = 0, 0, 0, 5, 6\n"
       "number_of_tank_selectors = 2\n",
       &V::fuelTotal, 12 + 10 + 55 + 39 + 21 - 1},
      {"radios: com, nav and transponder",
       "[Radios]\nAudio.1 = 1\nCom.1 = 1, 1\nNav.1 = 1, 1, 1\nTransponder.1 = 1\n", &V::radioMask, 7},
      {"radios: VFR only", "[Radios]\nCom.1 = 1, 1\nNav.1 = 0, 0, 0\nTransponder.1 = 1\n", &V::radioMask, 5},
      {"contact points: scrapes, floats and skids are no wheels",
       "[contact_points]\npoint.0=2, 0, 0\npoint.1 = 4, 0, 0\npoint.2=  3, 0\nmax_number_of_points = 1\n",
       &V::hasWheels, 0},
      {"the last engine line counts the engines",
       "[GeneralEngineData]\nEngine.0 = 0, -6, 0\nEngine.1 = 0, 6, 0\n", &V::lastEngineIndex, 1},
      {"turboprop: torque after static thrust",
       "[TurbineEngineData]\nstatic_thrust = 1200.0\n[turboprop_engine]\nmaximum_torque = 1865.0\n",
       &V::powerValue, -1865},
      {"turboprop: torque before static thrust",
       "[turboprop_engine]\nmaximum_torque = 1865.0\n[TurbineEngineData]\nstatic_thrust = 1200.0\n",
       &V::powerValue, -1865},
      {"jet: static thrust only", "[TurbineEngineData]\nstatic_thrust = 1460\n", &V::powerValue, -1460},
      {"weights: empty_weight_ keys are other keys",
       "[weight_and_balance]\nempty_weight_pitch_MOI = 1400\nempty_weight = 1663\nempty_weight_CG_position = "
       "-5\n",
       &V::emptyWeight, 1663},
      {"CR LF and a byte-order mark", "\xEF\xBB\xBF[Reference Speeds]\r\ncruise_speed = 122\r\n",
       &V::cruiseSpeed, 122},
  };
  for (const Case& c : cases) EXPECT_EQ(Values(c.text).*c.field, c.expected) << c.what;
}

TEST(AircraftCfgValues, GearWordsFromTitlesAndUiType) {
  struct Case {
    std::string text;
    int amphibian, skis, bushPlane;
  } cases[] = {
      {"[fltsim.0]\ntitle=Bush Cub Tundra Tires\n", 0, 0, 1},
      {"[fltsim.0]\ntitle=Utility Turboprop Floats\n", 1, 0, 0},
      {"[fltsim.0]\ntitle=Utility Radial on Skis\n", 0, 1, 0},
      {"[fltsim.0]\ntitle=Amphibian on skis with tundra tires\n", 1, 0, 0},  // the first word decides
      {"[fltsim.0]\ntitle=Cub Skis\n[fltsim.1]\ntitle=Cub Tundra\n", 0, 1, 1},
      {"[fltsim.0]\nui_type=\"Amphibian\"\n", 1, 0, 0},
      {"[fltsim.0]\nui_typerole=\"Floats\"\n", 1, 0, 0},
      {"[CameraDefinition.0]\nTitle = \"Tundra view\"\n", 0, 0, 1},  // any title line counts
      {"[fltsim.0]\ntitle=Float plane\n", 0, 0, 0},                  // "floats", not "float"
  };
  for (const Case& c : cases) {
    const AircraftCfgValues v = Values(c.text);
    EXPECT_EQ(v.amphibian, c.amphibian) << c.text;
    EXPECT_EQ(v.skis, c.skis) << c.text;
    EXPECT_EQ(v.bushPlane, c.bushPlane) << c.text;
  }
}

TEST(AircraftCfgValues, GarbageNeverBreaksTheReader) {
  // Pieces of real files in random order, numbers at the edges of their types included: the reader
  // must neither crash nor overflow (the sanitizer build checks the latter).
  std::vector<std::string> pieces;
  std::string_view all =
      "[fuel]\n|[radios]\n|[piston_engine]\n|[GeneralEngineData]\n|[turboprop_engine]\n|[TurbineEngineData]"
      "\n|"
      "[Reference Speeds]\n|[weight_and_balance]\n|[contact_points]\n|[airplane_geometry]\n|[fltsim.0]\n|"
      "LeftMain=|Center1 = |com.1=|nav.1=|transponder.1=|point.0=|Engine.|engine_type=|compression_ratio=|"
      "max_rated_hp=|maximum_torque=|static_thrust=|power_scalar=|fuel_flow_scalar=|cylinder_displacement=|"
      "number_of_cylinders=|max_rated_rpm=|cruise_speed=|flaps_up_stall_speed=|full_flaps_stall_speed=|"
      "empty_weight=|max_gross_weight=|wing_span=|fuel_type=|title=|sim=|atc_parking_types=|ui_type=|1e39|-"
      "1e39|"
      "99999999999|-2147483648|2147483647|0|-0|4.4|.|,|, |=|[|]|//|;|\r|\n|\r\n| "
      "|\t|\xEF\xBB\xBF|\xFF|floats|CARGO";
  for (std::size_t bar; (bar = all.find('|')) != std::string_view::npos; all.remove_prefix(bar + 1)) {
    pieces.emplace_back(all.substr(0, bar));
  }
  pieces.emplace_back(all);
  pieces.emplace_back(1, '\0');
  std::uint32_t state = 20240601;
  const auto next = [&state] {
    state = state * 1103515245u + 12345u;
    return state >> 8;
  };
  for (int i = 0; i < 400; ++i) {
    std::string text;
    const std::uint32_t count = next() % 300;
    for (std::uint32_t k = 0; k < count; ++k) text += pieces[next() % pieces.size()];
    const auto a = Derived(text);
    EXPECT_TRUE(a->probability >= 0.0f && a->probability <= 100.0f) << i;
    HasSimLine(text);
    ReadVariationLines(text);
  }
}

TEST(AircraftCfgValues, SimLines) {
  EXPECT_TRUE(HasSimLine(kPistonSingleCfg));
  EXPECT_TRUE(HasSimLine("  SIM = x\r\n"));
  EXPECT_FALSE(HasSimLine("sim.0=x\n"));
  EXPECT_FALSE(HasSimLine("sim\n"));
  EXPECT_FALSE(HasSimLine("//sim=x\n"));
  EXPECT_FALSE(HasSimLine("model=sim=x\n"));
}

TEST(AircraftCfgDerive, ThePistonSingle) {
  const auto a = Derived(kPistonSingleCfg);
  EXPECT_EQ(a->name, "Tourer_172");
  EXPECT_EQ(a->folderPath, "/sim/SimObjects/Airplanes/Tourer_172");
  EXPECT_EQ(a->seen, 1);
  EXPECT_EQ(a->fuelCapacity, 196);  // 52 gal
  EXPECT_EQ(a->ceiling, 122 * 115);
  EXPECT_EQ(a->fuelType, FuelType::kAvgas);
  EXPECT_EQ(a->emptyWeight, 754);
  EXPECT_EQ(a->maxWeight, 1156);
  EXPECT_EQ(a->stallSpeed, 44);
  EXPECT_EQ(a->cruiseSpeed, 122);
  EXPECT_EQ(a->engineType, EngineType::kPiston);
  EXPECT_EQ(a->useForGA, 1);
  EXPECT_EQ(a->engineCount, 1);
  EXPECT_EQ(a->hasWheels, 1);
  EXPECT_EQ(a->wingSpan, 10);  // 36 ft = 10.97 m
  EXPECT_EQ(a->ifr, 1);
  EXPECT_FLOAT_EQ(a->fuelFlow, kPistonFlow);
  EXPECT_EQ(a->range, 567);  // 196 l / 42.16 l/h x 122 kt
  EXPECT_EQ(a->probability, 100.0f);
  EXPECT_EQ(a->usage, kAllButTaxi);  // empty weight 754 kg is below the taxi minimum
  EXPECT_FLOAT_EQ(a->moneyPerWeek, static_cast<float>(LitersToGallons(196) * 70 * 2.65));
}

TEST(AircraftCfgDerive, ProbabilityUsageAndGAUse) {
  const std::string kPiston = "[piston_engine]\n";
  struct Case {
    const char* what;
    std::vector<std::pair<std::string, std::string>> edits;
    std::int32_t useForGA;
    float probability;
    std::int32_t usage;
  } cases[] = {
      {"compression ratio 4.4: weight 0, Private only",
       {{kPiston, kPiston + "compression_ratio = 4.4\n"}},
       1,
       0.0f,
       kPrivateOnly},
      {"compression ratio 7: about 40",
       {{kPiston, kPiston + "compression_ratio = 7\n"}},
       1,
       40.214f,
       kPrivateOnly},
      {"below 4.4 the square grows again",
       {{kPiston, kPiston + "compression_ratio = 3.0\n"}},
       1,
       11.66f,
       kPrivateOnly},
      {"above 100 is capped", {{kPiston, kPiston + "compression_ratio = 12\n"}}, 1, 100.0f, kAllButTaxi},
      {"a jet loses Club, Training and Rental, keeps Taxi",
       {{"engine_type = 0", "engine_type = 1"}, {"fuel_type = 1", "fuel_type = 2"}},
       1,
       100.0f,
       kNoClubTrainingRental},
      {"avgas at the taxi minimum loses Taxi (3970 lb = 1800 kg)",
       {{"empty_weight = 1663", "empty_weight = 3970"}},
       1,
       100.0f,
       kAllButTaxi},
      {"avgas above it keeps everything", {{"empty_weight = 1663", "empty_weight = 3971"}}, 1, 100.0f, -1},
      {"above the private limit (11030 lb = 5003 kg)",
       {{"max_gross_weight = 2550", "max_gross_weight = 11030"}},
       1,
       100.0f,
       kAllButTaxi & ~(1 << kPrivate)},
      {"cruise above 250",
       {{"cruise_speed = 122.0", "cruise_speed = 251"}},
       1,
       100.0f,
       kAllButTaxi & kNoClubTrainingRental},
      {"at the GA limit (30865 lb = 14000 kg)",
       {{"max_gross_weight = 2550", "max_gross_weight = 30865"}},
       0,
       0.0f,
       kPrivateOnly & ~(1 << kPrivate)},
      {"just below it", {{"max_gross_weight = 2550", "max_gross_weight = 30864"}}, 1, 100.0f, ~0b100001},
      {"no engine", {{"engine_type = 0", "engine_type = 2"}}, 0, 0.0f, kPrivateOnly},
      {"helicopter turbine", {{"engine_type = 0", "engine_type = 3"}}, 1, 0.0f, kPrivateOnly},
      {"no wheels", {{"point.0=1,", "point.0=4,"}}, 1, 0.0f, kPrivateOnly},
      {"a cruise speed that is not a number",
       {{"cruise_speed = 122.0", "cruise_speed = fast"}},
       0,
       0.0f,
       kPrivateOnly},
      {"no full-flaps stall speed", {{"full_flaps_stall_speed = 40.0", ""}}, 0, 0.0f, kPrivateOnly},
      {"a negative wing span", {{"wing_span = 36.1", "wing_span = -36"}}, 0, 0.0f, kPrivateOnly},
      // Unusable fuel above the capacity: a negative fuel sum, and so a negative range.
      {"a tank of negative capacity",
       {{"LeftMain = -1.5, -8.5, 3.3, 28.0, 1.5", "LeftMain = 0, 0, 0, -5000, 0"}},
       0,
       0.0f,
       kPrivateOnly},
  };
  for (const Case& c : cases) {
    const auto a = Derived(Edited(kPistonSingleCfg, c.edits));
    EXPECT_EQ(a->useForGA, c.useForGA) << c.what;
    EXPECT_NEAR(a->probability, c.probability, 0.01f) << c.what;
    EXPECT_EQ(a->usage, c.usage) << c.what;
  }
}

TEST(AircraftCfgDerive, FuelFlowAndRange) {
  const std::string kTurbine =
      "[TurbineEngineData]\nstatic_thrust = 1200.0\n[turboprop_engine]\nmaximum_torque = 1865.0\n";
  struct Case {
    const char* what;
    std::vector<std::pair<std::string, std::string>> edits;
    float fuelFlow;
    std::int32_t engineCount, range;
  } cases[] = {
      {"two engines halve the range",
       {{"[piston_engine]", "[GeneralEngineData]\nEngine.1 = 0,0,0\n[piston_engine]"}},
       kPistonFlow,
       2,
       283},
      {"power scalar and fuel flow scalar",
       {{"power_scalar = 1.0", "power_scalar = 2.0"}, {"fuel_flow_scalar = 1.0", "fuel_flow_scalar = 1.5"}},
       kPistonFlow * 0.75f,
       1,
       756},
      {"turboprop: torque x 0.08", {{"max_rated_hp = 180\n", kTurbine}}, 149.2f, 1, 160},
      {"jet: thrust x 0.08",
       {{"max_rated_hp = 180\n", "[TurbineEngineData]\nstatic_thrust = 1460\n"}},
       116.8f,
       1,
       204},
      {"no power: no fuel flow, range 0", {{"max_rated_hp = 180\n", ""}}, 0.0f, 1, 0},
      {"no cylinders: no fuel flow, range 0",
       {{"number_of_cylinders = 4", "number_of_cylinders = 0"}},
       0.0f,
       1,
       0},
      {"no engines: range 0", {{"Engine.0 =", "Engine.-1 ="}}, kPistonFlow, 0, 0},
      {"compression ratio 0: infinite flow, range 0",
       {{"[piston_engine]\n", "[piston_engine]\ncompression_ratio=0\n"}},
       std::numeric_limits<float>::infinity(),
       1,
       0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto a = Derived(Edited(kPistonSingleCfg, c.edits));
    EXPECT_FLOAT_EQ(a->fuelFlow, c.fuelFlow);
    EXPECT_EQ(a->engineCount, c.engineCount);
    EXPECT_EQ(a->range, c.range);
  }
}

TEST(AircraftCfgVariations, TitlesAndParkingTypes) {
  struct Case {
    const char* what;
    std::string text;
    std::vector<std::string> titles;
    std::vector<bool> notForGA;
  } cases[] = {
      {"a comma in the title",
       "[fltsim.0]\ntitle=Tourer 172, blue\n[fltsim.1]\ntitle=Tourer 172 red\n",
       {"Tourer 172, blue", "Tourer 172 red"},
       {true, false}},
      {"GA_RAMP,CARGO stays",
       "[fltsim.0]\ntitle=Cargo A\natc_parking_types=GA_RAMP,CARGO\n",
       {"Cargo A"},
       {false}},
      {"CARGO alone", "[fltsim.0]\ntitle=Cargo B\natc_parking_types=CARGO\n", {"Cargo B"}, {true}},
      {"military in any case",
       "[fltsim.0]\ntitle=M1\natc_parking_types = mil_combat\n[fltsim.1]\ntitle=M2\n"
       "atc_parking_types=RAMP,MIL_CARGO\n",
       {"M1", "M2"},
       {true, true}},
      {"a parking line belongs to the title before it",
       "atc_parking_types=CARGO\n[fltsim.0]\ntitle=First\n[fltsim.1]\ntitle=Second\natc_parking_types="
       "CARGO\n",
       {"First", "Second"},
       {false, true}},
      {"titles outside fltsim sections are no variations",
       "[CameraDefinition.0]\nTitle = \"Virtual Cockpit\"\n[fltsim.0]\ntitle=Real\n",
       {"Real"},
       {false}},
      {"case kept, leading blanks removed, trailing blanks kept, no CR",
       "[FLTSIM.0]\r\n  Title =  Tourer 172 \xE9t\xE9  \r\n",
       {"Tourer 172 \xE9t\xE9  "},
       {false}},
      {"brackets in a title do not open a section",
       "[fltsim.0]\ntitle=Tourer [floats]\natc_parking_types=CARGO\n",
       {"Tourer [floats]"},
       {true}},
      {"an empty title is no variation and ends the one before",
       "[fltsim.0]\ntitle=Kept\n[fltsim.1]\ntitle=\natc_parking_types=CARGO\n",
       {"Kept"},
       {false}},
      {"a commented-out title is none", "[fltsim.0]\n//title=Old\ntitle=New\n", {"New"}, {false}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::vector<VariationLine> lines = ReadVariationLines(c.text);
    std::vector<std::string> titles;
    std::vector<bool> notForGA;
    for (const VariationLine& line : lines) {
      titles.push_back(line.title);
      notForGA.push_back(line.NotForGA());
    }
    EXPECT_EQ(titles, c.titles);
    EXPECT_EQ(notForGA, c.notForGA);
  }
}

}
}
