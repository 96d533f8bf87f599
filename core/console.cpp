#include "core/console.h"

#include "platform/console.h"

namespace fontscan {

void Console::WriteLine(std::string_view text) { *this << text << CRLF; }

Console& Console::operator<<(std::string_view text) {
  buffer_.append(text);
  if (buffer_.size() >= kFlushThreshold) Flush();
  return *this;
}

Console& Console::operator<<(std::int32_t number) {
  char digits[12];
  char* end = digits + sizeof digits;
  char* p = end;
  // Work in the negative range so that the most negative value needs no special case.
  std::int32_t rest = number < 0 ? number : -number;
  do {
    *--p = static_cast<char>('0' - rest % 10);
    rest /= 10;
  } while (rest != 0);
  if (number < 0) *--p = '-';
  return *this << std::string_view(p, static_cast<std::size_t>(end - p));
}

void Console::Flush() {
  if (buffer_.empty()) return;
  output_.Write(buffer_);
  buffer_.clear();
}

void StandardOutput::Write(std::string_view text) {
  // A console that cannot take the text is no reason to stop: the run finishes either way.
  platform::WriteStandardOutput(text.data(), text.size());
}

}  // namespace fontscan
