// The platform's profile functions: keys in named sections of an INI text file that other
// programs share. Nothing is held open between a load, a save or a rewrite.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace tarvex {

// Reads return at most this many characters of a value.
inline constexpr std::size_t kMaxProfileValue = 2047;

// One change of a save: a key set, or a whole section erased.
struct ProfileChange {
  enum class Kind { kSet, kEraseSection };
  Kind kind = Kind::kSet;
  std::string section;
  std::string key;
  std::string value;
};
using ProfileChanges = std::vector<ProfileChange>;

// The reads of one load.
class ProfileReader {
 public:
  virtual ~ProfileReader() = default;
  virtual std::string ReadString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) = 0;
};

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

  // Reads as ReadString does; a store may read the file once for all of them. Opening reads
  // nothing yet.
  virtual std::unique_ptr<ProfileReader> OpenForReading(const std::string& file);
  // Makes the changes in order, as WriteString and EraseSection would. Here each goes to the file
  // on its own, up to the first refusal; a store that can makes them one replacement of the
  // file, so that the old file or the new one stands, whole. False when a write was refused.
  virtual bool Update(const std::string& file, const ProfileChanges& changes);
};

}  // namespace tarvex
