#include "world/world_archive.h"

#include <memory>

#include "platform/record_memory.h"
#include "world/world.h"

namespace wf {

namespace {

template <class T>
ClassInfo RecordClass(const char* name, std::uint16_t schema, bool anySchema = false) {
  return ClassInfo{name, schema, anySchema,
                   [](ArchiveContext*) -> std::unique_ptr<CObject> { return std::make_unique<T>(); }};
}

// `expectedBytes`: room reserved up front, so that a large archive is not copied as it grows.
template <class T>
std::vector<std::uint8_t> SaveMap(WorldArchiveContext& context, const StringMap<T>& map,
                                  std::size_t expectedBytes = 0) {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(expectedBytes);
  AdviseHugePages(bytes.data(), bytes.capacity());
  CArchive ar(bytes, &context);
  SaveStringMap(ar, map);
  return bytes;
}

// A database file is its map from its first byte to its last: bytes after the map are damage (a
// count that says too few entries, or bytes appended), not something to ignore.
void ExpectEnd(const CArchive& ar) {
  if (ar.AtEnd()) return;
  throw ArchiveError(byte_reader_detail::AtOffset(
      ar.Offset(), std::to_string(ar.Remaining()) + " bytes follow the end of the map; the file ends there"));
}

}

const ClassRegistry& WorldClassRegistry() {
  static const ClassRegistry registry = [] {
    ClassRegistry classes;
    // The tree's classes must carry their own schema; airports and aircraft are read from any.
    classes.Register(RecordClass<CRegion>("CRegion", CRegion::kSchema));
    classes.Register(RecordClass<CCountry>("CCountry", CCountry::kSchema));
    classes.Register(RecordClass<CState>("CState", CState::kSchema));
    classes.Register(RecordClass<CCity>("CCity", CCity::kSchema));
    classes.Register(RecordClass<CAirport>("CAirport", CAirport::kSchema, true));
    classes.Register(RecordClass<CAircraft>("CAircraft", kAircraftSchema, true));
    classes.Register(ClassInfo{"CAI_Aircraft", kAircraftSchema, true,
                               [](ArchiveContext* context) -> std::unique_ptr<CObject> {
                                 auto* world = dynamic_cast<WorldArchiveContext*>(context);
                                 if (world == nullptr)
                                   throw ArchiveError("a CAI_Aircraft can only be loaded into a world");
                                 return std::make_unique<CAI_Aircraft>(world->world->aiAircraftCounter);
                               }});
    return classes;
  }();
  return registry;
}

std::vector<std::uint8_t> SaveRegionMap(WorldArchiveContext& context) {
  // An airport with its share of cities and countries takes about 400 bytes.
  return SaveMap(context, context.world->regionMap, context.world->airportIndex.size() * 512);
}

void LoadRegionMap(std::span<const std::uint8_t> data, WorldArchiveContext& context) {
  World& world = *context.world;
  world.DiscardFleet();
  CArchive ar(data, WorldClassRegistry(), &context);
  // A replaced region frees its airports, which leave airportIndex as they go.
  LoadStringMap(ar, world.regionMap);
  ExpectEnd(ar);
}

std::vector<std::uint8_t> SaveAircraftTypes(WorldArchiveContext& context) {
  return SaveMap(context, context.world->aircraftTypes);
}

void LoadAircraftTypes(std::span<const std::uint8_t> data, WorldArchiveContext& context) {
  World& world = *context.world;
  CArchive ar(data, WorldClassRegistry(), &context);
  LoadStringMap<CAircraft>(ar, world.aircraftTypes, [&world](CAircraft& old, CAircraft& replacement) {
    for (auto& [title, variation] : world.aircraftNames)
      if (variation->aircraft == &old) variation->aircraft = &replacement;
  });
  ExpectEnd(ar);
}

std::vector<std::uint8_t> SaveAircraftNames(WorldArchiveContext& context) {
  return SaveMap(context, context.world->aircraftNames);
}

void LoadAircraftNames(std::span<const std::uint8_t> data, WorldArchiveContext& context) {
  World& world = *context.world;
  world.DiscardFleet();
  CArchive ar(data, WorldClassRegistry(), &context);
  LoadStringMap(ar, world.aircraftNames);
  ExpectEnd(ar);
}

}
