// Micro-benchmarks of the paths that dominate a whole-world run: the distance and sun-time formulas
// of traffic generation, the aircraft lottery, the destination searches of a week of flight plans,
// reading airport BGL records, and loading the airport archive.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <random>
#include <sstream>

#include "bgl_writer/bgl_writer.h"
#include "geo/geodesy.h"
#include "geo/sun_times.h"
#include "platform/prompter.h"
#include "scenery/airport_bgl.h"
#include "traffic/destination_draws.h"
#include "traffic/fleet.h"
#include "traffic/fleet_test_world.h"
#include "traffic/flight_plans.h"
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

// A region of `count` airports, 15 by 20 degrees of central Europe, of every type but seaplane base,
// most of them small airfields; a fleet of trainers, tourers, twins and a business jet.
void BuildTrafficWorld(World& world, int count) {
  using namespace test;
  std::mt19937 generator(20061205);
  std::uniform_real_distribution<double> latitude(40.0, 55.0), longitude(-5.0, 15.0);
  using enum AirportType;
  const AirportType types[] = {
      kSmallAirfield,  kSmallAirfield,  kSmallAirfield,  kSmallAirfield, kGrassStrip,      kGrassStrip,
      kBush,           kMediumAirfield, kMediumAirfield, kLargeAirfield, kSmallCommercial, kMediumCommercial,
      kLargeCommercial};
  for (int i = 0; i < count; ++i) {
    AirportSpec spec;
    spec.icao = "X" + std::to_string(100000 + i);
    spec.latitude = latitude(generator);
    spec.longitude = longitude(generator);
    spec.type = types[static_cast<std::size_t>(i) % std::size(types)];
    spec.country = i % 3 == 0 ? "France" : "Germany";
    spec.longestRunway = 600 + static_cast<std::uint32_t>(generator() % 3000);
    spec.surfaceMask = spec.type == kGrassStrip ? kSoftSurface : kHardSurface;
    spec.smallRamps = 2 + generator() % 8;
    spec.mediumRamps = Code(spec.type) >= Code(kMediumAirfield) ? generator() % 4 : 0;
    spec.largeRamps = Code(spec.type) >= Code(kLargeAirfield) ? generator() % 3 : 0;
    spec.landingFee = static_cast<float>(4 + generator() % 40);
    AddAirport(world, spec);
  }
  CAircraft& trainer = AddModel(world, {.name = "Trainer"});
  CAircraft& tourer = AddModel(world, {.name = "Tourer",
                                       .wingSpan = 12,
                                       .cruiseSpeed = 150,
                                       .stallSpeed = 55,
                                       .range = 800,
                                       .fuelFlow = 45.0f});
  CAircraft& twin = AddModel(world, {.name = "Twin",
                                     .wingSpan = 14,
                                     .cruiseSpeed = 190,
                                     .stallSpeed = 70,
                                     .range = 1000,
                                     .engineCount = 2,
                                     .fuelFlow = 60.0f,
                                     .maxWeight = 2500,
                                     .usage = 0b111111});
  CAircraft& jet = AddModel(world, {.name = "Jet",
                                    .wingSpan = 16,
                                    .cruiseSpeed = 400,
                                    .stallSpeed = 95,
                                    .range = 1500,
                                    .engineCount = 2,
                                    .engineType = EngineType::kJet,
                                    .fuelFlow = 300.0f,
                                    .fuelType = FuelType::kJetFuel,
                                    .maxWeight = 8000,
                                    .ceiling = 41000,
                                    .usage = 0b110000});
  for (int i = 0; i < 4; ++i) {
    AddVariation(world, trainer, "Trainer " + std::to_string(i));
    AddVariation(world, tourer, "Tourer " + std::to_string(i), 60.0f, 30000.0f);
    AddVariation(world, twin, "Twin " + std::to_string(i), 40.0f, 60000.0f);
  }
  AddVariation(world, jet, "Jet", 30.0f, 400000.0f);
}

Settings TrafficSettings() {
  Settings settings;
  settings.startDate = MakeTime(2006, 1, 5);
  return settings;
}

// The aircraft lottery: one airport with 30 ramps of each size, populated again and again (each
// space draws its share and, when drawn, an aircraft and a registration).
void BM_AircraftLottery(benchmark::State& state) {
  World world;
  BuildTrafficWorld(world, 200);
  CAirport& airport = *world.airportIndex.begin()->second;
  airport.airportType = AirportType::kLargeAirfield;
  airport.parkingCounts[2] = airport.parkingCounts[3] = airport.parkingCounts[4] = 30;
  const Settings settings = TrafficSettings();
  Random random(1);
  WorkCounters counters;
  const AirportOrder order = BuildAirportOrder(world, counters);
  FleetSummary summary;
  FleetGenerator fleet(world, settings, random, order, summary, counters);
  for (auto _ : state) {
    world.DiscardFleet();
    fleet.PopulateAirport(airport);
    benchmark::DoNotOptimize(airport.planes.size());
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(summary.planes));
}
BENCHMARK(BM_AircraftLottery);

// The candidates of one destination search and their kind tests, as a week draws them: bands of a
// few hundred to twenty thousand positions in an order list of 30,000 airports, half of which pass
// the kind test. Argument 1: the dispatching DrawCandidates (eight draws at a time where the
// processor can); 0: one draw at a time. Items are searches.
void BM_DrawCandidates(benchmark::State& state) {
  constexpr std::size_t kAirports = 30000;
  std::mt19937 generator(20061206);
  std::vector<std::uint64_t> kindPasses((kAirports + 63) / 64);
  for (std::uint64_t& word : kindPasses) word = (std::uint64_t{generator()} << 32) | generator();
  std::vector<DrawPlan> plans;
  std::uniform_int_distribution<std::int32_t> home(0, kAirports - 1);
  std::uniform_int_distribution<std::int64_t> span(300, 20000);
  for (int i = 0; i < 64; ++i) {
    const std::int32_t h = home(generator);
    const std::int64_t s = span(generator);
    const std::int64_t lo = std::clamp<std::int64_t>(h - s / 2, 0, kAirports - s);
    plans.push_back(PlanDraws(lo, s, h, kAirports));
  }
  const auto draw = state.range(0) == 1 ? DrawCandidates : DrawCandidatesOneByOne;
  std::array<std::int32_t, kMaxDrawSteps + 8> candidates{};
  std::uint32_t randomState = 1;
  std::size_t i = 0;
  for (auto _ : state) {
    randomState = randomState * Random::kMultiplier + Random::kIncrement;
    benchmark::DoNotOptimize(draw(plans[i++ & 63], randomState, kindPasses.data(), candidates));
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(i));
}
BENCHMARK(BM_DrawCandidates)->Arg(0)->Arg(1);

// A whole generation over a region of `count` airports; most of the time goes to the destination
// searches of the weeks. Items are flight lines.
void BM_GenerateTraffic(benchmark::State& state) {
  World world;
  BuildTrafficWorld(world, static_cast<int>(state.range(0)));
  const Settings settings = TrafficSettings();
  NullProgress progress;
  SilentPrompter prompter;
  std::int64_t lines = 0;
  for (auto _ : state) {
    world.DiscardFleet();
    Random random(1);
    std::ostringstream out;
    lines += GenerateTraffic(world, settings, random, progress, prompter, out).flightLines;
  }
  state.SetItemsProcessed(lines);
}
BENCHMARK(BM_GenerateTraffic)->Arg(2000)->Unit(benchmark::kMillisecond);

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

}
}

BENCHMARK_MAIN();
