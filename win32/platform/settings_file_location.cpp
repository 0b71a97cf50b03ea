#include "win32/platform/settings_file_location.h"

#include "settings/settings_path.h"
#include "win32/support/windows_api.h"

namespace tarvex::win32 {
namespace {

// The variable's value; empty when it does not exist. The length is asked first, and again
// after the read in case the variable grew in between.
std::string EnvironmentValue(const char* name) {
  std::string value;
  DWORD size = ::GetEnvironmentVariableA(name, nullptr, 0);  // with the ending zero
  while (size > 0) {
    value.assign(size, '\0');
    const DWORD length = ::GetEnvironmentVariableA(name, value.data(), size);
    if (length < size) {
      value.resize(length);
      return value;
    }
    size = length;
  }
  return {};
}

bool IsLeadByte(unsigned char byte) { return ::IsDBCSLeadByte(byte) != FALSE; }

}  // namespace

std::string SettingsFileFromEnvironment() {
  return SettingsFileIn(EnvironmentValue("windir"), IsLeadByte);
}

}  // namespace tarvex::win32
