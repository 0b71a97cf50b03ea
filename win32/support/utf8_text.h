// Conversions at the edge between the core's UTF-8 captions and the system's UTF-16 and ANSI
// texts. Invalid input never fails: each bad sequence becomes U+FFFD (or the code page's default
// character), as the system converts.
#pragma once

#include <string>
#include <string_view>

namespace tarvex::win32 {

std::wstring WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);
// The UTF-16 text in the ANSI code page, as the system's ANSI functions give it.
std::string AnsiFromWide(std::wstring_view wide);
// Copies the longest prefix of `utf8` that fits bufferSize - 1 bytes without splitting a
// character, and a terminating zero; returns its length.
int CopyUtf8(std::string_view utf8, char* buffer, int bufferSize);

}  // namespace tarvex::win32
