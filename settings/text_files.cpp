#include "settings/text_files.h"

namespace tarvex {

bool TextFiles::Update(const std::string& path, const FileEdit& edit) {
  const FileContent content = Read(path);
  const std::optional<std::string> text = edit(content);
  if (!text) return false;
  // An unchanged file is written all the same: a file that cannot be written says so at every
  // save, as it does through the platform's profile functions.
  const bool nothingToCreate = content.status == FileContent::kMissing && text->empty();
  return nothingToCreate || Replace(path, *text);
}

}  // namespace tarvex
