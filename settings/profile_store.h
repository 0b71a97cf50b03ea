// The platform's profile functions: keys in named sections of an INI text file that other
// programs share. Each call goes to the file at once; nothing is held open between calls.
#pragma once

#include <string>

namespace tarvex {

// Reads return at most this many characters of a value.
inline constexpr std::size_t kMaxProfileValue = 2047;

class ProfileStore {
 public:
  virtual ~ProfileStore() = default;
  // The key's value without the blanks around it, cut to kMaxProfileValue characters; the
  // default when the file, the section or the key is missing. Sections and keys match without
  // regard to case. Reading never creates anything.
  virtual std::string ReadString(const std::string& file, const std::string& section,
                                 const std::string& key, const std::string& defaultValue) = 0;
  // Replaces the key's value in place, or adds the key, its section and the file as needed,
  // keeping every other line. False when the write was refused.
  virtual bool WriteString(const std::string& file, const std::string& section,
                           const std::string& key, const std::string& value) = 0;
  // Removes the section's header and all its keys. False when the write was refused.
  virtual bool EraseSection(const std::string& file, const std::string& section) = 0;
};

}  // namespace tarvex
