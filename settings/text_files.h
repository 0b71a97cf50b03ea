// Whole-file reads and replacements, for the settings file store of our own.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace tarvex {

// A settings file is a few kilobytes; a larger one than this is taken for something that cannot
// be read (and is then not written over), so that no file makes the program grow without bound.
inline constexpr std::size_t kMaxSettingsFileSize = std::size_t{64} << 20;

struct FileContent {
  enum Status { kRead, kMissing, kUnreadable } status = kMissing;
  std::string text;
};

// The new text for the file as it stands; nothing to refuse the change.
using FileEdit = std::function<std::optional<std::string>(const FileContent& content)>;

class TextFiles {
 public:
  virtual ~TextFiles() = default;
  virtual FileContent Read(const std::string& path) = 0;
  // Replaces the file's content as one step: a failure part-way leaves the old file whole.
  // False when the file or its directory refuses the write.
  virtual bool Replace(const std::string& path, const std::string& text) = 0;
  // Reads the file, has `edit` make the new text and replaces the file with it, also when the
  // text is unchanged; an empty text for a missing file is not written. Here nothing keeps other
  // writers out between the read and the replacement; a store that can, does.
  virtual bool Update(const std::string& path, const FileEdit& edit);
};

}  // namespace tarvex
