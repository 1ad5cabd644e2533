#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <set>
#include <vector>

#include "platform/record_memory.h"

namespace wf {
namespace {

TEST(RecordMemory, GivesAlignedDisjointMemoryOfEverySizeAndTakesItBack) {
  struct Block {
    unsigned char* memory;
    std::size_t size;
  };
  std::vector<Block> blocks;
  // Many records of sizes across the pooled range and beyond, filled with their own byte.
  for (std::size_t size : {1u, 16u, 17u, 1120u, 4096u, 4097u, 100000u}) {
    for (int i = 0; i < 600; ++i) {
      auto* memory = static_cast<unsigned char*>(AllocateRecordMemory(size));
      ASSERT_EQ(reinterpret_cast<std::uintptr_t>(memory) % alignof(std::max_align_t), 0u);
      std::memset(memory, static_cast<int>(blocks.size() % 251), size);
      blocks.push_back({memory, size});
    }
  }
  // Nothing written to one record shows in another.
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    const unsigned char expected = static_cast<unsigned char>(i % 251);
    for (std::size_t b = 0; b < blocks[i].size; b += 7) ASSERT_EQ(blocks[i].memory[b], expected) << i;
  }
  // Freed memory is handed out again for records of the same size.
  std::set<void*> freed;
  for (std::size_t i = 0; i < blocks.size(); i += 2) {
    if (blocks[i].size == 1120) freed.insert(blocks[i].memory);
    FreeRecordMemory(blocks[i].memory, blocks[i].size);
  }
  std::vector<void*> again;
  for (std::size_t i = 0; i < freed.size(); ++i) again.push_back(AllocateRecordMemory(1120));
  for (void* memory : again) {
    // Checked builds use the plain allocator, which need not hand the same memory back.
    EXPECT_TRUE(MemoryIsChecked() || freed.count(memory) != 0);
    FreeRecordMemory(memory, 1120);
  }
  for (std::size_t i = 1; i < blocks.size(); i += 2) FreeRecordMemory(blocks[i].memory, blocks[i].size);
  FreeRecordMemory(nullptr, 64);
}

}
}
