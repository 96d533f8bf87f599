#include "platform/memory.h"

#include <sys/mman.h>

#include <cstdint>

namespace fontscan::platform {

namespace {

// A transparent huge page: one fault instead of 512 when the buffer is first filled.
constexpr std::size_t kHugePage = 2 * 1024 * 1024;
// Below this a huge page would mostly hold nothing.
constexpr std::size_t kHugePageThreshold = kHugePage / 4;

}  // namespace

bool PageBuffer::Allocate(std::size_t size) {
  Release();
  if (size == 0) return true;
  const bool huge = size >= kHugePageThreshold;
  // Whole huge pages, and room to place them on a huge page boundary: the advice below only
  // takes where it covers whole aligned huge pages. Pages never touched cost nothing.
  const std::size_t huge_size = (size + kHugePage - 1) / kHugePage * kHugePage;
  const std::size_t block_size = huge ? huge_size + kHugePage : size;
  void* block =
      mmap(nullptr, block_size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (block == MAP_FAILED) return false;
  auto address = reinterpret_cast<std::uintptr_t>(block);
  if (huge) {
    address = (address + kHugePage - 1) & ~static_cast<std::uintptr_t>(kHugePage - 1);
#ifdef MADV_HUGEPAGE
    // Only advice: without huge pages the buffer is the same, just slower to fill.
    madvise(reinterpret_cast<void*>(address), huge_size, MADV_HUGEPAGE);
#endif
  }
  block_ = block;
  block_size_ = block_size;
  data_ = reinterpret_cast<char*>(address);
  size_ = size;
  return true;
}

void PageBuffer::Release() {
  if (block_ != nullptr) munmap(block_, block_size_);
  block_ = nullptr;
  block_size_ = 0;
  data_ = nullptr;
  size_ = 0;
}

}  // namespace fontscan::platform
