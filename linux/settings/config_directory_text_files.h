// The settings file's own configuration directory comes into being with the file's first
// write, as other programs that keep their settings under ~/.config do.
#pragma once

#include <string>
#include <utility>

#include "settings/text_files.h"

namespace tarvex::posix {

class ConfigDirectoryTextFiles final : public TextFiles {
 public:
  // `directory` is created (with its missing parents, mode 0700) before a replacement; an empty
  // one is never created, and the files then work exactly as `files` do.
  ConfigDirectoryTextFiles(TextFiles& files, std::string directory)
      : files_(files), directory_(std::move(directory)) {}

  FileContent Read(const std::string& path) override { return files_.Read(path); }
  // False also when the directory cannot be created; the write then fails as it would have.
  bool Replace(const std::string& path, const std::string& text) override;
  bool Update(const std::string& path, const FileEdit& edit) override;

 private:
  TextFiles& files_;
  std::string directory_;
};

}  // namespace tarvex::posix
