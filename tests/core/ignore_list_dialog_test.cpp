// The ignore list dialog's logic and the ignore section of the settings file.
#include <gtest/gtest.h>

#include <deque>
#include <map>

#include "base/errors.h"
#include "dialogs/dlg_ignore_list.h"
#include "settings/ignore_list.h"
#include "settings/ignore_list_file.h"
#include "services/input_box.h"
#include "sim/form_harness.h"

namespace tarvex {
namespace {

using Entries = std::vector<std::string>;

class IgnoreListDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { IgnoreList.Replace({"Paint", "clock", "Notepad"}); }
  void TearDown() override { IgnoreList.Replace({}); }
  void Add(std::optional<std::string> answer) {
    input.answers.push_back(std::move(answer));
    dialog.ActAddExecute();
  }
  void Modify(std::optional<std::string> answer) {
    input.answers.push_back(std::move(answer));
    dialog.ActModifyExecute();
  }

  sim::SimulatedDesktop collation;
  sim::ScriptedInputBox input;
  TDlgIgnoreList dialog{collation, input};
};

TEST_F(IgnoreListDialogTest, ShowsASortedCopyAndAddsTrimmedNewEntriesInPlace) {
  dialog.FormShow();
  EXPECT_EQ(dialog.Entries(), (Entries{"clock", "Notepad", "Paint"}));
  EXPECT_EQ(dialog.Selected(), -1);
  EXPECT_FALSE(dialog.ActModifyEnabled() || dialog.ActRemoveEnabled());

  dialog.ListBox1Select(1);  // Notepad
  Add(std::string("\t  Calculator \r\n"));
  Add(std::string("   "));
  Add(std::string("NOTEPAD"));
  Add(std::nullopt);
  EXPECT_EQ(input.asked.front(), "Add|Caption:|");
  EXPECT_EQ(dialog.Entries(), (Entries{"Calculator", "clock", "Notepad", "Paint"}));
  EXPECT_EQ(dialog.Entries()[static_cast<std::size_t>(dialog.Selected())], "Notepad");
  EXPECT_EQ(IgnoreList.Entries(), (Entries{"Paint", "clock", "Notepad"}));  // not yet handed back
}

TEST_F(IgnoreListDialogTest, ModifiedEntriesMoveToTheirPlaceSoThatEveryOneIsFoundAfterOk) {
  dialog.FormShow();
  dialog.ListBox1Select(0);  // clock
  Modify(std::string(" Zebra "));
  EXPECT_EQ(input.asked.back(), "Modify|Caption:|clock");
  EXPECT_EQ(dialog.Entries(), (Entries{"Notepad", "Paint", "Zebra"}));
  EXPECT_EQ(dialog.Selected(), 2);
  Modify(std::string(" "));      // blanks leave the entry as it was
  Modify(std::string("paint"));  // no duplicate check
  EXPECT_EQ(dialog.Entries(), (Entries{"Notepad", "Paint", "paint"}));

  dialog.FormClose(true);
  EXPECT_EQ(IgnoreList.Entries(), dialog.Entries());
  for (const char* caption : {"notepad", "PAINT", "paint"}) {
    EXPECT_TRUE(IgnoreList.Contains(caption, collation)) << caption;
  }
}

TEST_F(IgnoreListDialogTest, RemoveDropsTheSelectionAndCancelChangesNothing) {
  dialog.FormShow();
  dialog.ListBox1Select(2);
  dialog.ActRemoveExecute();
  EXPECT_EQ(dialog.Entries(), (Entries{"clock", "Notepad"}));
  EXPECT_FALSE(dialog.ActRemoveEnabled());
  dialog.ActRemoveExecute();  // nothing selected: nothing happens
  EXPECT_EQ(dialog.Entries().size(), 2u);
  dialog.FormClose(false);
  EXPECT_EQ(IgnoreList.Entries(), (Entries{"Paint", "clock", "Notepad"}));
}

TEST(TrimTest, RemovesCodesUpToBlankFromBothEnds) {
  EXPECT_EQ(TrimControlsAndBlanks(std::string("\0\x1f a b \x7f\x01", 8)), "a b \x7f");
  EXPECT_EQ(TrimControlsAndBlanks("\x80"), "\x80");
  EXPECT_EQ(TrimControlsAndBlanks(" \t "), "");
}

// The field counts what the settings file will hold, not the toolkit's characters: 128 accented
// letters are 128 characters but 256 bytes of UTF-8, one more than the file's entry may take.
TEST(InputBoxLimitTest, CountsTheBytesTheSettingsFileStoresAndKeepsALongerEntryWhole) {
  std::string accented;
  for (int i = 0; i < 127; ++i) accented += "\xC3\xA9";
  const InputBoxLimit empty(0);
  EXPECT_TRUE(empty.Takes((accented + "a").size()));
  EXPECT_FALSE(empty.Takes((accented + "\xC3\xA9").size()));
  EXPECT_FALSE(empty.Takes(std::string(256, 'a').size()));

  const InputBoxLimit handWritten(300);
  EXPECT_TRUE(handWritten.Takes(300));
  EXPECT_TRUE(handWritten.Takes(299));
  EXPECT_FALSE(handWritten.Takes(301));
}

// Settings in memory, one map per section.
class SectionStore final : public ProfileStore {
 public:
  std::string ReadString(const std::string&, const std::string& section, const std::string& key,
                         const std::string& defaultValue) override {
    const auto& keys = sections[section];
    const auto it = keys.find(key);
    return it == keys.end() ? defaultValue : it->second;
  }
  bool WriteString(const std::string&, const std::string& section, const std::string& key,
                   const std::string& value) override {
    if (writesLeft-- == 0) return false;
    sections[section][key] = value;
    return true;
  }
  bool EraseSection(const std::string&, const std::string& section) override {
    sections.erase(section);
    return true;
  }
  std::map<std::string, std::map<std::string, std::string>> sections;
  int writesLeft = 1000;
};

TEST(IgnoreListFileTest, LoadsUpToTheFirstGapInOrderAndRewritesTheWholeSection) {
  sim::SimulatedDesktop collation;
  SectionStore store;
  store.sections["Tarvex Ignore"] = {{"1", "Zebra"}, {"2", "apple"}, {"3", "Apple"}, {"5", "lost"}};
  TIniFile file(store, "KelvoApps.ini");
  TIgnoreList list;
  LoadIgnoreList(file, "Tarvex Ignore", list, collation);
  EXPECT_EQ(list.Entries(), (Entries{"apple", "Apple", "Zebra"}));
  EXPECT_TRUE(list.Contains("zebra", collation));

  SaveIgnoreList(file, "Tarvex Ignore", list);
  EXPECT_EQ(store.sections["Tarvex Ignore"],
            (std::map<std::string, std::string>{{"1", "apple"}, {"2", "Apple"}, {"3", "Zebra"}}));

  // An empty list leaves no section; a refused write stops the rewrite with the error.
  SaveIgnoreList(file, "Tarvex Ignore", TIgnoreList());
  EXPECT_EQ(store.sections.count("Tarvex Ignore"), 0u);
  store.writesLeft = 1;
  EXPECT_THROW(SaveIgnoreList(file, "Tarvex Ignore", list), Exception);
  EXPECT_EQ(store.sections["Tarvex Ignore"].size(), 1u);
}

}  // namespace
}  // namespace tarvex
