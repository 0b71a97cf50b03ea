// Whole-file reads and replacements, for the settings file store of our own.
#pragma once

#include <string>

namespace tarvex {

struct FileContent {
  enum Status { kRead, kMissing, kUnreadable } status = kMissing;
  std::string text;
};

class TextFiles {
 public:
  virtual ~TextFiles() = default;
  virtual FileContent Read(const std::string& path) = 0;
  // Replaces the file's content as one step: a failure part-way leaves the old file whole.
  // False when the file or its directory refuses the write.
  virtual bool Replace(const std::string& path, const std::string& text) = 0;
};

}  // namespace tarvex
