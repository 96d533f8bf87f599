// Memory for a whole input file, taken straight from the operating system.
#pragma once

#include <cstddef>
#include <utility>

namespace fontscan::platform {

// A zero-filled block that lives until it is replaced or destroyed. Where the system offers
// large pages it asks for them: filling a fresh megabyte page by page costs more than reading it.
class PageBuffer {
 public:
  PageBuffer() = default;
  ~PageBuffer() { Release(); }
  PageBuffer(const PageBuffer&) = delete;
  PageBuffer& operator=(const PageBuffer&) = delete;
  PageBuffer(PageBuffer&& other) noexcept { *this = std::move(other); }
  PageBuffer& operator=(PageBuffer&& other) noexcept {
    if (this != &other) {
      Release();
      std::swap(data_, other.data_);
      std::swap(size_, other.size_);
      std::swap(block_, other.block_);
      std::swap(block_size_, other.block_size_);
    }
    return *this;
  }

  // Replaces the contents by `size` zero bytes; false, and empty, when the memory cannot be had.
  bool Allocate(std::size_t size);

  char* data() const { return data_; }
  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }

 private:
  void Release();

  char* data_ = nullptr;
  std::size_t size_ = 0;
  void* block_ = nullptr;  // what the system handed out; `data_` lies inside it
  std::size_t block_size_ = 0;
};

}  // namespace fontscan::platform
