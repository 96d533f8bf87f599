#include "platform/locale.h"

#include <cctype>
#include <climits>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <cwctype>

namespace fontscan::platform {

void InitUserLocale() { std::setlocale(LC_ALL, ""); }

namespace {

// Multibyte locales (UTF-8 and the like): each valid character is upper-cased through the wide
// character functions; a byte that starts no valid character is copied and skipped.
std::string UpperCaseMultibyte(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  std::mbstate_t in_state{};
  std::mbstate_t out_state{};
  char encoded[MB_LEN_MAX];
  std::size_t i = 0;
  while (i < text.size()) {
    wchar_t wide;
    std::size_t length = std::mbrtowc(&wide, text.data() + i, text.size() - i, &in_state);
    if (length == static_cast<std::size_t>(-1) || length == static_cast<std::size_t>(-2)) {
      result.push_back(text[i]);
      ++i;
      in_state = std::mbstate_t{};
      continue;
    }
    if (length == 0) length = 1;  // an embedded NUL
    std::size_t out_length = std::wcrtomb(
        encoded, static_cast<wchar_t>(std::towupper(static_cast<wint_t>(wide))), &out_state);
    if (out_length == static_cast<std::size_t>(-1)) {
      result.append(text.data() + i, length);
      out_state = std::mbstate_t{};
    } else {
      result.append(encoded, out_length);
    }
    i += length;
  }
  return result;
}

}  // namespace

std::string UpperCase(std::string_view text) {
  if (MB_CUR_MAX > 1) return UpperCaseMultibyte(text);
  std::string result(text);
  for (char& c : result) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return result;
}

int CompareIgnoringCase(const std::string& a, const std::string& b) {
  return std::strcoll(UpperCase(a).c_str(), UpperCase(b).c_str());
}

}  // namespace fontscan::platform
