// The profile file grammar over the file's text, as pure functions: "[name]" lines open
// sections, "name=value" lines are keys; names match without regard to case. Every line that a
// change does not touch is kept byte for byte, its line ending included.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarvex {

// The value of the first such key in the first such section, without the blanks around it and
// cut to the profile reader's limit; nothing when the section or the key is missing.
std::optional<std::string> FindProfileValue(std::string_view text, std::string_view section,
                                            std::string_view key);

// A value as it can stand on its one line: line breaks and zero bytes become blanks, so no
// value can end its line and inject keys or sections, nor be cut short.
std::string OneLineProfileValue(std::string_view value);

// The text with the key set: replaced in place, or added after the section's last key line,
// or added with a new section at the end; the value as OneLineProfileValue makes it.
std::string WithProfileValue(std::string_view text, std::string_view section, std::string_view key,
                             std::string_view value);

// The text without the section's header and lines (every section of that name).
std::string WithoutProfileSection(std::string_view text, std::string_view section);

}  // namespace tarvex
