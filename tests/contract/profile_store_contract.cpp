#include "contract/profile_store_contract.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

namespace tarvex::contract {
namespace {
namespace fs = std::filesystem;

std::string Trimmed(std::string text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!text.empty() && blank(text.back())) text.pop_back();
  const auto first = std::find_if_not(text.begin(), text.end(), blank);
  return std::string(first, text.end());
}

std::string Folded(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

// "[name]" gives name; any other line nothing.
bool HeaderName(const std::string& line, std::string& name) {
  const std::string trimmed = Trimmed(line);
  const std::size_t close = trimmed.find(']');
  if (trimmed.empty() || trimmed.front() != '[' || close == std::string::npos) return false;
  name = Trimmed(trimmed.substr(1, close - 1));
  return true;
}

std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

}  // namespace

void ProfileStoreContract::SetUp() {
  std::random_device random;
  folder_ = fs::temp_directory_path() / ("tarvex-contract-" + std::to_string(random()));
  fs::create_directories(folder_);
  path_ = (folder_ / "KelvoApps.ini").string();
  store_ = GetParam().make();
}

void ProfileStoreContract::TearDown() {
  std::error_code ignored;
  fs::remove_all(folder_, ignored);
}

std::string ProfileStoreContract::Contents() const {
  std::ifstream in(path_, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void ProfileStoreContract::Store(const std::string& text) const {
  std::ofstream(path_, std::ios::binary) << text;
}

bool ProfileStoreContract::FileExists() const { return fs::exists(path_); }

std::vector<std::string> ProfileStoreContract::Sections() const {
  std::vector<std::string> sections;
  std::string name;
  for (const std::string& line : LinesOf(Contents())) {
    if (HeaderName(line, name)) sections.push_back(name);
  }
  return sections;
}

std::vector<std::string> ProfileStoreContract::KeysOf(const std::string& section) const {
  std::vector<std::string> keys;
  bool inSection = false;
  bool seen = false;
  std::string name;
  for (const std::string& line : LinesOf(Contents())) {
    if (HeaderName(line, name)) {
      if (seen) break;
      inSection = Folded(name) == Folded(section);
      seen = inSection;
      continue;
    }
    const std::size_t equals = line.find('=');
    if (inSection && equals != std::string::npos) keys.push_back(Trimmed(line.substr(0, equals)));
  }
  return keys;
}

std::string FactoryName(const ::testing::TestParamInfo<ProfileStoreFactory>& info) {
  return info.param.name;
}

using Keys = std::vector<std::string>;

TEST_P(ProfileStoreContract, MissingFileSectionOrKeyGivesTheDefaultAndReadingCreatesNothing) {
  // The default comes back as given, blanks and all.
  EXPECT_EQ(Read("Tarvex Window", "Left", " 192 "), " 192 ");
  EXPECT_FALSE(FileExists());

  const std::string text = "[Tarvex Window]\r\nLeft=5\r\nEmpty=\r\n";
  Store(text);
  EXPECT_EQ(Read("Tarvex Window", "Top", "103"), "103");
  EXPECT_EQ(Read("Tarvex Ignore", "1", ""), "");
  EXPECT_EQ(Read("Tarvex Window", "Empty", "x"), "") << "a key with no value is not missing";
  EXPECT_EQ(Contents(), text);
}

TEST_P(ProfileStoreContract, ValuesReadBackTrimmedAndCutToTheReadersLimit) {
  const std::string longValue(3000, 'v');
  Store("[S]\r\nPadded =   -40 and more  \r\nLong=" + longValue + "\r\n");
  EXPECT_EQ(Read("S", "Padded"), "-40 and more");
  EXPECT_EQ(Read("S", "Long"), longValue.substr(0, kMaxProfileValue));

  ASSERT_TRUE(Write("S", "Written", std::string(kMaxProfileValue + 10, 'w')));
  EXPECT_EQ(Read("S", "Written"), std::string(kMaxProfileValue, 'w'));
}

TEST_P(ProfileStoreContract, NewKeysGoIntoTheirSectionInTheOrderWritten) {
  for (const char* key : {"Left", "Top", "Width", "Height"}) {
    ASSERT_TRUE(Write("Tarvex Window", key, "5"));
  }
  ASSERT_TRUE(Write("Tarvex Ignore", "1", "Clock"));
  ASSERT_TRUE(Write("Tarvex Window", "Column1", "130"));
  EXPECT_EQ(Sections(), (Keys{"Tarvex Window", "Tarvex Ignore"}));
  EXPECT_EQ(KeysOf("Tarvex Window"), (Keys{"Left", "Top", "Width", "Height", "Column1"}));
  EXPECT_EQ(Read("Tarvex Ignore", "1"), "Clock");
}

TEST_P(ProfileStoreContract, SectionsAndKeysMatchWithoutRegardToCase) {
  Store("[tarvex window]\r\nleft=5\r\n");
  EXPECT_EQ(Read("Tarvex Window", "LEFT"), "5");
  ASSERT_TRUE(Write("TARVEX WINDOW", "Left", "7"));
  ASSERT_TRUE(Write("Tarvex Window", "Top", "8"));
  EXPECT_EQ(Sections(), (Keys{"tarvex window"})) << Contents();
  EXPECT_EQ(KeysOf("Tarvex Window").size(), 2u) << Contents();
  EXPECT_EQ(Read("tarvex WINDOW", "left"), "7");
  EXPECT_EQ(Read("Tarvex Window", "Top"), "8");
}

TEST_P(ProfileStoreContract, AReplacedKeyKeepsItsPlace) {
  Store("[S]\r\nA=1\r\nB=2\r\nC=3\r\n[T]\r\nB=other\r\n");
  ASSERT_TRUE(Write("S", "B", "changed"));
  EXPECT_EQ(KeysOf("S"), (Keys{"A", "B", "C"}));
  EXPECT_EQ(Read("S", "B"), "changed");
  EXPECT_EQ(Read("T", "B"), "other");
}

TEST_P(ProfileStoreContract, OtherProgramsLinesSurviveEveryWriteAndErase) {
  Store(
      "[Kelvo Clock]\r\nAlarm=7:00\r\n[Tarvex Window]\r\nMine=kept\r\n[Kelvo Notes]\r\nLast=x\r\n");
  for (const char* key : {"Left", "Top", "Width", "Height", "MinimizeToTray"}) {
    ASSERT_TRUE(Write("Tarvex Window", key, "1"));
  }
  ASSERT_TRUE(Write("Tarvex Ignore", "1", "Clock"));
  ASSERT_TRUE(Erase("Tarvex Ignore"));
  ASSERT_TRUE(Write("Tarvex Ignore", "1", "Notes"));
  EXPECT_EQ(Read("Kelvo Clock", "Alarm"), "7:00");
  EXPECT_EQ(Read("Kelvo Notes", "Last"), "x");
  EXPECT_EQ(Read("Tarvex Window", "Mine"), "kept");
  EXPECT_EQ(KeysOf("Tarvex Window"),
            (Keys{"Mine", "Left", "Top", "Width", "Height", "MinimizeToTray"}));
  EXPECT_EQ(Read("Tarvex Ignore", "1"), "Notes");
}

TEST_P(ProfileStoreContract, ErasingASectionRemovesItsHeaderAndKeysOnly) {
  Store("[A]\r\nK=a\r\n[tarvex ignore]\r\n1=x\r\n2=y\r\n[B]\r\nK=b\r\n");
  ASSERT_TRUE(Erase("Tarvex Ignore"));
  EXPECT_EQ(Sections(), (Keys{"A", "B"})) << Contents();
  EXPECT_EQ(Read("Tarvex Ignore", "1"), "<default>");
  EXPECT_EQ(Read("A", "K"), "a");
  EXPECT_EQ(Read("B", "K"), "b");
  EXPECT_TRUE(Erase("Not There"));
}

TEST_P(ProfileStoreContract, AWriteIntoAMissingFolderOrOverAFolderFails) {
  const std::string nowhere = (folder_ / "missing" / "KelvoApps.ini").string();
  EXPECT_FALSE(store_->WriteString(nowhere, "S", "K", "V"));
  EXPECT_FALSE(std::filesystem::exists(folder_ / "missing"));

  // A folder where the file should be reads as a file that cannot be read, and stays.
  std::filesystem::create_directory(path_);
  EXPECT_EQ(Read("S", "K"), "<default>");
  EXPECT_FALSE(Write("S", "K", "V"));
  EXPECT_TRUE(std::filesystem::is_directory(path_));
}

TEST_P(ProfileStoreContract, AValueCannotEndItsLine) {
  Store("[S]\r\nBefore=1\r\n");
  for (const char* value : {"a\r\n[Injected]\r\nKey=1", "a\nAfter=2", "a\rAfter=3"}) {
    ASSERT_TRUE(Write("S", "Value", value));
    EXPECT_EQ(Sections(), (Keys{"S"})) << Contents();
    EXPECT_EQ(KeysOf("S"), (Keys{"Before", "Value"})) << Contents();
    EXPECT_EQ(Read("S", "Value").substr(0, 2), "a ") << Contents();
  }
}

TEST_P(ProfileStoreContract, QuotedValuesReadBackAsWritten) {
  for (const char* value : {"\"\"", "'Foo'", "\"a\"b\"", "\"", "\"half"}) {
    ASSERT_TRUE(Write("S", "Value", value));
    EXPECT_EQ(Read("S", "Value"), value) << Contents();
  }
}

}  // namespace tarvex::contract
