#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "archive/byte_reader.h"

namespace wf {
namespace {

TEST(ByteReaderTest, ShortReadsThrowWithOffsetAndLeaveThePositionAlone) {
  struct Case {
    const char* name;
    std::function<void(ByteReader&)> read;
    std::string message;
  };
  const std::vector<Case> cases = {
      {"U16", [](ByteReader& r) { r.U16(); }, "offset 0x2: expected 2 bytes for a 16-bit value, 1 remains"},
      {"U32", [](ByteReader& r) { r.U32(); }, "offset 0x2: expected 4 bytes for a 32-bit value, 1 remains"},
      {"U64", [](ByteReader& r) { r.U64(); }, "offset 0x2: expected 8 bytes for a 64-bit value, 1 remains"},
      {"Double", [](ByteReader& r) { r.Double(); }, "offset 0x2: expected 8 bytes for a double, 1 remains"},
      {"Bytes", [](ByteReader& r) { r.Bytes(2, "the name"); },
       "offset 0x2: expected 2 bytes for the name, 1 remains"},
      {"huge Bytes", [](ByteReader& r) { r.Bytes(std::numeric_limits<std::size_t>::max()); },
       "offset 0x2: expected " + std::to_string(std::numeric_limits<std::size_t>::max()) +
           " bytes, 1 remains"},
      {"Skip", [](ByteReader& r) { r.Skip(5); }, "offset 0x2: expected 5 bytes, 1 remains"},
      {"Seek", [](ByteReader& r) { r.Seek(4); },
       "offset 0x2: cannot move to offset 0x4, the data end at 0x3"},
  };
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

TEST(ByteReaderTest, BytesViewSeekAndCustomError) {
  const std::vector<std::uint8_t> data = {10, 20, 30, 40};
  BasicByteReader<std::out_of_range> in(data);
  in.Seek(1);
  auto view = in.Bytes(2);
  ASSERT_EQ(view.size(), 2u);
  EXPECT_EQ(view[0], 20);
  EXPECT_EQ(view.data(), data.data() + 1);
  in.Seek(4);
  EXPECT_TRUE(in.AtEnd());
  EXPECT_EQ(in.Bytes(0).size(), 0u);
  EXPECT_THROW(in.U8(), std::out_of_range);
  EXPECT_THROW(in.FailAt(0x1F2A4, "bad record"), std::out_of_range);
}

}
}
