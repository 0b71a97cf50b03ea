// Feeds arbitrary settings files and values to the profile grammar and the integer reader.
// Whatever the input: no crash, a written value reads back as written (on one line), other
// sections keep their values, and an integer that parses reads back from its decimal form.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "settings/integer_text.h"
#include "settings/profile_lines.h"
#include "settings/profile_store.h"
#include "settings/profile_text.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

std::string_view TakeField(std::string_view& input) {
  const std::size_t end = input.find('\x1f');
  const std::string_view field = input.substr(0, end);
  input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
  return field;
}

using tarvex::profile::IsBlank;

// What a read gives back for a written value: one line, without the blanks around it.
std::string Expected(std::string_view value) {
  std::string line(value);
  for (char& c : line) {
    if (c == '\r' || c == '\n' || c == '\0') c = ' ';
  }
  return std::string(tarvex::profile::Trim(line).substr(0, tarvex::kMaxProfileValue));
}

// Names the program could use: printable, no brackets, no "=", no blanks around.
bool UsableName(std::string_view name) {
  if (name.empty() || IsBlank(name.front()) || IsBlank(name.back()) || name.front() == ';') {
    return false;
  }
  for (char c : name) {
    if (static_cast<unsigned char>(c) < 32 || c == '[' || c == ']' || c == '=') return false;
  }
  return true;
}

// Section names match without regard to case: "FUZZ other" is the other section too.
bool SameNameAsOther(std::string_view name) {
  constexpr std::string_view other = "fuzz other";
  if (name.size() != other.size()) return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const char c = name[i];
    if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c) != other[i]) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::string_view text = TakeField(input);
  const std::string_view section = TakeField(input);
  const std::string_view key = TakeField(input);
  const std::string_view value = TakeField(input);

  if (const auto number = tarvex::ParseInteger(value)) {
    Require(tarvex::ParseInteger(std::to_string(*number)) == number);
  }
  (void)tarvex::IntegerOrDefault(value, 7);
  (void)tarvex::FindProfileValue(text, section, key);
  (void)tarvex::WithoutProfileSection(text, section);

  if (!UsableName(section) || !UsableName(key) || SameNameAsOther(section)) return 0;
  const auto before = tarvex::FindProfileValue(text, "Fuzz Other", "k");
  const std::string written = tarvex::WithProfileValue(text, section, key, value);
  Require(tarvex::FindProfileValue(written, section, key) == Expected(value));
  Require(tarvex::FindProfileValue(written, "Fuzz Other", "k") == before);
  const std::string erased = tarvex::WithoutProfileSection(written, section);
  Require(!tarvex::FindProfileValue(erased, section, key).has_value());
  return 0;
}
