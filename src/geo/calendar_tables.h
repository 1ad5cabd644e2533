#pragma once
// Gregorian calendar helpers: leap years, month tables and day numbers within a year.
#include <array>
#include <string_view>

namespace wf {

struct MonthInfo {
  int days;               // number of days in the month
  std::string_view name;  // English name, "January" .. "December"
};

using MonthTable = std::array<MonthInfo, 12>;

// The months of a common year (February 28 days) and of a leap year (February 29 days).
extern const MonthTable kCommonYearMonths;
extern const MonthTable kLeapYearMonths;

// True for years divisible by 4 and not by 100, or divisible by 400 (1900 is not leap, 2000 is).
constexpr bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// The month table for a year of the given kind.
const MonthTable& MonthsOfYear(bool leap);

// Day number within the year, 1 for 1 January: the day plus the days of the months before `month`
// (1..12). A month beyond 12 counts the whole year before it; the day is not checked.
int DayOfYear(int month, int day, bool leap);

}
