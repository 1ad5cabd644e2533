// Writes a few small airport scenery files as the seed corpus of the BGL reader's fuzz target:
//   make_bgl_seeds fuzz/corpus/bgl
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "bgl_writer/bgl_writer.h"

namespace {

using namespace wf::bgl;

AirportDesc Airport(const std::string& ident, const std::string& city) {
  AirportDesc airport;
  airport.ident = ident;
  airport.region = "Europe";
  airport.country = "Germany";
  airport.state = "";
  airport.city = city;
  airport.name = city + " Airfield";
  airport.latitude = 49.4;
  airport.longitude = 7.6;
  airport.altitude = 238.0;
  airport.fuelFlags = 0x3;
  RunwayDesc runway;
  runway.surface = 4;
  runway.length = 1800.0f;
  runway.primaryIls = "IRMS";
  runway.lighting = 1;
  runway.children = {RunwayChild{0x0B, 1}};
  RunwayDesc closed = runway;
  closed.primaryClosed = true;
  airport.runways = {runway, closed};
  airport.coms = {ComDesc{3, 122800000, "Unicom"}, ComDesc{6, 118300000, "Tower"},
                  ComDesc{8, 119000000, "App"}};
  airport.parkingLists = {ParkingListDesc{0x3D, {ParkingDesc{1, 8.0f, {"DLH"}}, ParkingDesc{12, 5.0f, {}}}},
                          ParkingListDesc{0x1B, {ParkingDesc{2, 9.0f, {}}}}};
  return airport;
}

}

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_bgl_seeds FOLDER\n");
    return 2;
  }
  try {
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    const std::uint64_t fileTime = FileTimeFromStamp(1136073600);
    WriteBytes(folder / "empty_airport_list", WriteAirportBgl(BglFileDesc{fileTime, {}}).bytes);
    WriteBytes(folder / "one_airport",
               WriteAirportBgl(BglFileDesc{fileTime, {Airport("ETAR", "Ramstein")}}).bytes);
    AirportDesc far = Airport("3W5", "Concrete");
    far.latitude = -33.9;
    far.longitude = 151.2;
    WriteBytes(folder / "two_cells",
               WriteAirportBgl(BglFileDesc{fileTime, {Airport("EDDF", "Frankfurt"), far}}).bytes);
    WriteBytes(folder / "other_section", WriteOtherBgl(0x13, fileTime));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "make_bgl_seeds: %s\n", e.what());
    return 1;
  }
  return 0;
}
