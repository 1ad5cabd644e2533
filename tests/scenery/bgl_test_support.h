#pragma once
// A world with recording fakes for the scenery reader, and small airport descriptions to build
// BGL files from.
#include <cstdint>
#include <string>
#include <vector>

#include "bgl_writer/bgl_writer.h"
#include "scenery/airport_bgl.h"
#include "support/recording.h"
#include "world/settings.h"
#include "world/world.h"

namespace wf::test {

// 2006-01-01 00:00:00 UTC and later days.
inline constexpr TimeValue kDay0 = 1136073600;
inline constexpr TimeValue kDay = 86400;

struct SceneryFixture {
  World world;
  Settings settings;
  RecordingProgress progress;
  RecordingPrompter prompter;

  SceneryContext Context() { return {world, settings, progress, prompter}; }

  BglReadResult Read(const std::vector<std::uint8_t>& bytes, const std::string& name = "test.bgl") {
    return CAirportBGL(name, bytes, Context()).Read();
  }
  BglReadResult Read(const bgl::BglFileDesc& file, const std::string& name = "test.bgl") {
    return Read(bgl::WriteAirportBgl(file).bytes, name);
  }

  CAirport* Indexed(const std::string& ident) const { return world.airportIndex.Find(ident); }
};

// An airport in Seattle, Washington with one asphalt runway.
inline bgl::AirportDesc SampleAirport(const std::string& ident, const std::string& name = "Sample Field",
                                      const std::string& city = "Seattle") {
  bgl::AirportDesc airport;
  airport.ident = ident;
  airport.region = "North America";
  airport.country = "United States";
  airport.state = "Washington";
  airport.city = city;
  airport.name = name;
  airport.latitude = 47.5;
  airport.longitude = -122.3;
  airport.altitude = 100.0;
  bgl::RunwayDesc runway;
  runway.surface = 4;
  runway.length = 1500.0f;
  airport.runways.push_back(runway);
  return airport;
}

// SampleAirport at (latitude, longitude) with `smallRamps` small GA ramps.
inline bgl::AirportDesc AirportWithRamps(const std::string& ident, double latitude, double longitude,
                                         int smallRamps, const std::string& name = "Sample Field",
                                         const std::string& city = "Seattle") {
  bgl::AirportDesc airport = SampleAirport(ident, name, city);
  airport.latitude = latitude;
  airport.longitude = longitude;
  bgl::ParkingListDesc parking;
  for (int i = 0; i < smallRamps; ++i) parking.spaces.push_back(bgl::ParkingDesc{2, 8.0f, {}});
  airport.parkingLists.push_back(parking);
  return airport;
}

inline bgl::BglFileDesc SampleFile(TimeValue stamp, std::vector<bgl::AirportDesc> airports) {
  return bgl::BglFileDesc{bgl::FileTimeFromStamp(stamp), std::move(airports)};
}

inline bgl::ComDesc Com(std::uint16_t type, std::uint32_t frequency) {
  return {type, frequency, ""};
}

inline bgl::ParkingDesc Space(int type, float radius = 10.0f, std::vector<std::string> airlines = {}) {
  return {type, radius, std::move(airlines)};
}

inline void PatchU32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes.at(at + i) = static_cast<std::uint8_t>(value >> (8 * i));
}

}
