#include <gtest/gtest.h>

#include <clocale>
#include <limits>
#include <optional>
#include <string>

#include "platform/numbers.h"

namespace wf {
namespace {

// The window takes the C library's locale from the environment, and so does this program: run under
// a decimal-comma locale (scripts/test does so), the whole suite shows that no number is read or
// written through it.
[[maybe_unused]] const bool kLocaleFromEnvironment = std::setlocale(LC_ALL, "") != nullptr;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();

TEST(Numbers, WholeTextsAreNumbersOnlyWhenTheNumberFillsThem) {
  struct Case {
    const char* text;
    std::optional<double> decimal;
    std::optional<std::int64_t> whole;
  } cases[] = {{"-122.25", -122.25, {}},
               {"1500", 1500, 1500},
               {".5", 0.5, {}},
               {"5.", 5, {}},
               {"1e2", 100, {}},
               {"9223372036854775807", 9223372036854775807.0, kMax},
               {"9223372036854775808", 9223372036854775808.0, {}}};
  for (const auto& c : cases) {
    EXPECT_EQ(ParseDecimal(c.text), c.decimal) << c.text;
    EXPECT_EQ(ParseWhole(c.text), c.whole) << c.text;
  }
  for (const char* text : {"+5", " 5", "5 ", "1,5", "0x10", "inf", "nan", "1e400", "-", ""}) {
    EXPECT_FALSE(ParseDecimal(text)) << text;
    EXPECT_FALSE(ParseWhole(text)) << text;
  }
}

TEST(Numbers, LeadingNumbersAreReadAsFormattedInputReadsThem) {
  struct Case {
    const char* text;
    std::optional<double> decimal;
    std::optional<std::int64_t> whole;
    std::size_t end;  // after the decimal
  } cases[] = {{"36.1", 36.1, 36, 4},
               {" \t\r\n\v\f-5, 2", -5, -5, 8},
               {"+7 kg", 7, 7, 2},
               {"1e3", 1000, 1, 3},
               {"-1.5e2x", -150, -1, 6},
               {".5", 0.5, {}, 2},
               {"5.", 5, 5, 2},
               {"7,2", 7, 7, 1},
               {"3e+", 3, 3, 1},
               {"1e999", kInf, 1, 5},
               {"-0.1e999", -kInf, 0, 8},
               {"1e-999", 0, 1, 6},
               {"99999999999999999999", 1e20, kMax, 20},
               {"-99999999999999999999", -1e20, kMin, 21},
               {"0x10", 0, 0, 1}};
  for (const auto& c : cases) {
    std::size_t end = 0;
    EXPECT_EQ(LeadingDecimal(c.text, &end), c.decimal) << c.text;
    EXPECT_EQ(end, c.end) << c.text;
    EXPECT_EQ(LeadingWhole(c.text), c.whole) << c.text;
  }
  for (const char* text : {"inf", "e5", ".", "-", ""}) {
    EXPECT_FALSE(LeadingDecimal(text)) << text;
    EXPECT_FALSE(LeadingWhole(text)) << text;
  }
}

TEST(Numbers, NumbersAreWrittenAsTheCLocaleWritesThem) {
  struct Case {
    std::string text;
    const char* expected;
  } cases[] = {{FormatFixed(0.01, 2, 5), " 0.01"},
               {FormatFixed(12345.678, 2, 5), "12345.68"},
               {FormatFixed(-122.25, 6), "-122.250000"},
               {FormatFixed(2.5, 0), "2"},  // ties to even, as printf
               {FormatFixed(kInf, 1, 5), "  inf"},
               {FormatGeneral(42949672.95), "4.29497e+07"},
               {FormatGeneral(0.0001), "0.0001"},
               {FormatGeneral(0.00001), "1e-05"},
               {FormatGeneral(100), "100"},
               {FormatWhole(7, 2), "07"},
               {FormatWhole(-5, 4), "-005"},
               {FormatWhole(123, 2), "123"},
               {FormatWhole(kMin), "-9223372036854775808"},
               {FormatNumber(98.6f), "98.6"},
               {FormatNumber(-0.0f), "0"},
               {FormatNumber(1e9f), "1000000000"},
               {FormatNumber(0.1), "0.1"}};
  for (const auto& c : cases) EXPECT_EQ(c.text, c.expected);
  for (const float value : {98.6f, 1500.0f, 0.33f, 2.65f, 1e9f, 1428.5714f, 0.0f}) {
    EXPECT_EQ(static_cast<float>(ParseDecimal(FormatNumber(value)).value()), value) << FormatNumber(value);
  }
}

}
}
