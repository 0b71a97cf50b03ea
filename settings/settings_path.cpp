#include "settings/settings_path.h"

namespace tarvex {
namespace {

bool EndsWithDelimiter(std::string_view path, LeadBytePredicate isLeadByte) {
  bool lastIsDelimiter = false;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (isLeadByte(static_cast<unsigned char>(path[i])) && i + 1 < path.size()) {
      lastIsDelimiter = false;
      ++i;  // the trail byte may look like "\" without being one
      continue;
    }
    lastIsDelimiter = path[i] == '\\';
  }
  return lastIsDelimiter;
}

}  // namespace

std::string SettingsFileIn(std::string_view directory, LeadBytePredicate isLeadByte) {
  std::string path(directory);
  if (!EndsWithDelimiter(path, isLeadByte)) path += '\\';
  return path + kSettingsFileName;
}

std::string AppBaseTitle(std::string_view title) {
  const std::size_t blank = title.rfind(' ');
  return std::string(blank == std::string_view::npos ? title : title.substr(0, blank));
}

}  // namespace tarvex
