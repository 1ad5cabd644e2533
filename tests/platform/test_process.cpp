#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/process.h"

namespace wf {
namespace {

TEST(RunAndWaitCommandLineTest, SplitsByTheWindowsRules) {
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {"", {}},
      {"  a\tb  ", {"a", "b"}},
      {R"("a b" c)", {"a b", "c"}},
      {R"(/Airports="C:\My Work\Airports.dat" /Quiet=yes)",
       {R"(/Airports=C:\My Work\Airports.dat)", "/Quiet=yes"}},
      {R"(C:\a\\b)", {R"(C:\a\\b)"}},                  // backslashes before anything but a quote stay
      {R"(a\"b)", {R"(a"b)"}},                         // an odd run protects the quote
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
