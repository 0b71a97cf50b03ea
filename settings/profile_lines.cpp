#include "settings/profile_lines.h"

#include "settings/profile_store.h"

namespace tarvex::profile {
namespace {

// The platform hands names and values on as C strings: a zero byte ends them.
std::string_view UpToZero(std::string_view text) { return text.substr(0, text.find('\0')); }

char FoldAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

bool IsQuote(char c) { return c == '"' || c == '\''; }

}  // namespace

// Character 26 counts too: the platform's reader takes it for a blank.
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1a'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::optional<Line> LineCursor::Next() {
  if (position_ >= text_.size()) return std::nullopt;
  std::size_t end = position_;
  while (end < text_.size() && text_[end] != '\n' && text_[end] != '\r') ++end;
  if (end == text_.size()) {
    const Line line{text_.substr(position_), {}};
    position_ = text_.size();
    return line;
  }
  const std::size_t endingLength = text_.compare(end, 2, "\r\n") == 0 ? 2 : 1;
  const Line line{text_.substr(position_, end - position_), text_.substr(end, endingLength)};
  position_ = end + endingLength;
  return line;
}

ParsedLine Parse(std::string_view body) {
  const std::string_view line = Trim(body);
  if (line.empty()) return {};
  if (line.front() == '[') {
    const std::size_t close = line.rfind(']');
    if (close != std::string_view::npos) {
      return {ParsedLine::Kind::kSection, UpToZero(Trim(line.substr(1, close - 1))), {}};
    }
  }
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return {ParsedLine::Kind::kKey, UpToZero(line), {}};
  return {ParsedLine::Kind::kKey, UpToZero(Trim(line.substr(0, equals))),
          Trim(line.substr(equals + 1))};
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return true;
}

std::string_view ReadValue(std::string_view raw) {
  std::string_view value = UpToZero(raw);
  if (value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return value.substr(0, kMaxProfileValue);
}

}  // namespace tarvex::profile
