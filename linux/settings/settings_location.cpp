#include "linux/settings/settings_location.h"

#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "settings/settings_path.h"

namespace tarvex::posix {
namespace {

std::string Joined(std::string directory, const std::string& name) {
  if (directory.empty() || directory.back() != '/') directory += '/';
  return directory + name;
}

bool IsAbsolute(const std::optional<std::string>& path) {
  return path && !path->empty() && path->front() == '/';
}

std::optional<std::string> ProcessVariable(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}

std::optional<std::string> ProcessPasswordHome() {
  const long suggested = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(suggested > 0 ? static_cast<std::size_t>(suggested) : 4096);
  passwd entry{};
  passwd* found = nullptr;
  while (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == ERANGE) {
    buffer.resize(buffer.size() * 2);
  }
  if (found == nullptr || found->pw_dir == nullptr) return std::nullopt;
  return std::string(found->pw_dir);
}

}  // namespace

SettingsLocation LocateSettings(const SettingsEnvironment& environment) {
  const std::optional<std::string> windir = environment.variable("windir");
  if (windir && !windir->empty()) return {Joined(*windir, kSettingsFileName), {}};

  std::optional<std::string> config = environment.variable("XDG_CONFIG_HOME");
  if (!IsAbsolute(config)) {
    std::optional<std::string> home = environment.variable("HOME");
    if (!IsAbsolute(home)) home = environment.passwordHome();
    if (!IsAbsolute(home)) return {Joined("/", kSettingsFileName), {}};
    config = Joined(*home, ".config");
  }
  return {Joined(*config, kSettingsFileName), *config};
}

SettingsLocation SettingsLocationOfProcess() {
  return LocateSettings({ProcessVariable, ProcessPasswordHome});
}

}  // namespace tarvex::posix
