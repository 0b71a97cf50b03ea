// How the settings file reads integers and flags back.
#include <gtest/gtest.h>

#include <map>

#include "base/errors.h"
#include "settings/ini_file.h"
#include "settings/integer_text.h"

namespace tarvex {
namespace {

TEST(ParseIntegerTest, AcceptsDecimalAndHexadecimalForms) {
  EXPECT_EQ(ParseInteger("12"), 12);
  EXPECT_EQ(ParseInteger("   -40"), -40);
  EXPECT_EQ(ParseInteger("+007"), 7);
  EXPECT_EQ(ParseInteger("2147483647"), 2147483647);
  EXPECT_EQ(ParseInteger("-2147483648"), INT32_MIN);
  EXPECT_EQ(ParseInteger("$C"), 12);
  EXPECT_EQ(ParseInteger("x0c"), 12);
  EXPECT_EQ(ParseInteger("0X0C"), 12);
  EXPECT_EQ(ParseInteger("$FFFFFFFF"), -1);
  EXPECT_EQ(ParseInteger("-$10"), -16);
  EXPECT_EQ(ParseInteger("$000000080000000"), INT32_MIN);  // leading zeros are not significant
  EXPECT_EQ(ParseInteger("-$80000000"), INT32_MIN);
}

TEST(ParseIntegerTest, RejectsEverythingElse) {
  for (const char* text : {"", " ", "-", "+", "- 1", "12 ", "12abc", "2147483648", "-2147483649",
                           "99999999999999999999", "$", "0x", "$123456789", "$G", "1.5", "\t1",
                           "--1", "false", "yes"}) {
    EXPECT_EQ(ParseInteger(text), std::nullopt) << '"' << text << '"';
  }
}

// A store that holds values in memory and can refuse writes.
class MemoryStore final : public ProfileStore {
 public:
  std::string ReadString(const std::string&, const std::string& section, const std::string& key,
                         const std::string& defaultValue) override {
    const auto it = values.find(section + "/" + key);
    return it == values.end() ? defaultValue : it->second;
  }
  bool WriteString(const std::string&, const std::string& section, const std::string& key,
                   const std::string& value) override {
    if (refuse) return false;
    values[section + "/" + key] = value;
    return true;
  }
  bool EraseSection(const std::string&, const std::string&) override { return !refuse; }

  std::map<std::string, std::string> values;
  bool refuse = false;
};

TEST(IniFileTest, IntegersAndFlagsReadBackAsStoredOrFallBackToTheDefault) {
  MemoryStore store;
  TIniFile file(store, "C:\\WINDOWS\\KelvoApps.ini");
  store.values = {{"W/Hot", "0x0C"}, {"W/Wrap", "257"}, {"W/Neg", "-1"},   {"W/Bad", "12abc"},
                  {"W/Zero", "0"},   {"W/Two", "2"},    {"W/No", "false"}, {"W/Short", "0x"}};
  EXPECT_EQ(file.ReadInteger("W", "Hot", 0), 12);
  EXPECT_EQ(static_cast<std::uint8_t>(file.ReadInteger("W", "Wrap", 0)), 1);
  EXPECT_EQ(static_cast<std::uint8_t>(file.ReadInteger("W", "Neg", 0)), 255);
  EXPECT_EQ(file.ReadInteger("W", "Bad", 0), 0);
  EXPECT_EQ(file.ReadInteger("W", "Missing", 192), 192);
  EXPECT_EQ(file.ReadInteger("W", "Short", 5), 5);
  EXPECT_FALSE(file.ReadBool("W", "Zero", true));
  EXPECT_TRUE(file.ReadBool("W", "Two", false));
  EXPECT_TRUE(file.ReadBool("W", "Neg", false));
  EXPECT_TRUE(file.ReadBool("W", "No", true));
  EXPECT_FALSE(file.ReadBool("W", "Missing", false));

  file.WriteInteger("W", "Left", -40);
  file.WriteBool("W", "MinimizeToTray", true);
  file.UpdateFile();
  EXPECT_EQ(store.values["W/Left"], "-40");
  EXPECT_EQ(store.values["W/MinimizeToTray"], "1");
}

TEST(IniFileTest, ARefusedWriteFailsWithThePath) {
  MemoryStore store;
  store.refuse = true;
  TIniFile file(store, "/home/user/.config/KelvoApps.ini");
  try {
    file.WriteInteger("Tarvex Window", "Left", 1);
    file.UpdateFile();
    FAIL() << "no failure";
  } catch (const Exception& error) {
    EXPECT_STREQ(error.what(), "Unable to write to /home/user/.config/KelvoApps.ini");
  }
  file.EraseSection("Tarvex Ignore");
  EXPECT_THROW(file.UpdateFile(), Exception);
}

}  // namespace
}  // namespace tarvex
