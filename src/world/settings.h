#pragma once
// The program's settings as plain values. Reading and writing Wingfold.ini is the app layer's job;
// records and readers only need the values (fees for the normal landing fee, the start date for
// sun times, the weight limits for the aircraft reader).
#include <array>
#include <cstdint>
#include <string>

#include "platform/calendar.h"
#include "world/codes.h"

namespace wf {

// Operator categories: the bit number in a usage mask, the index of the per-category settings and
// the category of a plane.
enum Category : int { kPrivate = 0, kClub = 1, kTraining = 2, kRental = 3, kBusiness = 4, kTaxi = 5 };
inline constexpr int kCategoryCount = 6;

struct Settings {
  // [Tuning], kilograms.
  std::int32_t maxWeightPrivate = 5000;
  std::int32_t minWeightTaxi = 1800;
  std::int32_t maxWeightGA = 14000;
  // [Settings]: percent of the GA parking spaces used for traffic.
  std::int32_t gaPercentage = 30;
  // [Flightplan] Date: 00:00:00 UTC of the start day. Default 01/01/2006.
  TimeValue startDate = 1136073600;
  // Per category (index Category), hours.
  std::array<float, kCategoryCount> flightTimeMax{1.5f, 1.0f, 1.0f, 4.0f, 8.0f, 2.0f};
  std::array<float, kCategoryCount> flightTimeMin{0.5f, 0.25f, 0.5f, 1.0f, 2.0f, 1.0f};
  // Per category, percent (the low byte of the stored integer).
  std::array<std::uint8_t, kCategoryCount> ifrPercent{5, 20, 40, 50, 100, 100};
  std::array<std::uint8_t, kCategoryCount> nightPercent{5, 20, 40, 50, 100, 100};
  std::array<std::uint8_t, kCategoryCount> touchAndGoPercent{25, 40, 75, 10, 0, 0};
  // Fee per parking space, by parking type (ParkingType) 0..13; entries 0, 1, 12 and 13 are fixed.
  std::array<float, kParkingTypeCount> parkingFee{0.0f,    0.0f,   2.0f,   10.0f,   25.0f, 250.0f, 500.0f,
                                                  2000.0f, 150.0f, 750.0f, 1500.0f, 5.0f,  2.65f,  2.54f};
  float crossCountryFee = 75.0f;
  float ifrFee = 1.25f;
  float ilsFee = 5.0f;
  float lightsFee = 2.5f;
  float runwayFee = 0.33f;  // per 1000 feet of runway
};

}
