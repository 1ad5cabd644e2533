#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "archive/archive.h"
#include "archive/byte_reader.h"
#include "platform/windows1252.h"

namespace wf {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

Bytes Text(std::string_view s) {
  return Bytes(s.begin(), s.end());
}

// A leaf record: a name.
struct TestCity : CObject {
  std::string name;
  const char* ClassName() const override { return "CCity"; }
  std::uint16_t Schema() const override { return 1; }
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring())
      ar.WriteString(name);
    else
      name = ar.ReadString();
  }
};

// A tree record: a name and a map of child objects, as the world's tree records are written.
struct TestRegion : CObject {
  std::string name;
  std::vector<std::pair<std::string, std::unique_ptr<CObject>>> children;
  const char* ClassName() const override { return "CRegion"; }
  std::uint16_t Schema() const override { return 2; }
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) {
      ar.WriteString(name);
      ar.WriteCount(static_cast<std::uint32_t>(children.size()));
      for (const auto& [key, child] : children) {
        ar.WriteString(key);
        ar.WriteObject(child.get());
      }
    } else {
      name = ar.ReadString();
      const std::uint32_t n = ar.ReadCount(3);
      for (std::uint32_t i = 0; i < n; ++i) {
        std::string key = ar.ReadString();
        children.emplace_back(std::move(key), ar.ReadObject());
      }
    }
  }
};

// A versionable record that notes the schema it was loaded with, before and after a nested object.
struct TestAirport : CObject {
  std::unique_ptr<CObject> child;
  std::uint16_t schemaBefore = 0;
  std::uint16_t schemaAfter = 0;
  const char* ClassName() const override { return "CAirport"; }
  std::uint16_t Schema() const override { return 8; }
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) {
      ar.WriteObject(child.get());
    } else {
      schemaBefore = ar.LoadedSchema();
      child = ar.ReadObject();
      schemaAfter = ar.LoadedSchema();
    }
  }
};

const std::string kLongClassName(63, 'N');

const ClassRegistry& Registry() {
  static const ClassRegistry registry = [] {
    ClassRegistry r;
    r.Register({"CCity", 1, false, [](ArchiveContext*) { return std::make_unique<TestCity>(); }});
    r.Register({"CRegion", 2, false, [](ArchiveContext*) { return std::make_unique<TestRegion>(); }});
    r.Register({"CAirport", 8, true, [](ArchiveContext*) { return std::make_unique<TestAirport>(); }});
    r.Register({kLongClassName, 1, false, [](ArchiveContext*) { return std::make_unique<TestCity>(); }});
    return r;
  }();
  return registry;
}

std::unique_ptr<TestCity> City(std::string name) {
  auto city = std::make_unique<TestCity>();
  city->name = std::move(name);
  return city;
}

// Reads every object until the data end, of the expected class when one is named.
std::vector<std::unique_ptr<CObject>> ReadAllObjects(const Bytes& data, std::string_view expectedClass = {}) {
  CArchive ar(data, Registry());
  std::vector<std::unique_ptr<CObject>> objects;
  while (!ar.AtEnd()) objects.push_back(ar.ReadObject(expectedClass));
  return objects;
}

// A map of three regions with nested cities and a versionable record: every kind of tag occurs.
Bytes SampleMap() {
  TestRegion north, south, empty;
  north.name = "North";
  north.children.emplace_back("a", City("Aachen"));
  north.children.emplace_back("b", City("Bonn"));
  auto airport = std::make_unique<TestAirport>();
  airport->child = City("Celle");
  south.name = "South";
  south.children.emplace_back("x", std::move(airport));
  south.children.emplace_back("y", nullptr);
  Bytes out;
  CArchive ar(out);
  ar.WriteCount(3);
  for (auto [key, region] : {std::pair{"e", &empty}, {"n", &north}, {"s", &south}}) {
    ar.WriteString(key);
    ar.WriteObject(region);
  }
  return out;
}

TEST(ArchiveTest, PrimitivesAreLittleEndianWithoutPadding) {
  Bytes out;
  CArchive w(out);
  w.WriteU8(0xAB);
  w.WriteU16(0x1234);
  w.WriteI32(-2);
  w.WriteU32(0xDEADBEEF);
  w.WriteFloat(1.5f);
  w.WriteDouble(-2.5);
  EXPECT_EQ(out, (Bytes{0xAB, 0x34, 0x12, 0xFE, 0xFF, 0xFF, 0xFF, 0xEF, 0xBE, 0xAD, 0xDE, 0x00,
                        0x00, 0xC0, 0x3F, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x04, 0xC0}));
  CArchive r(out, Registry());
  // A braced list reads left to right.
  EXPECT_EQ((std::tuple{r.ReadU8(), r.ReadU16(), r.ReadI32(), r.ReadU32(), r.ReadFloat(), r.ReadDouble()}),
            (std::tuple{std::uint8_t{0xAB}, std::uint16_t{0x1234}, -2, 0xDEADBEEFu, 1.5f, -2.5}));
  EXPECT_TRUE(r.AtEnd());
}

TEST(ArchiveTest, CountEncoding) {
  const std::vector<std::pair<std::uint32_t, Bytes>> cases = {
      {0, {0x00, 0x00}},
      {0xFFFE, {0xFE, 0xFF}},
      {0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
      {0x12345, {0xFF, 0xFF, 0x45, 0x23, 0x01, 0x00}}};
  for (const auto& [count, bytes] : cases) {
    SCOPED_TRACE(count);
    Bytes out;
    CArchive(out).WriteCount(count);
    EXPECT_EQ(out, bytes);
    CArchive r(out, Registry());
    EXPECT_EQ(r.ReadCount(), count);
    EXPECT_TRUE(r.AtEnd());
  }
}

TEST(ArchiveTest, StringPrefixes) {
  const std::vector<std::pair<std::size_t, Bytes>> cases = {
      {0, {0x00}},
      {254, {0xFE}},
      {255, {0xFF, 0xFF, 0x00}},
      {0xFFFE, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
      {0x10000, {0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00}}};
  for (const auto& [length, prefix] : cases) {
    SCOPED_TRACE(length);
    const std::string text(length, '\xE9');
    Bytes out;
    CArchive(out).WriteString(text);
    ASSERT_EQ(out.size(), prefix.size() + length);
    EXPECT_EQ(Bytes(out.begin(), out.begin() + prefix.size()), prefix);
    CArchive r(out, Registry());
    EXPECT_EQ(r.ReadString(), text);
    EXPECT_TRUE(r.AtEnd());
  }
}

TEST(ArchiveTest, SixteenBitStringsAreConvertedToWindows1252) {
  const std::vector<std::pair<Bytes, std::string>> cases = {
      {{0xFF, 0xFE, 0xFF, 0x03, 'A', 0x00, 0xE9, 0x00, 0xAC, 0x20}, "A\xE9\x80"},
      {{0xFF, 0xFE, 0xFF, 0xFF, 0x02, 0x00, 'A', 0x00, 'B', 0x00}, "AB"},
      {{0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0x00, 0x00, 0x00, 'Z', 0x00}, "Z"},
      {{0xFF, 0xFE, 0xFF, 0x00}, ""},
      // U+0100 has no byte; a surrogate pair is one character; a lone surrogate is one too.
      {{0xFF, 0xFE, 0xFF, 0x06, 0x00, 0x01, 0x3D, 0xD8, 0x00, 0xDE, 'x', 0x00, 0x00, 0xDC, 0x78, 0x01},
       "??x?\x9F"}};
  for (const auto& [bytes, text] : cases) {
    SCOPED_TRACE(text);
    CArchive r(bytes, Registry());
    EXPECT_EQ(r.ReadString(), text);
    EXPECT_TRUE(r.AtEnd());
  }
}

TEST(ArchiveTest, StringShorterThanItsPrefixFails) {
  const std::vector<Bytes> cases = {{0x05, 'A', 'B'},
                                    {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 'A'},
                                    {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F},
                                    {0xFF, 0xFE}};
  for (const Bytes& bytes : cases) {
    CArchive r(bytes, Registry());
    EXPECT_THROW(r.ReadString(), ArchiveError) << ::testing::PrintToString(bytes);
  }
}

TEST(ArchiveTest, TimeValuesUseTheLongFormOnlyWhenNeeded) {
  const std::vector<std::pair<TimeValue, std::size_t>> cases = {
      {0, 4},
      {1'136'073'600, 4},
      {std::numeric_limits<std::int32_t>::max(), 4},
      {std::int64_t{1} << 31, 12},
      {static_cast<std::int32_t>(0x8000000A), 12},  // the marker's own value
  };
  for (const auto& [time, size] : cases) {
    SCOPED_TRACE(time);
    Bytes out;
    CArchive(out).WriteTime(time);
    ASSERT_EQ(out.size(), size);
    if (size == 12) {
      EXPECT_EQ(Bytes(out.begin(), out.begin() + 4), (Bytes{0x0A, 0x00, 0x00, 0x80}));
    }
    CArchive r(out, Registry());
    EXPECT_EQ(r.ReadTime(), time);
    EXPECT_TRUE(r.AtEnd());
  }
}

TEST(ArchiveTest, TagsNumberClassesAndObjectsWithOneCounter) {
  TestRegion region;
  Bytes out;
  CArchive w(out);
  w.WriteObject(City("a").get());  // class CCity 1, object 2
  w.WriteObject(City("b").get());  // object 3
  w.WriteObject(&region);          // class CRegion 4, object 5
  w.WriteObject(&region);          // object 6, written in full again
  w.WriteObject(City("c").get());
  const Bytes expected = Concat({
      {0xFF, 0xFF, 0x01, 0x00, 0x05, 0x00},
      Text("CCity"),
      {0x01, 'a'},
      {0x01, 0x80, 0x01, 'b'},
      {0xFF, 0xFF, 0x02, 0x00, 0x07, 0x00},
      Text("CRegion"),
      {0x00, 0x00, 0x00},
      {0x04, 0x80, 0x00, 0x00, 0x00},
      {0x01, 0x80, 0x01, 'c'},
  });
  EXPECT_EQ(out, expected);

  auto objects = ReadAllObjects(out);
  ASSERT_EQ(objects.size(), 5u);
  EXPECT_EQ(dynamic_cast<TestCity&>(*objects[4]).name, "c");
  EXPECT_NE(dynamic_cast<TestRegion*>(objects[3].get()), nullptr);
  // The longest class name accepted has 63 bytes.
  EXPECT_EQ(ReadAllObjects(Concat({{0xFF, 0xFF, 0x01, 0x00, 0x3F, 0x00}, Text(kLongClassName), {0x01, 'x'}}))
                .size(),
            1u);
}

TEST(ArchiveTest, ClassIndexesFrom0x7FFFUseTheLongTag) {
  constexpr std::uint32_t kCities = 40'000;
  TestCity city;
  TestRegion region;
  Bytes out;
  CArchive w(out);
  for (std::uint32_t i = 0; i < kCities; ++i) w.WriteObject(&city);
  const std::size_t regionsStart = out.size();
  w.WriteObject(&region);  // class 40002, object 40003
  w.WriteObject(&region);

  // The CCity class keeps its short tag; CRegion, numbered past 0x7FFF, needs the long one.
  EXPECT_EQ(Bytes(out.begin() + 12, out.begin() + 14), (Bytes{0x01, 0x80}));
  const Bytes secondRegion(out.begin() + regionsStart + 6 + 7 + 3, out.end());
  const std::uint32_t tag = 0x80000000u | (kCities + 2);
  EXPECT_EQ(secondRegion, (Bytes{0xFF, 0x7F, static_cast<std::uint8_t>(tag),
                                 static_cast<std::uint8_t>(tag >> 8), static_cast<std::uint8_t>(tag >> 16),
                                 static_cast<std::uint8_t>(tag >> 24), 0x00, 0x00, 0x00}));

  auto objects = ReadAllObjects(out);
  ASSERT_EQ(objects.size(), kCities + 2);
  EXPECT_NE(dynamic_cast<TestRegion*>(objects.back().get()), nullptr);
}

// Peeking names the class of every kind of class tag, names nothing for the others, and never moves
// the position or throws, however the tag is damaged. The reader takes the long tag for small indexes.
TEST(ArchiveTest, PeekClassNameLeavesTheTagToReadObject) {
  const Bytes data = Concat({
      {0xFF, 0xFF, 0x01, 0x00, 0x05, 0x00},
      Text("CCity"),
      {0x01, 'a'},
      {0x01, 0x80, 0x01, 'b'},                          // class 1
      {0xFF, 0x7F, 0x01, 0x00, 0x00, 0x80, 0x01, 'c'},  // class 1, long form
      {0xFF, 0x7F, 0x00, 0x00, 0x00, 0x00},             // null, long form
      {0x00, 0x00},                                     // null
      {0x02, 0x00},                                     // object 2: a second reference
  });
  CArchive ar(data, Registry());
  std::vector<std::unique_ptr<CObject>> objects;
  for (const char* expected : {"CCity", "CCity", "CCity", "", ""}) {
    EXPECT_EQ(ar.PeekClassName(), expected) << ar.Offset();
    objects.push_back(ar.ReadObject());
  }
  EXPECT_EQ(dynamic_cast<TestCity&>(*objects[2]).name, "c");
  EXPECT_EQ(objects[3], nullptr);
  EXPECT_EQ(ar.PeekClassName(), "");
  EXPECT_THROW(ar.ReadObject(), ArchiveError);

  for (const Bytes& damaged : {Bytes{0xFF, 0xFF, 0x01, 0x00, 0x09, 0x00, 'C'}, Bytes{0xFF}, Bytes{0x05, 0x80},
                               Bytes{0xFF, 0x7F, 0x01}}) {
    CArchive bad(damaged, Registry());
    EXPECT_EQ(bad.PeekClassName(), "");
    EXPECT_EQ(bad.Offset(), 0u);
  }
}

TEST(ArchiveTest, MapRoundTripAndATruncatedMapFails) {
  const Bytes data = SampleMap();
  {
    CArchive r(data, Registry());
    ASSERT_EQ(r.ReadCount(), 3u);
    std::vector<std::unique_ptr<CObject>> values;
    for (int i = 0; i < 3; ++i) {
      r.ReadString();
      values.push_back(r.ReadObject("CRegion"));
    }
    EXPECT_TRUE(r.AtEnd());
    auto& south = dynamic_cast<TestRegion&>(*values[2]);
    ASSERT_EQ(south.children.size(), 2u);
    auto& airport = dynamic_cast<TestAirport&>(*south.children[0].second);
    EXPECT_EQ(dynamic_cast<TestCity&>(*airport.child).name, "Celle");
    EXPECT_EQ(south.children[1].second, nullptr);
  }
  // Inside the count, a key, a class name, a nested object; one byte short.
  for (const std::size_t size :
       {std::size_t{1}, std::size_t{3}, std::size_t{10}, data.size() / 2, data.size() - 1}) {
    const Bytes cut(data.begin(), data.begin() + size);
    EXPECT_THROW(
        {
          CArchive r(cut, Registry());
          const std::uint32_t n = r.ReadCount();
          for (std::uint32_t i = 0; i < n; ++i) {
            r.ReadString();
            r.ReadObject();
          }
        },
        ArchiveError)
        << "cut at " << size;
  }
}

TEST(ArchiveTest, MalformedTagsFailWithOffsetAndReason) {
  const Bytes city =
      Concat({{0xFF, 0xFF, 0x01, 0x00, 0x05, 0x00}, Text("CCity"), {0x00}});  // class 1, object 2
  const struct {
    const char* name;
    Bytes data;
    std::string message;
    std::string_view expectedClass = {};
  } cases[] = {
      {"unknown class", Concat({{0xFF, 0xFF, 0x01, 0x00, 0x04, 0x00}, Text("CFoo")}),
       "offset 0x0: unknown class name \"CFoo\""},
      {"64-byte class name", Concat({{0xFF, 0xFF, 0x01, 0x00, 0x40, 0x00}, Bytes(64, 'N')}),
       "offset 0x0: class name of 64 bytes, expected fewer than 64"},
      {"class name cut short", Concat({{0xFF, 0xFF, 0x01, 0x00, 0x06, 0x00}, Text("CCity")}),
       "offset 0x6: expected 6 bytes for the class name, 5 remain"},
      {"wrong schema", Concat({{0xFF, 0xFF, 0x03, 0x00, 0x07, 0x00}, Text("CRegion")}),
       "offset 0x0: class CRegion has schema 3, expected 2"},
      {"forward object index", {0x05, 0x00}, "offset 0x0: object index 5 names nothing read so far"},
      {"forward class index", {0x05, 0x80}, "offset 0x0: class index 5 names no class read so far"},
      {"long forward class index",
       {0xFF, 0x7F, 0x09, 0x00, 0x00, 0x80},
       "offset 0x0: class index 9 names no class read so far"},
      {"class where an object is expected", Concat({city, {0x01, 0x00}}),
       "offset 0xC: index 1 names a class, expected an object"},
      {"second reference to an object", Concat({city, {0x02, 0x00}}),
       "offset 0xC: reference to object 2, which was read already"},
      {"other class than expected", city, "offset 0x0: object of class CCity, expected CRegion", "CRegion"},
      // Before any allocation.
      {"count that cannot fit",
       Concat({{0xFF, 0xFF, 0x02, 0x00, 0x07, 0x00},
               Text("CRegion"),
               {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0, 0}}),
       "offset 0xE: a count of 2147483647 elements of at least 3 bytes each, but only 2 bytes remain"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      ReadAllObjects(c.data, c.expectedClass);
      ADD_FAILURE() << "no error";
    } catch (const ArchiveError& e) {
      EXPECT_EQ(e.what(), c.message);
    }
  }
}

TEST(ArchiveTest, VersionableClassLoadsAnySchemaAndNestedObjectsRestoreIt) {
  // A CAirport of schema 99 whose child is a CRegion (schema 2) that holds another CAirport.
  const Bytes data = Concat({
      {0xFF, 0xFF, 0x63, 0x00, 0x08, 0x00},
      Text("CAirport"),
      {0xFF, 0xFF, 0x02, 0x00, 0x07, 0x00},
      Text("CRegion"),
      {0x00, 0x01, 0x00, 0x01, 'k'},
      {0x01, 0x80, 0x00, 0x00},  // the inner CAirport: known class 1, null child
  });
  auto objects = ReadAllObjects(data);
  ASSERT_EQ(objects.size(), 1u);
  auto& outer = dynamic_cast<TestAirport&>(*objects[0]);
  EXPECT_EQ(std::tuple(outer.schemaBefore, outer.schemaAfter), std::tuple(99, 99));
  auto& inner = dynamic_cast<TestAirport&>(*dynamic_cast<TestRegion&>(*outer.child).children[0].second);
  EXPECT_EQ(inner.schemaBefore, 99);  // every object of a class shares its first tag's schema
}

// A chain of regions, each holding the next as its only child.
Bytes RegionChain(int depth) {
  Bytes data;
  for (int i = 0; i < depth; ++i) {
    const Bytes tag =
        i == 0 ? Concat({{0xFF, 0xFF, 0x02, 0x00, 0x07, 0x00}, Text("CRegion")}) : Bytes{0x01, 0x80};
    data.insert(data.end(), tag.begin(), tag.end());
    data.push_back(0x00);  // name
    if (i + 1 < depth)
      data.insert(data.end(), {0x01, 0x00, 0x00});  // one child, empty key
    else
      data.insert(data.end(), {0x00, 0x00});
  }
  return data;
}

TEST(ArchiveTest, DeepNestingFailsInsteadOfExhaustingTheStack) {
  EXPECT_EQ(ReadAllObjects(RegionChain(CArchive::kMaxObjectDepth)).size(), 1u);
  for (int depth : {CArchive::kMaxObjectDepth + 1, 100'000}) {
    SCOPED_TRACE(depth);
    EXPECT_THROW(ReadAllObjects(RegionChain(depth)), ArchiveError);
  }
}

TEST(ByteReaderTest, ShortReadsThrowWithOffsetAndLeaveThePositionAlone) {
  struct Case {
    const char* name;
    std::function<void(ByteReader&)> read;
    std::string message;
  };
  const std::vector<Case> cases = {
      {"U16", [](ByteReader& r) { r.U16(); }, "offset 0x2: expected 2 bytes for a 16-bit value, 1 remains"},
      {"U64", [](ByteReader& r) { r.U64(); }, "offset 0x2: expected 8 bytes for a 64-bit value, 1 remains"},
      {"Bytes", [](ByteReader& r) { r.Bytes(2, "the name"); },
       "offset 0x2: expected 2 bytes for the name, 1 remains"},
      {"huge Bytes", [](ByteReader& r) { r.Bytes(std::numeric_limits<std::size_t>::max()); },
       "offset 0x2: expected " + std::to_string(std::numeric_limits<std::size_t>::max()) +
           " bytes, 1 remains"},
      {"Seek", [](ByteReader& r) { r.Seek(4); },
       "offset 0x2: cannot move to offset 0x4, the data end at 0x3"}};
  const std::vector<std::uint8_t> data = {1, 2, 3};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ByteReader in(data);
    in.Skip(2);
    try {
      c.read(in);
      ADD_FAILURE() << "no error";
    } catch (const FormatError& e) {
      EXPECT_EQ(e.what(), c.message);
    }
    EXPECT_EQ(in.Offset(), 2u);
    EXPECT_EQ(in.U8(), 3);
  }
}

}
}
