#include "settings/text_files.h"

namespace tarvex {

bool TextFiles::Update(const std::string& path, const FileEdit& edit) {
  const FileContent content = Read(path);
  const std::optional<std::string> text = edit(content);
  if (!text) return false;
  const bool unchanged =
      content.status == FileContent::kMissing ? text->empty() : *text == content.text;
  return unchanged || Replace(path, *text);
}

}  // namespace tarvex
