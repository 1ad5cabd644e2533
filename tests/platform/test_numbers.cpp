#include <gtest/gtest.h>

#include <clocale>
#include <limits>
#include <optional>
#include <string>
#include <tuple>

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
  const std::tuple<const char*, std::optional<double>, std::optional<std::int64_t>> cases[] = {
      {"-122.25", -122.25, {}},
      {"1500", 1500, 1500},
      {".5", 0.5, {}},
      {"1e2", 100, {}},
      {"9223372036854775807", 9223372036854775807.0, kMax},
      {"9223372036854775808", 9223372036854775808.0, {}}};
  for (const auto& [text, decimal, whole] : cases)
    EXPECT_EQ(std::tuple(ParseDecimal(text), ParseWhole(text)), std::tuple(decimal, whole)) << text;
  for (const char* text : {"+5", " 5", "5 ", "1,5", "0x10", "inf", "nan", "1e400", "-", ""}) {
    EXPECT_FALSE(ParseDecimal(text)) << text;
    EXPECT_FALSE(ParseWhole(text)) << text;
  }
}

TEST(Numbers, LeadingNumbersAreReadAsFormattedInputReadsThem) {
  // The text, its leading decimal and whole number, where the decimal ends.
  const std::tuple<const char*, std::optional<double>, std::optional<std::int64_t>, std::size_t> cases[] = {
      {"36.1", 36.1, 36, 4},
      {" \t\r\n\v\f-5, 2", -5, -5, 8},
      {"1e3", 1000, 1, 3},
      {"-1.5e2x", -150, -1, 6},
      {".5", 0.5, {}, 2},
      {"7,2", 7, 7, 1},
      {"1e999", kInf, 1, 5},
      {"1e-999", 0, 1, 6},
      {"99999999999999999999", 1e20, kMax, 20},
      {"0x10", 0, 0, 1}};
  for (const auto& [text, decimal, whole, expectedEnd] : cases) {
    std::size_t end = 0;
    EXPECT_EQ(std::tuple(LeadingDecimal(text, &end), end, LeadingWhole(text)),
              std::tuple(decimal, expectedEnd, whole))
        << text;
  }
  for (const char* text : {"inf", "e5", ".", "-", ""}) {
    EXPECT_FALSE(LeadingDecimal(text)) << text;
    EXPECT_FALSE(LeadingWhole(text)) << text;
  }
}

TEST(Numbers, NumbersAreWrittenAsTheCLocaleWritesThem) {
  EXPECT_EQ(FormatFixed(0.01, 2, 5), " 0.01");
  EXPECT_EQ(FormatFixed(12345.678, 2, 5), "12345.68");
  EXPECT_EQ(FormatFixed(2.5, 0), "2");  // ties to even, as printf
  EXPECT_EQ(FormatFixed(kInf, 1, 5), "  inf");
  EXPECT_EQ(FormatGeneral(42949672.95), "4.29497e+07");
  EXPECT_EQ(FormatGeneral(0.00001), "1e-05");
  EXPECT_EQ(FormatWhole(7, 2), "07");
  EXPECT_EQ(FormatWhole(-5, 4), "-005");
  EXPECT_EQ(FormatWhole(kMin), "-9223372036854775808");
  EXPECT_EQ(FormatNumber(98.6f), "98.6");
  EXPECT_EQ(FormatNumber(-0.0f), "0");
  EXPECT_EQ(FormatNumber(0.1), "0.1");
  for (const float value : {98.6f, 1500.0f, 0.33f, 2.65f, 1e9f, 1428.5714f, 0.0f}) {
    EXPECT_EQ(static_cast<float>(ParseDecimal(FormatNumber(value)).value()), value) << FormatNumber(value);
  }
}

}
}
