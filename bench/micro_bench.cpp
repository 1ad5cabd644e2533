// Micro-benchmarks of the paths that dominate a whole-world run: the distance and sun-time formulas
// of traffic generation, reading airport BGL records, and loading and saving the airport archive.
#include <benchmark/benchmark.h>

#include <random>

#include "bgl_writer/bgl_writer.h"
#include "geo/geodesy.h"
#include "geo/sun_times.h"
#include "platform/prompter.h"
#include "scenery/airport_bgl.h"
#include "world/world.h"
#include "world/world_archive.h"

namespace wf {
namespace {

constexpr TimeValue kStartDate = 1136073600;  // 2006-01-01

std::vector<std::pair<double, double>> RandomPositions(std::size_t count) {
  std::mt19937 generator(20061201);
  std::uniform_real_distribution<double> latitude(-60.0, 70.0), longitude(-180.0, 180.0);
  std::vector<std::pair<double, double>> positions(count);
  for (auto& p : positions) p = {latitude(generator), longitude(generator)};
  return positions;
}

void BM_DistanceNm(benchmark::State& state) {
  const auto positions = RandomPositions(1024);
  std::size_t i = 0;
  for (auto _ : state) {
    const auto& a = positions[i & 1023];
    const auto& b = positions[(i * 7 + 3) & 1023];
    benchmark::DoNotOptimize(DistanceNm(a.first, a.second, b.first, b.second));
    ++i;
  }
}
BENCHMARK(BM_DistanceNm);

void BM_SunsetTime(benchmark::State& state) {
  const auto positions = RandomPositions(1024);
  std::size_t i = 0;
  for (auto _ : state) {
    const auto& p = positions[i++ & 1023];
    benchmark::DoNotOptimize(SunsetTime(kStartDate, p.first, p.second));
  }
}
BENCHMARK(BM_SunsetTime);

// One BGL file of `count` airports, with runways, radios and parking like a mid-sized field.
std::vector<std::uint8_t> AirportFile(int count) {
  bgl::BglFileDesc file;
  file.fileTime = bgl::FileTimeFromStamp(kStartDate);
  const auto positions = RandomPositions(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    bgl::AirportDesc airport;
    std::string ident = "K";
    for (int v = i, k = 0; k < 3; ++k, v /= 26) ident += static_cast<char>('A' + v % 26);
    airport.ident = ident;
    airport.region = "North America";
    airport.country = "United States";
    airport.state = "State " + std::to_string(i % 16);
    airport.city = "City " + std::to_string(i);
    airport.name = ident + " Field";
    airport.latitude = positions[static_cast<std::size_t>(i)].first;
    airport.longitude = positions[static_cast<std::size_t>(i)].second;
    airport.runways.resize(2);
    airport.coms.push_back({3, 122800000, "UNICOM"});
    bgl::ParkingListDesc parking;
    for (int s = 0; s < 12; ++s) parking.spaces.push_back({2 + s % 3, 10.0f, {}});
    airport.parkingLists.push_back(parking);
    file.airports.push_back(airport);
  }
  return bgl::WriteAirportBgl(file).bytes;
}

void BM_ReadAirportBgl(benchmark::State& state) {
  const auto bytes = AirportFile(static_cast<int>(state.range(0)));
  Settings settings;
  NullProgress progress;
  SilentPrompter prompter;
  for (auto _ : state) {
    World world;
    CAirportBGL reader("bench.bgl", bytes, SceneryContext{world, settings, progress, prompter});
    benchmark::DoNotOptimize(reader.Read());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_ReadAirportBgl)->Arg(1500);

void BM_AirportArchive(benchmark::State& state) {
  const auto bytes = AirportFile(static_cast<int>(state.range(0)));
  Settings settings;
  NullProgress progress;
  SilentPrompter prompter;
  World source;
  CAirportBGL("bench.bgl", bytes, SceneryContext{source, settings, progress, prompter}).Read();
  WorldArchiveContext saveContext(source, settings);
  const std::vector<std::uint8_t> archive = SaveRegionMap(saveContext);
  for (auto _ : state) {
    World world;
    WorldArchiveContext context(world, settings);
    LoadRegionMap(archive, context);
    benchmark::DoNotOptimize(world.airportIndex.size());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(archive.size()));
}
BENCHMARK(BM_AirportArchive)->Arg(1500);

}  // namespace
}  // namespace wf

BENCHMARK_MAIN();
