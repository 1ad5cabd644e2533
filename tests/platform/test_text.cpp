#include <gtest/gtest.h>

#include "platform/text.h"

namespace wf {
namespace {

// Only A-Z and a-z fold; Windows-1252 and UTF-8 letters stay as they are.
TEST(Text, CaseFoldingTouchesOnlyAsciiLetters) {
  EXPECT_EQ(ToUpperAscii("ksea-Z09 \xE4\xC3\xA4@[`{"), "KSEA-Z09 \xE4\xC3\xA4@[`{");
  EXPECT_EQ(ToLowerAscii("KSEA-z09 \xC4\xC3\x84@[`{"), "ksea-z09 \xC4\xC3\x84@[`{");

  struct Case {
    const char* a;
    const char* b;
    bool equal;
  } cases[] = {{"TrafficDatabaseBuilder.EXE", "trafficdatabasebuilder.exe", true},
               {"", "", true},
               {"nmi", "nm", false},
               {"@", "`", false},  // one apart in ASCII like 'A' and 'a', but no letters
               {"\xE4", "\xC4", false}};
  for (const Case& c : cases) EXPECT_EQ(EqualsIgnoringCase(c.a, c.b), c.equal) << c.a << " / " << c.b;
}

TEST(Text, TrimTakesBlanksAndCarriageReturnsFromBothEndsOnly) {
  EXPECT_EQ(Trim(" \t\r KSEA ,\t x \r\n"), "KSEA ,\t x \r\n");
  EXPECT_EQ(Trim(" \t\r KSEA ,\t x \r"), "KSEA ,\t x");
  EXPECT_EQ(Trim("\r \t"), "");
  EXPECT_EQ(Trim("\vA\f"), "\vA\f");
}

TEST(Text, EveryWindows1252ByteReadsBackFromItsCodePoint) {
  for (int b = 0; b < 256; ++b) {
    const char byte = static_cast<char>(b);
    EXPECT_EQ(ToWindows1252(FromWindows1252(byte)), byte) << b;
  }
  EXPECT_EQ(FromWindows1252('\x80'), U'\u20AC');
  EXPECT_EQ(FromWindows1252('\xDF'), U'\u00DF');
  EXPECT_EQ(FromWindows1252('\x81'), U'\u0081');
}

TEST(Text, HexAndPathTexts) {
  EXPECT_EQ(Hex(0), "0x0");
  EXPECT_EQ(Hex(0x1F2A4), "0x1F2A4");
  EXPECT_EQ(Hex(~std::uint64_t{0}), "0xFFFFFFFFFFFFFFFF");
  EXPECT_EQ(PathUtf8(std::filesystem::path(u8"Z\u00fcrich")), "Z\xC3\xBCrich");
}

}
}
