#pragma once
// The traffic compiler's files: the program in the tools folder, the three text inputs the traffic
// run writes into the work folder (with the countries list the compiler reads from there), and the
// traffic file it installs in the simulator's Scenery\World\scenery folder.
#include <string_view>

namespace wf {

inline constexpr std::string_view kCompilerProgram = "TrafficDatabaseBuilder.exe";

inline constexpr std::string_view kAirportsFile = "Airports.dat";
inline constexpr std::string_view kAircraftFile = "Aircraft-GA.dat";
inline constexpr std::string_view kFlightPlansFile = "Flightplans-GA.dat";
inline constexpr std::string_view kCountriesFile = "countries.csv";
// Written empty beside the aircraft file.
inline constexpr std::string_view kAircraftDumpFile = "Aircraftdump.txt";

inline constexpr std::string_view kTrafficFileName = "Traffic-GA.BGL";

}
