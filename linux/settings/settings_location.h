// Where the Linux edition keeps the settings file "KelvoApps.ini":
// - in the directory that "windir" names, when it is set and not empty, as the Windows edition
//   does; that directory must exist already, as it must there;
// - else in $XDG_CONFIG_HOME when it is set to an absolute path;
// - else in $HOME/.config, where HOME is the variable when it holds an absolute path, else the
//   home directory of the user's entry in the password database (a session started without
//   HOME still finds its settings).
// The configuration directory of the last two is created, mode 0700, when the file is first
// written. With no home directory at all the file is "/KelvoApps.ini", the root of the file
// system, just as a missing "windir" gives the root of the current drive on Windows: its reads
// give the defaults and its writes fail with a message that names that path.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace tarvex::posix {

struct SettingsLocation {
  std::string file;
  // The directory to create before the first write; empty when it must exist already.
  std::string directoryToCreate;
  bool operator==(const SettingsLocation&) const = default;
};

// The process's surroundings that decide the location.
struct SettingsEnvironment {
  // The variable's value; nothing when it is not set.
  std::function<std::optional<std::string>(const char* name)> variable;
  // The home directory of the user's password database entry; nothing when there is none.
  std::function<std::optional<std::string>()> passwordHome;
};

SettingsLocation LocateSettings(const SettingsEnvironment& environment);

// The location for this process, fixed when the program starts.
SettingsLocation SettingsLocationOfProcess();

}  // namespace tarvex::posix
