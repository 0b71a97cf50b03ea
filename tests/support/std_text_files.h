// Whole-file reads and replacements through the standard library, for tests of the settings
// store on a real disk: the new content goes to a temporary file beside the old one, which is
// then renamed over it.
#pragma once

#include "settings/text_files.h"

namespace tarvex {

class StdTextFiles : public TextFiles {
 public:
  FileContent Read(const std::string& path) override;
  bool Replace(const std::string& path, const std::string& text) override;
};

}  // namespace tarvex
