#include "geo/calendar_tables.h"

namespace wf {

const MonthTable kCommonYearMonths = {{{31, "January"},
                                       {28, "February"},
                                       {31, "March"},
                                       {30, "April"},
                                       {31, "May"},
                                       {30, "June"},
                                       {31, "July"},
                                       {31, "August"},
                                       {30, "September"},
                                       {31, "October"},
                                       {30, "November"},
                                       {31, "December"}}};

const MonthTable kLeapYearMonths = {{{31, "January"},
                                     {29, "February"},
                                     {31, "March"},
                                     {30, "April"},
                                     {31, "May"},
                                     {30, "June"},
                                     {31, "July"},
                                     {31, "August"},
                                     {30, "September"},
                                     {31, "October"},
                                     {30, "November"},
                                     {31, "December"}}};

const MonthTable& MonthsOfYear(bool leap) {
  return leap ? kLeapYearMonths : kCommonYearMonths;
}

int DayOfYear(int month, int day, bool leap) {
  const MonthTable& months = MonthsOfYear(leap);
  int dayNumber = day;
  for (int m = 1; m < month && m <= 12; ++m) dayNumber += months[m - 1].days;
  return dayNumber;
}

}
