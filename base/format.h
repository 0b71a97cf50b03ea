// printf-style formatting into a std::string, for the program's fixed message templates.
#pragma once

#include <cstdio>
#include <string>

namespace tarvex {

template <typename... Args>
std::string Format(const char* pattern, Args... args) {
  const int length = std::snprintf(nullptr, 0, pattern, args...);
  if (length <= 0) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  std::snprintf(text.data(), text.size(), pattern, args...);
  text.resize(static_cast<std::size_t>(length));
  return text;
}

}  // namespace tarvex
