// Text as X11 properties carry it, turned into the program's UTF-8 strings.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tarvex::x11 {

// STRING properties are ISO 8859-1.
std::string Latin1ToUtf8(std::string_view latin1);
// Legacy multi-byte encodings (COMPOUND_TEXT and the like) keep their ASCII; the rest becomes '?'.
std::string AsciiOnly(std::string_view text);
// The longest prefix of at most `maxBytes` bytes that does not end inside a UTF-8 character.
std::size_t Utf8PrefixLength(std::string_view text, std::size_t maxBytes);
// The buffer contract of the window system's text calls: at most bufferSize - 1 bytes, cut on a
// character boundary, and a terminating zero. Returns the number of bytes copied.
int CopyToBuffer(std::string_view text, char* buffer, int bufferSize);

}  // namespace tarvex::x11
