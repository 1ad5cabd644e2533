#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "aircraft/cfg_text.h"

namespace wf {
namespace {

// What formatted input reads is LeadingWhole's and LeadingDecimal's (their tests); here the 32-bit
// and float ranges, and a target that stays when there is no number.
TEST(AircraftCfgText, NumbersAreReadLikePercentDAndPercentF) {
  const float kInf = std::numeric_limits<float>::infinity();
  struct Case {
    std::string text;
    std::int32_t whole;  // the targets start at -7 and 2.5
    float decimal;
  } cases[] = {
      {"  122.5 // knots", 122, 122.5f},
      {"99999999999", std::numeric_limits<std::int32_t>::max(), 99999999999.0f},
      {"-99999999999", std::numeric_limits<std::int32_t>::min(), -99999999999.0f},
      {"4e38", 4, kInf},
      {"-4e38", -4, -kInf},
      {".5", -7, 0.5f},
      {"abc", -7, 2.5f},
  };
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
  } cases[] = {
      {"-1.5, -8.5, 3.3, 28.0, 1.5", 5, {-1.5f, -8.5f, 3.3f, 28.0f, 1.5f}},
      {"-1.5,-8.5,3.3,28,1.5 ; usable 26", 5, {-1.5f, -8.5f, 3.3f, 28.0f, 1.5f}},
      {"0.0 , 0.0 ,0.0 , 70.0 , 0.5", 5, {0, 0, 0, 70, 0.5f}},
      {"1, 2, 3, 40", 4, {1, 2, 3, 40, 9}},
      {"1, 2, x, 40, 1", 2, {1, 2, 9, 9, 9}},
      {"1 2 3 4 5", 1, {1, 9, 9, 9, 9}},
      {"", 0, {9, 9, 9, 9, 9}},
  };
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
           "[fltsim.0]\r\ntitle=A \xE9\n\r\nsim=x\n",
           "[fltsim.0]\rtitle=A \xE9\r\rsim=x\r",
           "\xEF\xBB\xBF[fltsim.0]\r\ntitle=A \xE9\r\n\r\nsim=x\r\n",
       }) {
    EXPECT_EQ(SplitCfgLines(text), expected);
  }
}

TEST(AircraftCfgText, WorkingLinesSectionsCommentsAndValues) {
  const CfgLine section("  [Reference Speeds]  // comment");
  EXPECT_EQ(section.SectionName(), "reference speeds");
  // Only a line that begins with "[" opens a section: a title with brackets stays a title.
  EXPECT_FALSE(CfgLine("title=Tourer [floats]").SectionName());
  EXPECT_FALSE(CfgLine("[unclosed").SectionName());

  EXPECT_TRUE(CfgLine("  // fuel system [ two engine pumps ]").IsComment());
  EXPECT_TRUE(CfgLine("\t;max_rated_hp=250").IsComment());
  EXPECT_FALSE(CfgLine("max_rated_hp=250 // hp").IsComment());

  const CfgLine title("\tTitle =  Tourer 172, Blue  ");
  EXPECT_EQ(title.Working(), "title =  tourer 172, blue  ");
  EXPECT_EQ(title.Value("title"), "Tourer 172, Blue  ");
  EXPECT_EQ(title.WorkingValue("title"), "tourer 172, blue  ");
  EXPECT_FALSE(CfgLine("title Tourer").Value("title"));
  // The first "=" after the key, not the first of the line.
  EXPECT_EQ(CfgLine("a=b Com.1 = 1, 1").Value("com."), "1, 1");
}

}
}
