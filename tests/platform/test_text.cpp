#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "platform/console.h"
#include "platform/process.h"
#include "platform/text.h"
#include "platform/windows1252.h"

namespace wf {
namespace {

// Only A-Z and a-z fold; Windows-1252 and UTF-8 letters stay as they are.
TEST(Text, CaseFoldingTouchesOnlyAsciiLetters) {
  EXPECT_EQ(ToUpperAscii("ksea-Z09 \xE4\xC3\xA4@[`{"), "KSEA-Z09 \xE4\xC3\xA4@[`{");
  EXPECT_EQ(ToLowerAscii("KSEA-z09 \xC4\xC3\x84@[`{"), "ksea-z09 \xC4\xC3\x84@[`{");

  const std::tuple<const char*, const char*, bool> cases[] = {
      {"TrafficDatabaseBuilder.EXE", "trafficdatabasebuilder.exe", true},
      {"", "", true},
      {"@", "`", false},  // one apart in ASCII like 'A' and 'a', but no letters
      {"\xE4", "\xC4", false}};
  for (const auto& [a, b, equal] : cases) EXPECT_EQ(EqualsIgnoringCase(a, b), equal) << a << " / " << b;
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
}

// Stored names are Windows-1252, typed and shown ones UTF-8; messages mix UTF-8 paths with names.
TEST(Text, Windows1252MeetsUtf8) {
  EXPECT_EQ(Windows1252ToUtf8("Z\xFCrich \x80\x81"), "Z\xC3\xBCrich \xE2\x82\xAC\xC2\x81");
  EXPECT_EQ(PathUtf8(std::filesystem::path(u8"Z\u00fcrich")), "Z\xC3\xBCrich");
  const std::tuple<const char*, const char*, bool> cases[] = {
      {"Z\xC3\xBCrich \xE2\x82\xAC ?", "Z\xFCrich \x80 ?", true},
      {"\xF0\x9F\x98\x80 \xC3", "? ?", false},   // outside the code page; cut off
      {"\xC0\x80\xED\xA0\x80", "?????", false},  // overlong; a surrogate
      {"F\xFCrstenzell", "F?rstenzell", false},  // typed in Latin-1, not UTF-8
  };
  for (const auto& [utf8, windows1252, expectLossless] : cases) {
    bool lossless = !expectLossless;
    EXPECT_EQ(Utf8ToWindows1252(utf8, &lossless), windows1252) << utf8;
    EXPECT_EQ(lossless, expectLossless) << utf8;
  }
  EXPECT_EQ(DisplayUtf8("Aachen-Merzbr\xFC"
                        "ck in /home/\xC3\xA9t\xC3\xA9 \xE9"),
            "Aachen-Merzbr\xC3\xBC"
            "ck in /home/\xC3\xA9t\xC3\xA9 \xC3\xA9");
  for (const auto& [text, cut] : {std::pair<const char*, std::size_t>{"ab\xE2\x82", 2},
                                  {"ab\xE2\x82\xAC", 0},
                                  {"\xF0\x9F\x98", 3},
                                  {"\xE9", 1}}) {
    EXPECT_EQ(CutUtf8Tail(text), cut) << text;
  }

  // A sequence cut by a flush waits for its rest; a name's letter at the end of a flush is no
  // sequence once the line ends.
  std::string written;
  {
    DisplayStreamBuf buffer([&written](std::string_view utf8, bool) { written += std::string(utf8) + "|"; });
    std::ostream out(&buffer);
    out << "Z\xC3" << std::flush << "\xBCrich Br\xFC"
        << "ck\nF\xE9" << std::flush << "\nend";
  }
  EXPECT_EQ(written,
            "Z|\xC3\xBCrich Br\xC3\xBC"
            "ck\n|F|\xC3\xA9\n|end|");
}

TEST(RunAndWaitCommandLineTest, SplitsByTheWindowsRules) {
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {"", {}},
      {"  a\tb  ", {"a", "b"}},
      {R"(/Airports="C:\My Work\Airports.dat" /Quiet=yes)",
       {R"(/Airports=C:\My Work\Airports.dat)", "/Quiet=yes"}},
      {R"(C:\a\\b)", {R"(C:\a\\b)"}},                  // backslashes before anything but a quote stay
      {R"(a\\\"b)", {R"(a\"b)"}},                      // 3 backslashes: one kept, quote literal
      {R"("C:\dir\\" next)", {R"(C:\dir\)", "next"}},  // an even run halves; the quote closes
      {R"("" x)", {"", "x"}},                          // an empty quoted argument is kept
      {R"("a""b")", {R"(a"b)"}},                       // doubled quote inside quotes
      {R"("open end)", {"open end"}},                  // an unclosed quote runs to the end
  };
  for (const auto& [commandLine, arguments] : cases)
    EXPECT_EQ(SplitWindowsCommandLine(commandLine), arguments) << commandLine;
}

}
}
