#pragma once
// Unit conversions shared by the aircraft reader, the airport writer and the flight plan generator.
//
// The factors are the program's own and are kept exactly as they are, including the gallon, which is
// a little short of the legal US gallon (3.785411784 l): converted values must match the files this
// program has always written.

namespace wf {

// Feet to metres.
constexpr double FeetToMeters(double feet) {
  return feet * 0.3048;
}

// Metres to feet.
constexpr double MetersToFeet(double meters) {
  return meters / 0.3048;
}

// US gallons (as in aircraft.cfg) to litres.
constexpr double GallonsToLiters(double gallons) {
  return gallons * 3.785284105786855;
}

// Litres to US gallons.
constexpr double LitersToGallons(double liters) {
  return liters * 0.26418096292197013;
}

// Pounds to kilograms.
constexpr double PoundsToKilograms(double pounds) {
  return pounds * 0.453592;
}

}
