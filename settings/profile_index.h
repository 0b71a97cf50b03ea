// The reads of one load from one reading of the settings file: each section asked for is found
// once and its keys indexed once, so a load costs time linear in the file's size however many
// keys it reads.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace tarvex {

class ProfileIndex {
 public:
  explicit ProfileIndex(std::string text) : text_(std::move(text)) {}

  // As FindProfileValue gives it.
  std::optional<std::string> Value(std::string_view section, std::string_view key);

 private:
  // A key's raw value; nothing for a key line without "=".
  using Keys = std::unordered_map<std::string, std::optional<std::string_view>>;
  const Keys& KeysOf(std::string_view section);

  std::string text_;
  std::unordered_map<std::string, Keys> sections_;  // by folded name
};

}  // namespace tarvex
