// The settings differential test: hand-edited settings files from a seeded generator, each read
// by our profile grammar here and by the platform's profile functions under Wine (profile_probe),
// for every key the program reads and some of other programs: as the file stands, after the
// program's own save of the window section and rewrite of the ignore list, and after the ignore
// list is then cleared. A disagreement prints the file and the key and fails. The fixed cases
// (files that once disagreed) run first, every time.
//
//   profile_differential <run-under-wine.sh> <profile_probe.exe> <fixed cases folder> <work folder>
// TARVEX_DIFF_FILES sets the number of generated files (default 2000), TARVEX_DIFF_SEED replays a
// run. The deliberate differences named beside the grammar (settings/profile_text.h) are left out
// by those names.
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "settings/profile_index.h"
#include "settings/profile_lines.h"
#include "settings/profile_text.h"
#include "tests/wine/hex_field.h"

namespace {
namespace fs = std::filesystem;
using tarvex::ProfileChange;
using tarvex::ProfileChanges;
using tarvex::testing::FromHex;
using tarvex::testing::ToHex;

struct Key {
  std::string section;
  std::string key;
};

const std::vector<Key>& KeysRead() {
  static const std::vector<Key> keys = [] {
    std::vector<Key> all;
    for (const char* key : {"Left", "Top", "Width", "Height", "Column1", "Column2",
                            "MinimizeToTray", "HotKeyCode", "Note"}) {
      all.push_back({"Tarvex Window", key});
    }
    for (const char* key : {"1", "2", "3", "4", "5", "6"}) all.push_back({"Tarvex Ignore", key});
    for (const char* key : {"Alarm", "Left"}) all.push_back({"Kelvo Clock", key});
    for (const char* key : {"Last", "1"}) all.push_back({"Kelvo Notes", key});
    return all;
  }();
  return keys;
}

// The program's save: the window section at close, then an ignore list rewrite.
ProfileChanges ProgramWrites() {
  ProfileChanges changes;
  for (const char* key :
       {"Left", "Top", "Width", "Height", "Column1", "Column2", "MinimizeToTray", "HotKeyCode"}) {
    changes.push_back({ProfileChange::Kind::kSet, "Tarvex Window", key, "-40"});
  }
  changes.push_back({ProfileChange::Kind::kEraseSection, "Tarvex Ignore", {}, {}});
  for (const char* entry : {"My App", "\"Quoted\"", "'x'"}) {
    changes.push_back(
        {ProfileChange::Kind::kSet, "Tarvex Ignore", std::to_string(changes.size() - 8), entry});
  }
  return changes;
}

// Then the ignore list emptied in its dialog: the section erased and nothing written.
ProfileChanges ProgramClearsTheIgnoreList() {
  return {{ProfileChange::Kind::kEraseSection, "Tarvex Ignore", {}, {}}};
}

// Hand-edited settings files: odd blanks, letter case, quotes, comments, lines without "=",
// brackets without their pair, duplicate sections and keys, any line ending, long lines, bytes
// of 0x80 and above, a byte-order mark, zero bytes, and empty files.
class Generator {
 public:
  explicit Generator(unsigned seed) : random_(seed) {}

  std::string File() {
    if (Chance(30)) return "";
    std::string text = Chance(10) ? "\xEF\xBB\xBF" : "";
    const int lines = Pick(1, 30);
    for (int i = 0; i < lines; ++i) {
      text += Line();
      if (i + 1 < lines || Chance(2)) text += Ending();
    }
    return text;
  }

 private:
  bool Chance(int oneIn) { return Pick(1, oneIn) == 1; }
  int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  template <typename T>
  const T& OneOf(const std::vector<T>& items) {
    return items[static_cast<std::size_t>(Pick(0, static_cast<int>(items.size()) - 1))];
  }
  std::string Blanks() {
    static const std::vector<std::string> blanks = {"", "", "", " ", "\t", "  ", " \t "};
    return OneOf(blanks);
  }
  std::string Ending() {
    static const std::vector<std::string> endings = {"\r\n", "\r\n", "\n", "\r"};
    return OneOf(endings);
  }
  std::string Cased(std::string name) {
    for (char& c : name) {
      if (Chance(4) && c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
      if (Chance(4) && c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    }
    return name;
  }
  std::string Section() {
    static const std::vector<std::string> names = {"Tarvex Window", "Tarvex Ignore", "Kelvo Clock",
                                                   "Kelvo Notes",   "Other",         "Tarvex"};
    const std::string name = Cased(OneOf(names));
    switch (Pick(0, 6)) {
      case 0:
        return "[" + name;  // no closing bracket
      case 1:
        return Blanks() + "[" + name + "] junk";  // text after it
      case 2:
        return "[" + Blanks() + name + Blanks() + "]";
      default:
        return Blanks() + "[" + name + "]" + Blanks();
    }
  }
  std::string Value() {
    static const std::vector<std::string> values = {"-40",
                                                    "0x0C",
                                                    "$C",
                                                    "12abc",
                                                    "2147483648",
                                                    "1",
                                                    "0",
                                                    "My App",
                                                    "\"My App\"",
                                                    "'x'",
                                                    "\"half",
                                                    "half'",
                                                    "'mixed\"",
                                                    "\"\"",
                                                    "''",
                                                    "\"",
                                                    "a\"b",
                                                    "caf\xE9",
                                                    "\x80\xFF\xA0",
                                                    "\x1a"
                                                    "x",
                                                    "x\v",
                                                    std::string("a\0b", 3),
                                                    std::string("\"a\0\"", 4),
                                                    ""};
    switch (Pick(0, 12)) {
      case 0:
        return std::string(static_cast<std::size_t>(Pick(2040, 2100)), 'v');
      case 1:
        return "\"" + std::string(static_cast<std::size_t>(Pick(2044, 2050)), 'q') + "\"";
      default:
        return OneOf(values);
    }
  }
  std::string KeyName() {
    static const std::vector<std::string> keys = {
        "Left",       "Top",   "Width", "Height", "Column1", "Column2", "MinimizeToTray",
        "HotKeyCode", "Note",  "1",     "2",      "3",       "4",       "5",
        "6",          "Alarm", "Last"};
    return Cased(OneOf(keys));
  }
  std::string Line() {
    switch (Pick(0, 14)) {
      case 0:
      case 1:
        return Section();
      case 2:
        return Blanks();
      case 3:
        return ";" + KeyName() + "=comment";
      case 4:
        return Blanks() + KeyName() + Blanks();  // a key line without "="
      case 5:
        return OneOf(std::vector<std::string>{"]", "[", "=", "garbage", "#x=1", "\x80\xFF"});
      case 6:
        return std::string(static_cast<std::size_t>(Pick(2000, 2100)), 'L') + "=1";
      default:
        return Blanks() + KeyName() + Blanks() + "=" + Blanks() + Value() + Blanks();
    }
  }

  std::mt19937 random_;
};

std::string Shown(const std::optional<std::string>& value) {
  if (!value) return "(missing)";
  std::string shown = "\"";
  for (const unsigned char c : *value) {
    if (c >= 32 && c < 127 && c != '\\') {
      shown += static_cast<char>(c);
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02x", c);
      shown += escaped;
    }
  }
  return shown + "\"";
}

std::string Contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A platform read that leaves out the last character of a value that our grammar gives whole.
bool QuotedValueAtTheLimit(const std::optional<std::string>& ours,
                           const std::optional<std::string>& platform) {
  return ours && platform && ours->size() == tarvex::kMaxProfileValue &&
         *platform == ours->substr(0, ours->size() - 1);
}

// A value with bytes of 0x80 and above in a file that starts with a UTF-8 byte-order mark, which
// the platform decodes as UTF-8 and hands on in its own code page.
bool Utf8MarkedText(const std::string& text, const std::optional<std::string>& ours) {
  return text.starts_with("\xEF\xBB\xBF") && ours &&
         std::any_of(ours->begin(), ours->end(), [](char c) { return (c & 0x80) != 0; });
}

// A key of an older copy of the ignore section that the platform brings back when it erases only
// the first copy.
bool ErasedDuplicateSection(const std::string& original, const std::string& section,
                            const std::optional<std::string>& ours) {
  if (ours || !tarvex::profile::SameName(section, "Tarvex Ignore")) return false;
  int copies = 0;
  tarvex::profile::LineCursor cursor(original);
  while (const auto line = cursor.Next()) {
    const auto parsed = tarvex::profile::Parse(line->body);
    copies += parsed.kind == tarvex::profile::ParsedLine::Kind::kSection &&
              tarvex::profile::SameName(parsed.name, section);
  }
  return copies > 1;
}

struct Case {
  std::string name;
  std::string text;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: %s <run-under-wine.sh> <profile_probe.exe> <cases> <work>\n",
                 argv[0]);
    return 2;
  }
  const fs::path work = fs::absolute(argv[4]);
  fs::remove_all(work);
  fs::create_directories(work / "files");

  std::vector<Case> cases;
  for (const auto& entry : fs::directory_iterator(argv[3])) {
    cases.push_back({"fixed case " + entry.path().filename().string(), Contents(entry.path())});
  }
  const char* seedText = std::getenv("TARVEX_DIFF_SEED");
  const unsigned seed = seedText ? static_cast<unsigned>(std::strtoul(seedText, nullptr, 10))
                                 : std::random_device()();
  const char* countText = std::getenv("TARVEX_DIFF_FILES");
  const int count = countText ? std::atoi(countText) : 2000;
  std::printf("profile differential: seed %u (TARVEX_DIFF_SEED=%u replays it), %d files\n", seed,
              seed, count);
  Generator generator(seed);
  for (int i = 0; i < count; ++i) {
    cases.push_back({"generated file " + std::to_string(i), generator.File()});
  }

  // One script for all files: Wine starts once.
  const std::vector<ProfileChanges> updates = {ProgramWrites(), ProgramClearsTheIgnoreList()};
  std::string script;
  const auto reads = [&] {
    for (const Key& key : KeysRead())
      script += "R " + ToHex(key.section) + " " + ToHex(key.key) + "\n";
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const fs::path file = work / "files" / (std::to_string(i) + ".ini");
    std::ofstream(file, std::ios::binary) << cases[i].text;
    script += "F " + ToHex("Z:" + file.string()) + "\n";
    reads();
    for (const ProfileChanges& changes : updates) {
      script += "U " + std::to_string(changes.size()) + "\n";
      for (const ProfileChange& change : changes) {
        script +=
            change.kind == ProfileChange::Kind::kSet
                ? "S " + ToHex(change.section) + " " + ToHex(change.key) + " " + ToHex(change.value)
                : "E " + ToHex(change.section);
        script += "\n";
      }
      reads();
    }
  }
  std::ofstream(work / "script.txt", std::ios::binary) << script;

  const std::string command = std::string("bash '") + argv[1] + "' '" + argv[2] +
                              "' 'Z:" + (work / "script.txt").string() + "'";
  FILE* probe = ::popen(command.c_str(), "r");
  if (!probe) return 1;
  std::vector<std::string> answers;
  char buffer[8192];
  std::string pending;
  while (std::fgets(buffer, sizeof buffer, probe)) {
    pending += buffer;
    if (!pending.empty() && pending.back() == '\n') {
      pending.pop_back();
      if (!pending.empty() && pending.back() == '\r') pending.pop_back();
      answers.push_back(pending);
      pending.clear();
    }
  }
  const int status = ::pclose(probe);
  if (WEXITSTATUS(status) == 77) {  // this host's Wine cannot run the probe, and said why
    for (const std::string& line : answers) std::printf("%s\n", line.c_str());
    return 77;
  }
  const std::size_t stages = updates.size() + 1;
  const std::size_t expected = cases.size() * (stages * KeysRead().size() + updates.size());
  if (status != 0 || answers.size() != expected) {
    std::fprintf(stderr, "the probe failed (status %d, %zu of %zu answers)\n", status,
                 answers.size(), expected);
    return 1;
  }

  static const char* const kStages[] = {"as it stands", "after the save",
                                        "after the ignore list is cleared"};
  int disagreements = 0;
  int excluded = 0;
  std::size_t answer = 0;
  for (const Case& c : cases) {
    std::string text = c.text;
    bool shown = false;
    for (std::size_t stage = 0; stage < stages; ++stage) {
      if (stage > 0) {
        if (answers[answer++] != "1") {
          std::printf("DISAGREE %s: the platform refused the update %s\n", c.name.c_str(),
                      kStages[stage]);
          ++disagreements;
        }
        text = tarvex::WithProfileChanges(text, updates[stage - 1]);
      }
      tarvex::ProfileIndex ours(text);
      for (const Key& key : KeysRead()) {
        const std::string& line = answers[answer++];
        const std::optional<std::string> platform =
            line == "-" ? std::nullopt : std::optional<std::string>(FromHex(line.substr(1)));
        const std::optional<std::string> mine = ours.Value(key.section, key.key);
        if (mine == platform) continue;
        if (QuotedValueAtTheLimit(mine, platform) || Utf8MarkedText(text, mine) ||
            (stage == 2 && ErasedDuplicateSection(c.text, key.section, mine))) {
          ++excluded;
          continue;
        }
        ++disagreements;
        if (!shown) {
          std::printf("DISAGREE %s, file %s:\n", c.name.c_str(), Shown(c.text).c_str());
          shown = true;
        }
        std::printf("  %s [%s] %s: ours %s, platform %s\n", kStages[stage], key.section.c_str(),
                    key.key.c_str(), Shown(mine).c_str(), Shown(platform).c_str());
      }
    }
  }
  std::printf(
      "profile differential: %zu files, %zu reads each, %d disagreements, %d reads left "
      "out as QuotedValueAtTheLimit, Utf8MarkedText or ErasedDuplicateSection\n",
      cases.size(), stages * KeysRead().size(), disagreements, excluded);
  return disagreements == 0 ? 0 : 1;
}
