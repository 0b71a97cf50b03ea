// The ignore list's binary-search lookup.
#include <gtest/gtest.h>

#include "settings/ignore_list.h"
#include "sim/simulated_desktop.h"

namespace tarvex {
namespace {

class IgnoreListTest : public ::testing::Test {
 protected:
  sim::SimulatedDesktop collation;
  TIgnoreList list;
};

TEST_F(IgnoreListTest, FindsWholeCaptionsWithoutRegardToCase) {
  list.Replace({"Calculator", "Clock", "Notepad", "Paint"});
  EXPECT_TRUE(list.Contains("notepad", collation));
  EXPECT_TRUE(list.Contains("CALCULATOR", collation));
  EXPECT_TRUE(list.Contains("Paint", collation));
  EXPECT_FALSE(list.Contains(" Notepad", collation));
  EXPECT_FALSE(list.Contains("Notepad ", collation));
  EXPECT_FALSE(list.Contains("Note", collation));
  EXPECT_FALSE(list.Contains("Untitled - Notepad", collation));
}

TEST_F(IgnoreListTest, AnEmptyListHidesNothing) {
  EXPECT_FALSE(list.Contains("", collation));
  EXPECT_FALSE(list.Contains("Anything", collation));
}

TEST_F(IgnoreListTest, EveryEntryOfAnOrderedListWithDuplicatesIsFound) {
  std::vector<std::string> entries = {"a", "b", "b", "B", "c", "d", "d", "e", "f"};
  list.Replace(entries);
  for (const std::string& entry : entries) EXPECT_TRUE(list.Contains(entry, collation)) << entry;
  EXPECT_FALSE(list.Contains("bb", collation));
  EXPECT_FALSE(list.Contains("0", collation));
  EXPECT_FALSE(list.Contains("g", collation));

  list.Append("z");
  EXPECT_EQ(list.Count(), 10);
  EXPECT_TRUE(list.Contains("Z", collation));
}

}  // namespace
}  // namespace tarvex
