#include "settings/profile_store.h"

namespace tarvex {
namespace {

class ForwardingReader final : public ProfileReader {
 public:
  ForwardingReader(ProfileStore& store, std::string file) : store_(store), file_(std::move(file)) {}
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& defaultValue) override {
    return store_.ReadString(file_, section, key, defaultValue);
  }

 private:
  ProfileStore& store_;
  std::string file_;
};

}  // namespace

std::unique_ptr<ProfileReader> ProfileStore::OpenForReading(const std::string& file) {
  return std::make_unique<ForwardingReader>(*this, file);
}

bool ProfileStore::Update(const std::string& file, const ProfileChanges& changes) {
  for (const ProfileChange& change : changes) {
    const bool done = change.kind == ProfileChange::Kind::kSet
                          ? WriteString(file, change.section, change.key, change.value)
                          : EraseSection(file, change.section);
    if (!done) return false;
  }
  return true;
}

}  // namespace tarvex
