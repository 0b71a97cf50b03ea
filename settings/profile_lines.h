// The lines of a settings file as the profile reader sees them: shared by the reads and the
// changes of profile_text and profile_index.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace tarvex::profile {

inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// One line: its body without the ending, and the ending.
struct Line {
  std::string_view body;
  std::string_view ending;  // "\r\n", "\n", "\r", or empty for a last line without one
};

// Walks the lines of a text once, after its byte-order mark.
class LineCursor {
 public:
  explicit LineCursor(std::string_view text)
      : text_(text), position_(text.starts_with(kUtf8Mark) ? kUtf8Mark.size() : 0) {}
  // The next line; nothing at the end of the text.
  std::optional<Line> Next();
  // Where the next line starts.
  std::size_t Position() const { return position_; }

 private:
  std::string_view text_;
  std::size_t position_;
};

struct ParsedLine {
  enum class Kind { kBlank, kSection, kKey } kind = Kind::kBlank;
  std::string_view name;                  // a section's or a key's name
  std::optional<std::string_view> value;  // a key's raw value; nothing for a line without "="
};

ParsedLine Parse(std::string_view body);

bool IsBlank(char c);
std::string_view Trim(std::string_view text);

// Names match without regard to case, as the platform compares them: ASCII letters only.
bool SameName(std::string_view a, std::string_view b);

// The value that a read gives for a key's raw value.
std::string_view ReadValue(std::string_view raw);

}  // namespace tarvex::profile
