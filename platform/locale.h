// Upper-casing and case-insensitive comparison under the user's locale.
#pragma once

#include <string>
#include <string_view>

namespace fontscan::platform {

// Activates the user's default locale; called once before anything else.
void InitUserLocale();

// The text upper-cased under the active locale. Bytes that are no valid character of the
// locale's encoding are kept as they are.
std::string UpperCase(std::string_view text);

// Case-insensitive comparison under the active locale: negative, zero or positive as `a`
// sorts before, equal to or after `b`.
int CompareIgnoringCase(const std::string& a, const std::string& b);

}  // namespace fontscan::platform
