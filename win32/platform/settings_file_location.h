// Where this edition keeps the settings file: in the Windows directory that "windir" names.
#pragma once

#include <string>

namespace tarvex::win32 {

// The settings file's full path from "windir" as it stands now; a missing variable gives the
// root of the current drive.
std::string SettingsFileFromEnvironment();

}  // namespace tarvex::win32
