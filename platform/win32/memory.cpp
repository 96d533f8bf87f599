#include "platform/memory.h"

#include <windows.h>

namespace fontscan::platform {

bool PageBuffer::Allocate(std::size_t size) {
  Release();
  if (size == 0) return true;
  // Committed pages come zero-filled. Large pages need a privilege that users rarely hold.
  void* block = VirtualAlloc(nullptr, size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
  if (block == nullptr) return false;
  block_ = block;
  block_size_ = size;
  data_ = static_cast<char*>(block);
  size_ = size;
  return true;
}

void PageBuffer::Release() {
  if (block_ != nullptr) VirtualFree(block_, 0, MEM_RELEASE);
  block_ = nullptr;
  block_size_ = 0;
  data_ = nullptr;
  size_ = 0;
}

}  // namespace fontscan::platform
