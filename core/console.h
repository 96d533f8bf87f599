// The one console sink: every message goes through it, line by line, and leaves the process
// in large writes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace fontscan {

inline constexpr std::string_view CRLF = "\r\n";

// Where buffered console text ends up: standard output in the program, a string in tests.
class ConsoleOutput {
 public:
  virtual ~ConsoleOutput() = default;
  virtual void Write(std::string_view text) = 0;
};

class Console {
 public:
  explicit Console(ConsoleOutput& output) : output_(output) {}
  ~Console() { Flush(); }
  Console(const Console&) = delete;
  Console& operator=(const Console&) = delete;

  // Writes `text` followed by CR LF.
  void WriteLine(std::string_view text);
  // Hands everything buffered to the output.
  void Flush();

  // Compose a line in pieces; the line ends with CRLF. A piece handed over in one call reaches
  // the output in one write, whatever was buffered before it.
  Console& operator<<(std::string_view text);
  Console& operator<<(std::int32_t number);

 private:
  static constexpr std::size_t kFlushThreshold = 64 * 1024;

  ConsoleOutput& output_;
  std::string buffer_;
};

// Standard output through the platform layer.
class StandardOutput final : public ConsoleOutput {
 public:
  void Write(std::string_view text) override;
};

// Collects everything written; for tests and fuzzers.
class StringOutput final : public ConsoleOutput {
 public:
  void Write(std::string_view text) override { text_.append(text); }
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

}  // namespace fontscan
