#include "settings/profile_text.h"

#include <algorithm>

#include "settings/profile_lines.h"

namespace tarvex {
namespace {

using profile::Line;
using profile::LineCursor;
using profile::ParsedLine;
using profile::SameName;

bool IsLineBreakOrZero(char c) { return c == '\r' || c == '\n' || c == '\0'; }

bool IsQuote(char c) { return c == '"' || c == '\''; }

// The first line ending of the text, for lines that a change adds.
std::string_view NewLineOf(std::string_view text) {
  LineCursor cursor(text);
  while (const auto line = cursor.Next()) {
    if (!line->ending.empty()) return line->ending;
  }
  return "\r\n";
}

// What a save does to one section: erase every copy, or not; then set keys, first set first.
struct SectionPlan {
  std::string name;
  bool erase = false;
  struct Key {
    std::string name;
    std::string value;  // as it stands on its line
    bool written = false;
  };
  std::vector<Key> keys;
  bool seen = false;  // its first copy was met
};

std::vector<SectionPlan> PlanOf(const ProfileChanges& changes) {
  std::vector<SectionPlan> plans;
  for (const ProfileChange& change : changes) {
    auto plan = std::find_if(plans.begin(), plans.end(), [&](const SectionPlan& p) {
      return SameName(p.name, change.section);
    });
    if (plan == plans.end()) {
      plan = plans.insert(plans.end(), SectionPlan{});
      plan->name = change.section;
    }
    if (change.kind == ProfileChange::Kind::kEraseSection) {
      plan->erase = true;
      plan->keys.clear();
      continue;
    }
    const auto key = std::find_if(plan->keys.begin(), plan->keys.end(),
                                  [&](const auto& k) { return SameName(k.name, change.key); });
    if (key != plan->keys.end()) {
      key->value = ProfileLineValue(change.value);
    } else {
      plan->keys.push_back({change.key, ProfileLineValue(change.value), false});
    }
  }
  return plans;
}

SectionPlan* PlanNamed(std::vector<SectionPlan>& plans, std::string_view name) {
  const auto plan = std::find_if(plans.begin(), plans.end(),
                                 [&](const SectionPlan& p) { return SameName(p.name, name); });
  return plan == plans.end() ? nullptr : &*plan;
}

// The new text, line by line. A last line without an ending gets one when something follows.
class Output {
 public:
  Output(std::string_view newLine, std::size_t size) : newLine_(newLine) { text_.reserve(size); }

  void Bytes(std::string_view bytes, bool endsOpen) {
    if (bytes.empty()) return;
    Close();
    text_ += bytes;
    open_ = endsOpen;
  }
  void Put(const Line& line) { Bytes(Whole(line), line.ending.empty()); }
  void KeyLine(const SectionPlan::Key& key, std::string_view ending) {
    Close();
    text_ += key.name;
    text_ += '=';
    text_ += key.value;
    text_ += ending;
    open_ = ending.empty();
  }
  void Header(std::string_view name) {
    Close();
    text_ += '[';
    text_ += name;
    text_ += ']';
    text_ += newLine_;
  }
  // The keys of the plan that no line of the file took.
  void MissingKeys(SectionPlan& plan) {
    for (SectionPlan::Key& key : plan.keys) {
      if (!key.written) KeyLine(key, newLine_);
      key.written = true;
    }
  }
  std::string Take() { return std::move(text_); }

  static std::string_view Whole(const Line& line) {
    return {line.body.data(), line.body.size() + line.ending.size()};
  }

 private:
  void Close() {
    if (open_) text_ += newLine_;
    open_ = false;
  }

  std::string_view newLine_;
  std::string text_;
  bool open_ = false;
};

}  // namespace

std::optional<std::string> FindProfileValue(std::string_view text, std::string_view section,
                                            std::string_view key) {
  LineCursor cursor(text);
  bool inSection = false;
  bool seen = false;
  while (const auto line = cursor.Next()) {
    const ParsedLine parsed = profile::Parse(line->body);
    if (parsed.kind == ParsedLine::Kind::kSection) {
      if (seen) return std::nullopt;
      inSection = seen = SameName(parsed.name, section);
    } else if (inSection && parsed.kind == ParsedLine::Kind::kKey && SameName(parsed.name, key)) {
      if (!parsed.value) return std::nullopt;
      return std::string(profile::ReadValue(*parsed.value));
    }
  }
  return std::nullopt;
}

std::string ProfileLineValue(std::string_view value) {
  std::string line(value);
  std::replace_if(line.begin(), line.end(), IsLineBreakOrZero, ' ');
  const std::string_view trimmed = profile::Trim(line);
  if (trimmed.size() >= 2 && IsQuote(trimmed.front()) && trimmed.back() == trimmed.front()) {
    return '"' + std::string(trimmed) + '"';
  }
  return line;
}

std::string WithProfileChanges(std::string_view text, const ProfileChanges& changes) {
  std::vector<SectionPlan> plans = PlanOf(changes);
  const std::string_view newLine = NewLineOf(text);
  Output out(newLine, text.size() + 64 * changes.size());
  LineCursor cursor(text);
  out.Bytes(text.substr(0, cursor.Position()), false);  // the byte-order mark

  SectionPlan* current = nullptr;  // the plan whose section's first copy this is
  bool erasing = false;
  // Blank lines at the end of the current section are held back, so that new keys go before
  // them and the blank lines keep parting it from the next section.
  std::string_view heldBlanks;
  bool heldOpen = false;
  const auto releaseBlanks = [&] {
    out.Bytes(heldBlanks, heldOpen);
    heldBlanks = {};
  };

  while (const auto line = cursor.Next()) {
    const ParsedLine parsed = profile::Parse(line->body);
    if (parsed.kind == ParsedLine::Kind::kSection) {
      if (current) out.MissingKeys(*current);
      releaseBlanks();
      current = nullptr;
      SectionPlan* plan = PlanNamed(plans, parsed.name);
      erasing = plan && plan->erase;
      if (plan && !plan->erase && !plan->seen) {
        plan->seen = true;
        current = plan;
      }
      if (!erasing) out.Put(*line);
      continue;
    }
    if (erasing) continue;
    if (current && parsed.kind == ParsedLine::Kind::kBlank) {
      const std::string_view whole = Output::Whole(*line);
      heldBlanks = heldBlanks.empty()
                       ? whole
                       : std::string_view(heldBlanks.data(), heldBlanks.size() + whole.size());
      heldOpen = line->ending.empty();
      continue;
    }
    releaseBlanks();
    if (current && parsed.kind == ParsedLine::Kind::kKey) {
      const auto key = std::find_if(current->keys.begin(), current->keys.end(), [&](const auto& k) {
        return !k.written && SameName(k.name, parsed.name);
      });
      if (key != current->keys.end()) {
        out.KeyLine(*key, line->ending);
        key->written = true;
        continue;
      }
    }
    out.Put(*line);
  }
  if (current) out.MissingKeys(*current);
  releaseBlanks();
  for (SectionPlan& plan : plans) {
    if ((plan.seen && !plan.erase) || plan.keys.empty()) continue;
    out.Header(plan.name);
    out.MissingKeys(plan);
  }
  return out.Take();
}

std::string WithProfileValue(std::string_view text, std::string_view section, std::string_view key,
                             std::string_view value) {
  return WithProfileChanges(text, {{ProfileChange::Kind::kSet, std::string(section),
                                    std::string(key), std::string(value)}});
}

std::string WithoutProfileSection(std::string_view text, std::string_view section) {
  return WithProfileChanges(text,
                            {{ProfileChange::Kind::kEraseSection, std::string(section), {}, {}}});
}

}  // namespace tarvex
