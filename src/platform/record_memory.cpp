#include "platform/record_memory.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <new>

#if defined(__linux__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

#if defined(__SANITIZE_ADDRESS__)
#define WINGFOLD_PLAIN_RECORD_MEMORY 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define WINGFOLD_PLAIN_RECORD_MEMORY 1
#endif
#endif

namespace wf {

bool MemoryIsChecked() noexcept {
#if defined(WINGFOLD_PLAIN_RECORD_MEMORY)
  return true;
#else
  return false;
#endif
}

#if defined(WINGFOLD_PLAIN_RECORD_MEMORY)

void* AllocateRecordMemory(std::size_t size) {
  return ::operator new(size);
}

void FreeRecordMemory(void* memory, std::size_t) noexcept {
  ::operator delete(memory);
}

#else

namespace {

constexpr std::size_t kGranule = alignof(std::max_align_t);
constexpr std::size_t kLargestPooled = 4096;  // larger records come from the plain allocator
constexpr std::size_t kClassCount = kLargestPooled / kGranule;
constexpr std::size_t kBlockBytes = std::size_t{2} << 20;  // one huge page on x86-64

struct FreeRecord {
  FreeRecord* next;
};

class RecordPool {
 public:
  void* Allocate(std::size_t size) {
    const std::size_t sizeClass = ClassOf(size);
    const std::size_t bytes = (sizeClass + 1) * kGranule;
    std::lock_guard lock(mutex_);
    if (FreeRecord* record = free_[sizeClass]) {
      free_[sizeClass] = record->next;
      return record;
    }
    if (static_cast<std::size_t>(end_ - next_) < bytes) NewBlock();
    void* memory = next_;
    next_ += bytes;
    return memory;
  }

  void Free(void* memory, std::size_t size) noexcept {
    const std::size_t sizeClass = ClassOf(size);
    std::lock_guard lock(mutex_);
    auto* record = static_cast<FreeRecord*>(memory);
    record->next = free_[sizeClass];
    free_[sizeClass] = record;
  }

 private:
  static std::size_t ClassOf(std::size_t size) { return size == 0 ? 0 : (size - 1) / kGranule; }

  // The rest of the current block is given up (at most one record's worth).
  void NewBlock() {
#if defined(_WIN32)
    void* block = ::operator new(kBlockBytes);
#else
    void* block = std::aligned_alloc(kBlockBytes, kBlockBytes);
    if (block == nullptr) throw std::bad_alloc();
#endif
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    madvise(block, kBlockBytes, MADV_HUGEPAGE);  // advice only; failure changes nothing
#endif
    next_ = static_cast<std::byte*>(block);
    end_ = next_ + kBlockBytes;
  }

  std::mutex mutex_;
  std::array<FreeRecord*, kClassCount> free_{};
  std::byte* next_ = nullptr;
  std::byte* end_ = nullptr;
};

RecordPool& Pool() {
  static RecordPool* pool = new RecordPool();  // never destroyed: records may outlive static objects
  return *pool;
}

}

void* AllocateRecordMemory(std::size_t size) {
  if (size > kLargestPooled) return ::operator new(size);
  return Pool().Allocate(size);
}

void FreeRecordMemory(void* memory, std::size_t size) noexcept {
  if (memory == nullptr) return;
  if (size > kLargestPooled) {
    ::operator delete(memory);
    return;
  }
  Pool().Free(memory, size);
}

#endif

void AdviseHugePages(void* memory, std::size_t size) noexcept {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;
  const auto start = reinterpret_cast<std::uintptr_t>(memory);
  const std::uintptr_t first = (start + kHugePage - 1) & ~(kHugePage - 1);
  const std::uintptr_t end = (start + size) & ~(kHugePage - 1);
  if (first < end) madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
#else
  (void)memory;
  (void)size;
#endif
}

void PrepareHeapForLargeWorlds() noexcept {
#if defined(__linux__) && defined(__GLIBC__) && defined(M_TOP_PAD) && !defined(WINGFOLD_PLAIN_RECORD_MEMORY)
  // Address space only: pages are taken when first written.
  constexpr std::size_t kHeapStep = std::size_t{512} << 20;
  if (mallopt(M_TOP_PAD, static_cast<int>(kHeapStep)) == 0) return;
  // Below the size that malloc maps on its own, above what the young heap has left: the heap grows
  // by the step now, and all of it can be advised at once.
  void* probe = std::malloc(std::size_t{120} << 10);
  if (probe == nullptr) return;
  auto* top = static_cast<std::byte*>(sbrk(0));
  const auto start = reinterpret_cast<std::byte*>(probe);
  if (top != reinterpret_cast<std::byte*>(-1) && top > start)
    AdviseHugePages(start, static_cast<std::size_t>(top - start));
  std::free(probe);
#endif
}

}
