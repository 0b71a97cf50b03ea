#include "linux/x11/x11_text.h"

#include <cstring>

namespace tarvex::x11 {
namespace {

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0u) == 0x80u; }

}  // namespace

std::string Latin1ToUtf8(std::string_view latin1) {
  std::string utf8;
  utf8.reserve(latin1.size());
  for (const char c : latin1) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80u) {
      utf8 += c;
    } else {
      utf8 += static_cast<char>(0xC0u | (byte >> 6));
      utf8 += static_cast<char>(0x80u | (byte & 0x3Fu));
    }
  }
  return utf8;
}

std::string AsciiOnly(std::string_view text) {
  std::string ascii(text);
  for (char& c : ascii) {
    if (static_cast<unsigned char>(c) >= 0x80u) c = '?';
  }
  return ascii;
}

std::size_t Utf8PrefixLength(std::string_view text, std::size_t maxBytes) {
  if (text.size() <= maxBytes) return text.size();
  std::size_t length = maxBytes;
  // Step back over the continuation bytes of the character that the cut would split; the lead
  // byte before them goes too. Never more than three: a longer run is not UTF-8 anyway.
  std::size_t stepped = 0;
  while (length > 0 && stepped < 4 && IsContinuationByte(text[length])) {
    --length;
    ++stepped;
  }
  if (stepped == 4) return maxBytes;
  return length;
}

int CopyToBuffer(std::string_view text, char* buffer, int bufferSize) {
  if (buffer == nullptr || bufferSize <= 0) return 0;
  const std::size_t length = Utf8PrefixLength(text, static_cast<std::size_t>(bufferSize - 1));
  std::memcpy(buffer, text.data(), length);
  buffer[length] = '\0';
  return static_cast<int>(length);
}

}  // namespace tarvex::x11
