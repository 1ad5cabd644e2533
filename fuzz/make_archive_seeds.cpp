// Writes the seed corpus of fuzz_archive: small database files that reach every kind of tag,
// string prefix and time form. Usage: make_archive_seeds FOLDER
#include <cstdio>
#include <filesystem>
#include <string>

#include "archive_fuzz_records.h"
#include "platform/files.h"

namespace {

using namespace wf;
using namespace wf::fuzz;

std::unique_ptr<FuzzCity> City(std::string name, TimeValue founded) {
  auto city = std::make_unique<FuzzCity>();
  city->name = std::move(name);
  city->founded = founded;
  city->latitude = 52.5;
  city->elevation = 34.0f;
  return city;
}

template <class AirportRecord>
std::unique_ptr<FuzzAirport> Airport(std::string ident, int runways) {
  auto airport = std::make_unique<AirportRecord>();
  airport->ident = std::move(ident);
  airport->updated = 1'136'073'600;
  airport->flags = 0x0102;
  for (int i = 0; i < runways * 12; ++i) airport->runways.push_back(static_cast<std::uint8_t>(i));
  return airport;
}

// An airport as schema 4 stored it: no time and no flags.
struct OldAirport : FuzzAirport {
  std::uint16_t Schema() const override { return 4; }
  void Serialize(CArchive& ar) override {
    ar.WriteString(ident);
    ar.WriteCount(static_cast<std::uint32_t>(runways.size() / kRunwayBytes));
    ar.WriteBytes(runways);
  }
};

template <class AirportRecord>
FuzzMap Tree() {
  auto city = std::make_unique<FuzzRegion>();
  city->name = "Cologne";
  city->children.emplace_back("EDDK", Airport<AirportRecord>("EDDK", 2));
  city->children.emplace_back("EDKB", Airport<AirportRecord>("EDKB", 0));
  auto country = std::make_unique<FuzzRegion>();
  country->name = "Germany";
  country->children.emplace_back("Bonn", City("Bonn", -1));
  country->children.emplace_back("Cologne", std::move(city));
  country->children.emplace_back("none", nullptr);
  auto region = std::make_unique<FuzzRegion>();
  region->name = "Europe";
  region->children.emplace_back("Germany", std::move(country));
  FuzzMap map;
  map["Europe"] = std::move(region);
  map["Mars"] = City(std::string(256, 'm'), std::int64_t{1} << 33);  // long prefix, 64-bit time
  return map;
}

}

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_archive_seeds FOLDER\n");
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  std::filesystem::create_directories(folder);
  auto write = [&](const char* name, const std::vector<std::uint8_t>& bytes) {
    WriteFileAtomically(folder / name,
                        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  };

  write("empty", StoreFuzzMap({}));
  write("tree", StoreFuzzMap(Tree<FuzzAirport>()));
  write("tree_schema4", StoreFuzzMap(Tree<OldAirport>()));

  // Forms the writer never emits but a reader must accept: a 16-bit character string, a class
  // tag in the long form for a small index, a null in the long form, a repeated key.
  std::vector<std::uint8_t> other;
  CArchive ar(other);
  ar.WriteCount(3);
  ar.WriteString("k");
  ar.WriteObject(City("first", 0).get());
  other.insert(other.end(), {0xFF, 0xFE, 0xFF, 0x02, 0xE9, 0x00, 0xAC, 0x20});  // key "é€"
  other.insert(other.end(), {0xFF, 0x7F, 0x01, 0x00, 0x00, 0x80});              // class 1, long form
  ar.WriteString("second");
  ar.WriteTime(7);
  ar.WriteDouble(0);
  ar.WriteFloat(0);
  ar.WriteString("k");
  other.insert(other.end(), {0xFF, 0x7F, 0x00, 0x00, 0x00, 0x00});  // null, long form
  write("other_forms", other);
  return 0;
}
