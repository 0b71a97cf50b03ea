#include "settings/file_profile_store.h"

#include "settings/profile_index.h"
#include "settings/profile_text.h"

namespace tarvex {
namespace {

// The file is read at the first read, once; one that cannot be read gives every default.
class FileReader final : public ProfileReader {
 public:
  FileReader(TextFiles& files, std::string file) : files_(files), file_(std::move(file)) {}

  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& defaultValue) override {
    if (!index_) {
      FileContent content = files_.Read(file_);
      if (content.status != FileContent::kRead) content.text.clear();
      index_.emplace(std::move(content.text));
    }
    return index_->Value(section, key).value_or(defaultValue);
  }

 private:
  TextFiles& files_;
  std::string file_;
  std::optional<ProfileIndex> index_;
};

}  // namespace

std::string FileProfileStore::ReadString(const std::string& file, const std::string& section,
                                         const std::string& key, const std::string& defaultValue) {
  return FileReader(files_, file).ReadString(section, key, defaultValue);
}

bool FileProfileStore::WriteString(const std::string& file, const std::string& section,
                                   const std::string& key, const std::string& value) {
  return Update(file, {{ProfileChange::Kind::kSet, section, key, value}});
}

bool FileProfileStore::EraseSection(const std::string& file, const std::string& section) {
  return Update(file, {{ProfileChange::Kind::kEraseSection, section, {}, {}}});
}

std::unique_ptr<ProfileReader> FileProfileStore::OpenForReading(const std::string& file) {
  return std::make_unique<FileReader>(files_, file);
}

bool FileProfileStore::Update(const std::string& file, const ProfileChanges& changes) {
  return files_.Update(file, [&](const FileContent& content) -> std::optional<std::string> {
    // A file that exists but cannot be read is not written over: its lines would be lost.
    if (content.status == FileContent::kUnreadable) return std::nullopt;
    return WithProfileChanges(content.text, changes);
  });
}

}  // namespace tarvex
