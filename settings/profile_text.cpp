#include "settings/profile_text.h"

#include <vector>

#include "settings/profile_store.h"

namespace tarvex {
namespace {

struct Line {
  std::string_view body;    // without its ending
  std::string_view ending;  // "\r\n", "\n", "\r", or empty for a last line without one
};

// Any of the three line endings ends a line, so files from any system read alike.
std::vector<Line> SplitLines(std::string_view text) {
  std::vector<Line> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.push_back({text.substr(start), {}});
      break;
    }
    const std::size_t endingLength = text.compare(end, 2, "\r\n") == 0 ? 2 : 1;
    lines.push_back({text.substr(start, end - start), text.substr(end, endingLength)});
    start = end + endingLength;
  }
  return lines;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

char FoldAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return true;
}

// The name of a section header line, or nothing for any other line.
std::optional<std::string_view> SectionName(std::string_view body) {
  const std::string_view trimmed = Trim(body);
  if (!trimmed.starts_with('[')) return std::nullopt;
  const std::size_t close = trimmed.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return Trim(trimmed.substr(1, close - 1));
}

struct KeyLine {
  std::string_view name;
  std::string_view value;
};

// Comment lines (";") and lines without "=" are no keys.
std::optional<KeyLine> KeyOf(std::string_view body) {
  const std::string_view trimmed = Trim(body);
  if (trimmed.empty() || trimmed.front() == ';') return std::nullopt;
  const std::size_t equals = trimmed.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  return KeyLine{Trim(trimmed.substr(0, equals)), Trim(trimmed.substr(equals + 1))};
}

// Lines [first, end) of the first section of that name: first is its header.
struct SectionSpan {
  std::size_t first;
  std::size_t end;
};

std::optional<SectionSpan> FindSection(const std::vector<Line>& lines, std::string_view section) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const auto name = SectionName(lines[i].body);
    if (!name || !SameName(*name, section)) continue;
    std::size_t end = i + 1;
    while (end < lines.size() && !SectionName(lines[end].body)) ++end;
    return SectionSpan{i, end};
  }
  return std::nullopt;
}

std::string_view NewLineOf(const std::vector<Line>& lines) {
  for (const Line& line : lines) {
    if (!line.ending.empty()) return line.ending;
  }
  return "\r\n";
}

void Append(std::string& out, const Line& line) {
  out += line.body;
  out += line.ending;
}

}  // namespace

std::string OneLineProfileValue(std::string_view value) {
  std::string line(value);
  for (char& c : line) {
    if (c == '\r' || c == '\n' || c == '\0') c = ' ';
  }
  return line;
}

std::optional<std::string> FindProfileValue(std::string_view text, std::string_view section,
                                            std::string_view key) {
  const std::vector<Line> lines = SplitLines(text);
  const auto span = FindSection(lines, section);
  if (!span) return std::nullopt;
  for (std::size_t i = span->first + 1; i < span->end; ++i) {
    const auto line = KeyOf(lines[i].body);
    if (line && SameName(line->name, key)) {
      return std::string(line->value.substr(0, kMaxProfileValue));
    }
  }
  return std::nullopt;
}

std::string WithProfileValue(std::string_view text, std::string_view section, std::string_view key,
                             std::string_view value) {
  std::vector<Line> lines = SplitLines(text);
  const std::string_view newLine = NewLineOf(lines);
  const std::string keyLine = std::string(key) + "=" + OneLineProfileValue(value);
  const std::string header = "[" + std::string(section) + "]";

  const auto span = FindSection(lines, section);
  if (!span) {
    lines.push_back({header, newLine});
    lines.push_back({keyLine, newLine});
  } else {
    // The first key of that name is replaced; a new key goes after the section's last
    // non-blank line, so blank lines that part it from the next section stay where they are.
    std::optional<std::size_t> target;
    std::size_t last = span->first;
    for (std::size_t i = span->first + 1; i < span->end && !target; ++i) {
      const auto line = KeyOf(lines[i].body);
      if (line && SameName(line->name, key)) target = i;
      if (!Trim(lines[i].body).empty()) last = i;
    }
    if (target) {
      lines[*target].body = keyLine;
    } else {
      lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(last) + 1, Line{keyLine, newLine});
    }
  }

  std::string out;
  out.reserve(text.size() + keyLine.size() + header.size() + 8);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    out += lines[i].body;
    // A line that was last and had no ending gets one when something now follows it.
    out += lines[i].ending.empty() && i + 1 < lines.size() ? newLine : lines[i].ending;
  }
  return out;
}

std::string WithoutProfileSection(std::string_view text, std::string_view section) {
  const std::vector<Line> lines = SplitLines(text);
  std::string out;
  out.reserve(text.size());
  bool inSection = false;
  for (const Line& line : lines) {
    if (const auto name = SectionName(line.body)) inSection = SameName(*name, section);
    if (!inSection) Append(out, line);
  }
  return out;
}

}  // namespace tarvex
