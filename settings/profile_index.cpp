#include "settings/profile_index.h"

#include "settings/profile_lines.h"

namespace tarvex {
namespace {

std::string Folded(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  }
  return folded;
}

}  // namespace

std::optional<std::string> ProfileIndex::Value(std::string_view section, std::string_view key) {
  const Keys& keys = KeysOf(section);
  const auto found = keys.find(Folded(key));
  if (found == keys.end() || !found->second) return std::nullopt;
  return std::string(profile::ReadValue(*found->second));
}

const ProfileIndex::Keys& ProfileIndex::KeysOf(std::string_view section) {
  const auto [entry, added] = sections_.try_emplace(Folded(section));
  if (!added) return entry->second;
  profile::LineCursor cursor(text_);
  bool inSection = false;
  while (const auto line = cursor.Next()) {
    const profile::ParsedLine parsed = profile::Parse(line->body);
    if (parsed.kind == profile::ParsedLine::Kind::kSection) {
      if (inSection) break;  // only the first section of the name counts
      inSection = profile::SameName(parsed.name, section);
    } else if (inSection && parsed.kind == profile::ParsedLine::Kind::kKey) {
      entry->second.try_emplace(Folded(parsed.name), parsed.value);  // the first line counts
    }
  }
  return entry->second;
}

}  // namespace tarvex
