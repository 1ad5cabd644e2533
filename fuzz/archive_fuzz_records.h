#pragma once
// Small record classes shaped like the database records (a tree of maps, a versionable record with
// plain-record lists), registered for the archive fuzzer and its seed generator.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "archive/archive.h"

namespace wf::fuzz {

// A record holding a map of child objects of any class, as the regions, countries and states do.
struct FuzzRegion : CObject {
  std::string name;
  std::int32_t use = 1;
  std::vector<std::pair<std::string, std::unique_ptr<CObject>>> children;

  const char* ClassName() const override { return "CRegion"; }
  std::uint16_t Schema() const override { return 2; }
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) {
      ar.WriteString(name);
      ar.WriteI32(use);
      ar.WriteCount(static_cast<std::uint32_t>(children.size()));
      for (const auto& [key, child] : children) {
        ar.WriteString(key);
        ar.WriteObject(child.get());
      }
    } else {
      name = ar.ReadString();
      use = ar.ReadI32();
      const std::uint32_t n = ar.ReadCount(3);  // a key byte and a 2-byte tag at least
      for (std::uint32_t i = 0; i < n; ++i) {
        std::string key = ar.ReadString();
        children.emplace_back(std::move(key), ar.ReadObject());
      }
    }
  }
};

// A leaf record of fixed-size values.
struct FuzzCity : CObject {
  std::string name;
  TimeValue founded = 0;
  double latitude = 0;
  float elevation = 0;

  const char* ClassName() const override { return "CCity"; }
  std::uint16_t Schema() const override { return 1; }
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) {
      ar.WriteString(name);
      ar.WriteTime(founded);
      ar.WriteDouble(latitude);
      ar.WriteFloat(elevation);
    } else {
      name = ar.ReadString();
      founded = ar.ReadTime();
      latitude = ar.ReadDouble();
      elevation = ar.ReadFloat();
    }
  }
};

// A versionable record: it loads any schema, older ones lacking some fields, and always stores the
// current schema 8 with every field. It keeps a list of plain 12-byte records.
struct FuzzAirport : CObject {
  static constexpr std::size_t kRunwayBytes = 12;
  std::string ident;
  TimeValue updated = 0;
  std::uint16_t flags = 0;
  std::vector<std::uint8_t> runways;  // kRunwayBytes per runway

  const char* ClassName() const override { return "CAirport"; }
  std::uint16_t Schema() const override { return 8; }
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) {
      ar.WriteString(ident);
      ar.WriteTime(updated);
      ar.WriteU16(flags);
      ar.WriteCount(static_cast<std::uint32_t>(runways.size() / kRunwayBytes));
      ar.WriteBytes(runways);
    } else {
      const std::uint16_t schema = ar.LoadedSchema();
      ident = ar.ReadString();
      if (schema >= 5) updated = ar.ReadTime();
      if (schema >= 7) flags = ar.ReadU16();
      runways.resize(std::size_t{ar.ReadCount(kRunwayBytes)} * kRunwayBytes);
      ar.ReadBytes(runways);
    }
  }
};

inline const ClassRegistry& FuzzRegistry() {
  static const ClassRegistry registry = [] {
    ClassRegistry r;
    r.Register({"CRegion", 2, false, [](ArchiveContext*) { return std::make_unique<FuzzRegion>(); }});
    r.Register({"CCity", 1, false, [](ArchiveContext*) { return std::make_unique<FuzzCity>(); }});
    r.Register({"CAirport", 8, true, [](ArchiveContext*) { return std::make_unique<FuzzAirport>(); }});
    return r;
  }();
  return registry;
}

using FuzzMap = std::map<std::string, std::unique_ptr<CObject>>;

// A database file: a count, then key and object per entry; a repeated key replaces the earlier entry.
inline FuzzMap LoadFuzzMap(std::span<const std::uint8_t> data) {
  CArchive ar(data, FuzzRegistry());
  FuzzMap map;
  const std::uint32_t n = ar.ReadCount(3);
  for (std::uint32_t i = 0; i < n; ++i) {
    std::string key = ar.ReadString();
    map[std::move(key)] = ar.ReadObject();
  }
  return map;
}

inline std::vector<std::uint8_t> StoreFuzzMap(const FuzzMap& map) {
  std::vector<std::uint8_t> out;
  CArchive ar(out);
  ar.WriteCount(static_cast<std::uint32_t>(map.size()));
  for (const auto& [key, value] : map) {
    ar.WriteString(key);
    ar.WriteObject(value.get());
  }
  return out;
}

}
