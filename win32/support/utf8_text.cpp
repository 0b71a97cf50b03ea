#include "win32/support/utf8_text.h"

#include "win32/support/windows_api.h"

#include <cstring>
#include <limits>

#include "base/errors.h"

namespace tarvex::win32 {
namespace {

int Length(std::size_t size) {
  if (size > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
    throw Exception("Text too long to convert");
  }
  return static_cast<int>(size);
}

std::string NarrowFromWide(UINT codePage, std::wstring_view wide) {
  if (wide.empty()) return {};
  const int length = Length(wide.size());
  const int bytes =
      ::WideCharToMultiByte(codePage, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(bytes), '\0');
  ::WideCharToMultiByte(codePage, 0, wide.data(), length, narrow.data(), bytes, nullptr, nullptr);
  return narrow;
}

bool StartsCharacter(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) != 0x80; }

}  // namespace

std::wstring WideFromUtf8(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int length = Length(utf8.size());
  const int units = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(units), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), units);
  return wide;
}

std::string Utf8FromWide(std::wstring_view wide) { return NarrowFromWide(CP_UTF8, wide); }

std::string AnsiFromWide(std::wstring_view wide) { return NarrowFromWide(CP_ACP, wide); }

int CopyUtf8(std::string_view utf8, char* buffer, int bufferSize) {
  if (buffer == nullptr || bufferSize <= 0) return 0;
  std::size_t length = utf8.size();
  if (length > static_cast<std::size_t>(bufferSize - 1)) {
    length = static_cast<std::size_t>(bufferSize - 1);
    while (length > 0 && !StartsCharacter(utf8[length])) --length;
  }
  std::memcpy(buffer, utf8.data(), length);
  buffer[length] = '\0';
  return static_cast<int>(length);
}

}  // namespace tarvex::win32
