// How the settings file writes and reads integers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarvex {

// Decimal with an optional sign ("-40", "+7", "007") within the 32-bit range, or hexadecimal
// after "$", "x", "X", "0x" or "0X" with at most 8 significant digits taken as a two's-complement
// pattern ("$FFFFFFFF" is -1). Leading blanks are skipped; anything else makes it not parse.
std::optional<std::int32_t> ParseInteger(std::string_view text);

// A stored value as the settings file reads it: "0x"/"0X" before at least one more character
// becomes "$" first; an empty or unparsable value gives the default.
std::int32_t IntegerOrDefault(std::string_view stored, std::int32_t defaultValue);

}  // namespace tarvex
