// Where the settings file lives and how the program's sections are named.
#pragma once

#include <string>
#include <string_view>

namespace tarvex {

inline constexpr const char* kSettingsFileName = "KelvoApps.ini";

// Whether a byte starts a double-byte character in the system's character set.
using LeadBytePredicate = bool (*)(unsigned char byte);

// The settings file in `directory` (the value of "windir"): a "\" is added unless the directory
// already ends in one, where a "\" that is the second byte of a double-byte character does not
// count. An empty directory gives "\KelvoApps.ini", the root of the current drive.
std::string SettingsFileIn(std::string_view directory, LeadBytePredicate isLeadByte);

// The title up to, and without, its last blank; the whole title when it has none.
std::string AppBaseTitle(std::string_view title);

}  // namespace tarvex
