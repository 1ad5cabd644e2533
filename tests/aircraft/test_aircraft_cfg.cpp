#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "aircraft/aircraft_cfg.h"
#include "aircraft/aircraft_test_support.h"
#include "aircraft/cfg_text.h"
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
      {"weights: empty_weight_ keys are other keys",
       "[weight_and_balance]\nempty_weight_pitch_MOI = 1400\nempty_weight = 1663\nempty_weight_CG_position = "
       "-5\n",
       &V::emptyWeight, 1663},
      {"CR LF and a byte-order mark", "\xEF\xBB\xBF[Reference Speeds]\r\ncruise_speed = 122\r\n",
       &V::cruiseSpeed, 122}};
  for (const Case& c : cases) EXPECT_EQ(Values(c.text).*c.field, c.expected) << c.what;
}

TEST(AircraftCfgValues, GearWordsFromTitlesAndUiType) {
  struct Case {
    std::string text;
    int amphibian, skis, bushPlane;
  } cases[] = {
      {"[fltsim.0]\ntitle=Bush Cub Tundra Tires\n", 0, 0, 1},
      {"[fltsim.0]\ntitle=Utility Turboprop Floats\n", 1, 0, 0},
      {"[fltsim.0]\ntitle=Amphibian on skis with tundra tires\n", 1, 0, 0},  // the first word decides
      {"[fltsim.0]\ntitle=Cub Skis\n[fltsim.1]\ntitle=Cub Tundra\n", 0, 1, 1},
      {"[fltsim.0]\nui_type=\"Amphibian\"\n", 1, 0, 0},
      {"[fltsim.0]\nui_typerole=\"Floats\"\n", 1, 0, 0},
      {"[CameraDefinition.0]\nTitle = \"Tundra view\"\n", 0, 0, 1},  // any title line counts
      {"[fltsim.0]\ntitle=Float plane\n", 0, 0, 0},                  // "floats", not "float"
  };
  for (const Case& c : cases) {
    const AircraftCfgValues v = Values(c.text);
    EXPECT_EQ(std::tuple(v.amphibian, v.skis, v.bushPlane), std::tuple(c.amphibian, c.skis, c.bushPlane))
        << c.text;
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
  // 52 gal are 196 l; 2550 and 1663 lb 1156 and 754 kg; 36 ft 10.97 m; the range is 196 l at 42.16 l/h
  // and 122 kt; the empty weight is below the taxi minimum.
  EXPECT_EQ(std::tuple(a->seen, a->fuelCapacity, a->ceiling, a->emptyWeight, a->maxWeight, a->stallSpeed,
                       a->cruiseSpeed, a->engineCount, a->wingSpan, a->range, a->usage),
            std::tuple(1, 196, 122 * 115, 754, 1156, 44, 122, 1, 10, 567, kAllButTaxi));
  EXPECT_EQ(std::tuple(a->fuelType, a->engineType, a->useForGA, a->hasWheels, a->ifr, a->probability),
            std::tuple(FuelType::kAvgas, EngineType::kPiston, 1, 1, 1, 100.0f));
  EXPECT_FLOAT_EQ(a->fuelFlow, kPistonFlow);
  EXPECT_FLOAT_EQ(a->moneyPerWeek, static_cast<float>(LitersToGallons(196) * 70 * 2.65));
}

using Edits = std::vector<std::pair<std::string, std::string>>;

// The piston single's value of `key` replaced.
Edits Set(const std::string& line, const std::string& value) {
  return {{line, line.substr(0, line.find('=') + 1) + " " + value}};
}

Edits Compression(const std::string& ratio) {
  return {{"[piston_engine]\n", "[piston_engine]\ncompression_ratio = " + ratio + "\n"}};
}

TEST(AircraftCfgDerive, ProbabilityUsageAndGAUse) {
  const Edits jet = {{"engine_type = 0", "engine_type = 1"}, {"fuel_type = 1", "fuel_type = 2"}};
  struct Case {
    const char* what;
    std::int32_t useForGA;
    float probability;
    std::int32_t usage;
    Edits edits;
  } cases[] = {
      {"compression ratio 4.4: weight 0, Private only", 1, 0.0f, kPrivateOnly, Compression("4.4")},
      {"above 100 is capped", 1, 100.0f, kAllButTaxi, Compression("12")},
      {"a jet loses Club, Training and Rental, keeps Taxi", 1, 100.0f, kNoClubTrainingRental, jet},
      // 3970 lb are 1800 kg.
      {"avgas at the taxi minimum loses Taxi", 1, 100.0f, kAllButTaxi, Set("empty_weight = 1663", "3970")},
      {"avgas above it keeps everything", 1, 100.0f, -1, Set("empty_weight = 1663", "3971")},
      // 11030 lb are 5003 kg, 30865 lb 14000 kg.
      {"above the private limit", 1, 100.0f, kAllButTaxi & ~(1 << kPrivate),
       Set("max_gross_weight = 2550", "11030")},
      {"at the GA limit", 0, 0.0f, kPrivateOnly & ~(1 << kPrivate), Set("max_gross_weight = 2550", "30865")},
      {"no engine", 0, 0.0f, kPrivateOnly, Set("engine_type = 0", "2")},
      {"helicopter turbine", 1, 0.0f, kPrivateOnly, Set("engine_type = 0", "3")},
      {"no wheels", 1, 0.0f, kPrivateOnly, {{"point.0=1,", "point.0=4,"}}},
      {"a cruise speed that is not a number", 0, 0.0f, kPrivateOnly, Set("cruise_speed = 122.0", "fast")},
      {"a negative wing span", 0, 0.0f, kPrivateOnly, Set("wing_span = 36.1", "-36")},
      // Unusable fuel above the capacity: a negative fuel sum, and so a negative range.
      {"a tank of negative capacity", 0, 0.0f, kPrivateOnly,
       Set("LeftMain = -1.5, -8.5, 3.3, 28.0, 1.5", "0, 0, 0, -5000, 0")}};
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
  const std::string kJet = "[TurbineEngineData]\nstatic_thrust = 1460\n";
  const Edits scalars = {{"power_scalar = 1.0", "power_scalar = 2.0"},
                         {"fuel_flow_scalar = 1.0", "fuel_flow_scalar = 1.5"}};
  struct Case {
    const char* what;
    float fuelFlow;
    std::int32_t engineCount, range;
    Edits edits;
  } cases[] = {{"two engines halve the range", kPistonFlow, 2, 283,
                Set("fuel_flow_scalar = 1.0", "1.0\nEngine.1 = 0,0,0")},
               {"power and fuel flow scalars", kPistonFlow * 0.75f, 1, 756, scalars},
               {"turboprop: torque x 0.08", 149.2f, 1, 160, {{"max_rated_hp = 180\n", kTurbine}}},
               {"jet: thrust x 0.08", 116.8f, 1, 204, {{"max_rated_hp = 180\n", kJet}}},
               {"no power: no fuel flow, range 0", 0.0f, 1, 0, {{"max_rated_hp = 180\n", ""}}},
               {"no engines: range 0", kPistonFlow, 0, 0, {{"Engine.0 =", "Engine.-1 ="}}},
               {"compression ratio 0: infinite flow, range 0", std::numeric_limits<float>::infinity(), 1, 0,
                Compression("0")}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto a = Derived(Edited(kPistonSingleCfg, c.edits));
    EXPECT_FLOAT_EQ(a->fuelFlow, c.fuelFlow);
    EXPECT_EQ(a->engineCount, c.engineCount);
    EXPECT_EQ(a->range, c.range);
  }
}

// The variations read, each title followed by " (not GA)" when its parking types keep it from GA.
TEST(AircraftCfgVariations, TitlesAndParkingTypes) {
  const std::tuple<const char*, std::string, std::string> cases[] = {
      {"a comma in the title", "[fltsim.0]\ntitle=Tourer 172, blue\n[fltsim.1]\ntitle=Tourer 172 red\n",
       "Tourer 172, blue (not GA)|Tourer 172 red|"},
      {"GA_RAMP,CARGO stays", "[fltsim.0]\ntitle=Cargo A\natc_parking_types=GA_RAMP,CARGO\n", "Cargo A|"},
      {"CARGO alone", "[fltsim.0]\ntitle=Cargo B\natc_parking_types=CARGO\n", "Cargo B (not GA)|"},
      {"military in any case",
       "[fltsim.0]\ntitle=M1\natc_parking_types = "
       "mil_combat\n[fltsim.1]\ntitle=M2\natc_parking_types=RAMP,MIL_CARGO\n",
       "M1 (not GA)|M2 (not GA)|"},
      {"a parking line belongs to the title before it",
       "atc_parking_types=CARGO\n[fltsim.0]\ntitle=First\n[fltsim.1]\ntitle=Second\natc_parking_types="
       "CARGO\n",
       "First|Second (not GA)|"},
      {"titles outside fltsim sections are no variations",
       "[CameraDefinition.0]\nTitle = \"Virtual Cockpit\"\n[fltsim.0]\ntitle=Real\n", "Real|"},
      {"case kept, leading blanks removed, trailing blanks kept, no CR",
       "[FLTSIM.0]\r\n  Title =  Tourer 172 \xE9t\xE9  \r\n", "Tourer 172 \xE9t\xE9  |"},
      {"brackets in a title do not open a section",
       "[fltsim.0]\ntitle=Tourer [floats]\natc_parking_types=CARGO\n", "Tourer [floats] (not GA)|"},
      {"an empty title is no variation and ends the one before",
       "[fltsim.0]\ntitle=Kept\n[fltsim.1]\ntitle=\natc_parking_types=CARGO\n", "Kept|"},
      {"a commented-out title is none", "[fltsim.0]\n//title=Old\ntitle=New\n", "New|"}};
  for (const auto& [what, text, expected] : cases) {
    std::string read;
    for (const VariationLine& line : ReadVariationLines(text))
      read += line.title + (line.NotForGA() ? " (not GA)|" : "|");
    EXPECT_EQ(read, expected) << what;
  }
}

// What formatted input reads is LeadingWhole's and LeadingDecimal's (their tests); here the 32-bit
// and float ranges, and a target that stays when there is no number.
TEST(AircraftCfgText, NumbersAreReadLikePercentDAndPercentF) {
  const float kInf = std::numeric_limits<float>::infinity();
  struct Case {
    std::string text;
    std::int32_t whole;  // the targets start at -7 and 2.5
    float decimal;
  } cases[] = {{"  122.5 // knots", 122, 122.5f},
               {"99999999999", std::numeric_limits<std::int32_t>::max(), 99999999999.0f},
               {"4e38", 4, kInf},
               {".5", -7, 0.5f},
               {"abc", -7, 2.5f}};
  for (const Case& c : cases) {
    std::int32_t whole = -7;
    float decimal = 2.5f;
    EXPECT_EQ(ScanInt(c.text, whole), c.whole != -7) << c.text;
    EXPECT_EQ(ScanFloat(c.text, decimal), c.decimal != 2.5f) << c.text;
    EXPECT_EQ(whole, c.whole) << c.text;
    EXPECT_EQ(decimal, c.decimal) << c.text;
  }
}

TEST(AircraftCfgText, FloatListsStopAtTheFirstFieldThatIsNotANumber) {
  struct Case {
    std::string text;
    int read;
    std::vector<float> expected;  // targets start at 9
  } cases[] = {{"-1.5, -8.5, 3.3, 28.0, 1.5", 5, {-1.5f, -8.5f, 3.3f, 28.0f, 1.5f}},
               {"-1.5,-8.5,3.3,28,1.5 ; usable 26", 5, {-1.5f, -8.5f, 3.3f, 28.0f, 1.5f}},
               {"1, 2, 3, 40", 4, {1, 2, 3, 40, 9}},
               {"1, 2, x, 40, 1", 2, {1, 2, 9, 9, 9}},
               {"1 2 3 4 5", 1, {1, 9, 9, 9, 9}},
               {"", 0, {9, 9, 9, 9, 9}}};
  for (const Case& c : cases) {
    std::vector<float> targets(5, 9.0f);
    EXPECT_EQ(ScanFloatList(c.text, targets.data(), 5), c.read) << c.text;
    EXPECT_EQ(targets, c.expected) << c.text;
  }
}

TEST(AircraftCfgText, LinesEndAtCrLfLfOrCrAndTheByteOrderMarkIsDropped) {
  const std::vector<std::string_view> expected = {"[fltsim.0]", "title=A \xE9", "", "sim=x"};
  for (const std::string text : {
           "[fltsim.0]\r\ntitle=A \xE9\r\n\r\nsim=x\r\n",
           "[fltsim.0]\ntitle=A \xE9\n\nsim=x",
           "[fltsim.0]\rtitle=A \xE9\r\rsim=x\r",
       }) {
    EXPECT_EQ(SplitCfgLines(text), expected);
  }
}

// Sections, comments and values as the value and variation readers meet them are those tests'; here
// what they do not meet.
TEST(AircraftCfgText, WorkingLinesSectionsCommentsAndValues) {
  EXPECT_EQ(CfgLine("  [Reference Speeds]  // comment").SectionName(), "reference speeds");
  EXPECT_FALSE(CfgLine("title=Tourer [floats]").SectionName());
  EXPECT_FALSE(CfgLine("[unclosed").SectionName());
  EXPECT_FALSE(CfgLine("title Tourer").Value("title"));
  // The first "=" after the key, not the first of the line.
  EXPECT_EQ(CfgLine("a=b Com.1 = 1, 1").Value("com."), "1, 1");
}

}
}
