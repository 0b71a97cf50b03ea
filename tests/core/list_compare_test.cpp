// The application list's sort key and row comparison.
#include <gtest/gtest.h>

#include "app/list_compare.h"

namespace tarvex {
namespace {

int Sign(int value) { return (value > 0) - (value < 0); }

TEST(CompareTextTest, FoldsOnlyAsciiLettersAndSortsPrefixesFirst) {
  EXPECT_EQ(CompareText("notepad", "NOTEPAD"), 0);
  EXPECT_LT(CompareText("Note", "notepad"), 0);
  EXPECT_GT(CompareText("notepad", "NOTE"), 0);
  EXPECT_EQ(CompareText("", ""), 0);
  // Letters outside ASCII compare by their code: 0xE9 and 0xC9 differ.
  EXPECT_NE(CompareText("caf\xE9", "CAF\xC9"), 0);
  EXPECT_GT(CompareText("\xE9", "z"), 0);
  // Folding to upper case puts '_' (0x5F) after the letters.
  EXPECT_GT(CompareText("_", "a"), 0);
}

TEST(SortKeyTest, TheKeysColumnReversesAndAnotherColumnStartsAscending) {
  EXPECT_EQ(SortKeyAfterClick(1, 0), -1);
  EXPECT_EQ(SortKeyAfterClick(-1, 0), 1);
  EXPECT_EQ(SortKeyAfterClick(1, 1), 2);
  EXPECT_EQ(SortKeyAfterClick(2, 1), -2);
  EXPECT_EQ(SortKeyAfterClick(-2, 0), 1);
}

TEST(ListView1CompareTest, ProcessIdsSortAsFiveDigitNumbers) {
  const ListRow small{"b", "99", 0, false, {}};
  const ListRow large{"a", "1000", 0, false, {}};
  EXPECT_LT(ListView1Compare(small, large, 2), 0);
  EXPECT_GT(ListView1Compare(small, large, -2), 0);
  // Six digits compare by text after the padding.
  const ListRow sixDigits{"c", "100000", 0, false, {}};
  const ListRow fiveDigits{"d", "20000", 0, false, {}};
  EXPECT_LT(ListView1Compare(sixDigits, fiveDigits, 2), 0);
  // Captions under the caption key, either direction.
  EXPECT_EQ(Sign(ListView1Compare(small, large, 1)), 1);
  EXPECT_EQ(Sign(ListView1Compare(small, large, -1)), -1);
}

}  // namespace
}  // namespace tarvex
