// The fields of the settings differential test's script and answers, between the test and the
// probe it runs under Wine: any bytes, written as hexadecimal so that none can end a field.
#pragma once

#include <cstddef>
#include <string>

namespace tarvex::testing {

inline std::string ToHex(const std::string& text) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (const unsigned char c : text) {
    hex += kDigits[c >> 4];
    hex += kDigits[c & 15];
  }
  return hex;
}

inline std::string FromHex(const std::string& hex) {
  std::string text;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    text += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  }
  return text;
}

}  // namespace tarvex::testing
