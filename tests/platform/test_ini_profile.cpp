#include <gtest/gtest.h>

#include "platform/ini_profile.h"

namespace wf {
namespace {

TEST(IniProfileTest, ReadsWithPrivateProfileRules) {
  const IniFile ini = IniFile::Parse(
      "; comment\r\n"
      "[ tuning ]\r\n"
      "  MAX_weight = 12000 kg \r\n"
      "quoted=\"  spaced  \"\r\n"
      "word=abc\r\n"
      "neg=-42x\r\n"
      "empty=\r\n"
      "[Other]\r\n"
      "max_weight=1\r\n");
  EXPECT_EQ(ini.GetString("Tuning", "max_weight"), "12000 kg");
  EXPECT_EQ(ini.GetInt("TUNING", "Max_Weight", 7), 12000);
  EXPECT_EQ(ini.GetString("tuning", "quoted"), "  spaced  ");
  EXPECT_EQ(ini.GetInt("tuning", "word", 7), 0) << "a present key without a number reads as 0";
  EXPECT_EQ(ini.GetInt("tuning", "neg", 7), -42);
  EXPECT_EQ(ini.GetInt("tuning", "empty", 7), 0);
  EXPECT_EQ(ini.GetInt("tuning", "missing", 7), 7);
  EXPECT_EQ(ini.GetInt("missing", "max_weight", 7), 7);
  EXPECT_EQ(ini.GetInt("other", "MAX_WEIGHT", 7), 1);
}

TEST(IniProfileTest, WritesInPlaceAndKeepsEverythingElse) {
  IniFile ini = IniFile::Parse(
      "; my settings\r\n"
      "[Fees]\r\n"
      "IFR=125 ; note\r\n"
      "; keep me\r\n"
      "Lights=250\r\n"
      "\r\n"
      "[Unrelated]\r\n"
      "x=y\r\n");
  ini.SetInt("fees", "ifr", 130);                // in place, key spelled as the caller spells it
  ini.SetInt("Fees", "Runway", 33);              // appended after the section's last line
  ini.SetString("Path", "TTools", "C:\\Tools");  // new section at the end
  EXPECT_EQ(ini.Text(),
            "; my settings\r\n"
            "[Fees]\r\n"
            "ifr=130\r\n"
            "; keep me\r\n"
            "Lights=250\r\n"
            "Runway=33\r\n"
            "\r\n"
            "[Unrelated]\r\n"
            "x=y\r\n"
            "[Path]\r\n"
            "TTools=C:\\Tools\r\n");
}

TEST(IniProfileTest, LeadingIntegerSaturatesInsteadOfOverflowing) {
  EXPECT_EQ(LeadingInteger("99999999999999999999999"), INT64_MAX);
  EXPECT_EQ(LeadingInteger("  +17abc"), 17);
  EXPECT_EQ(LeadingInteger("-"), 0);
}

}
}
