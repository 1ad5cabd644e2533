#include <gtest/gtest.h>

#include <tuple>

#include "platform/errors.h"
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
  for (const char* broken : {"C:\\Tools\r\n[Flightplan]", "x\ny", "x\r"}) {
    EXPECT_THROW(ini.SetString("Path", "TTools", broken), FileError) << "a line break would add lines";
    EXPECT_THROW(ini.SetString("Path", broken, "x"), FileError);
  }
  EXPECT_EQ(ini.Text(),
            "; my settings\r\n[Fees]\r\nifr=130\r\n; keep me\r\nLights=250\r\nRunway=33\r\n\r\n"
            "[Unrelated]\r\nx=y\r\n[Path]\r\nTTools=C:\\Tools\r\n");
}

// UTF-16 as Windows' own profile functions and editors write it, a UTF-8 byte-order mark and old
// CR-only line ends are all read; a rewrite keeps the file's form.
TEST(IniProfileTest, ReadsEveryEncodingAndKeepsItsFormWhenWritten) {
  const auto utf16 = [](std::string_view text, bool bigEndian) {
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char c : text) {
      out += bigEndian ? '\0' : c;
      out += bigEndian ? c : '\0';
    }
    return out;
  };
  const std::string lines = "[Settings]\r\nGA_Percentage=77\r\n[Path]\r\nFS2004=C:\\FSX\r\n";
  // The form, its bytes, the bytes after setting [Path] TTools=T.
  const std::tuple<const char*, std::string, std::string> cases[] = {
      {"UTF-16, little-endian", utf16(lines, false), utf16(lines + "TTools=T\r\n", false)},
      {"UTF-16, big-endian", utf16(lines, true), utf16(lines + "TTools=T\r\n", true)},
      {"UTF-8 with its mark", "\xEF\xBB\xBF" + lines, "\xEF\xBB\xBF" + lines + "TTools=T\r\n"},
      {"CR line ends", "[Settings]\rGA_Percentage=77\r[Path]\rFS2004=C:\\FSX\r",
       "[Settings]\rGA_Percentage=77\r[Path]\rFS2004=C:\\FSX\rTTools=T\r"}};

  for (const auto& [name, bytes, rewritten] : cases) {
    SCOPED_TRACE(name);
    IniFile ini = IniFile::Parse(bytes);
    EXPECT_EQ(ini.GetInt("Settings", "GA_Percentage", 30), 77);
    EXPECT_EQ(ini.GetString("Path", "FS2004"), "C:\\FSX");
    ini.SetString("Path", "TTools", "T");
    EXPECT_EQ(ini.Text(), rewritten);
  }
  // Text outside ASCII survives the way through UTF-8 and back.
  IniFile wide = IniFile::Parse(std::string("\xFF\xFE[\0P\0]\0\r\0\n\0d\0=\0\xE9\0\x3D\xD8\x00\xDE", 22));
  EXPECT_EQ(wide.GetString("P", "d"), "\xC3\xA9\xF0\x9F\x98\x80");
  EXPECT_EQ(IniFile::Parse(wide.Text()).GetString("P", "d"), "\xC3\xA9\xF0\x9F\x98\x80");
}

}
}
