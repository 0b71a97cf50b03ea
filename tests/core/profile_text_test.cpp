// The profile grammar of our own settings file store, on file texts as they come.
#include <gtest/gtest.h>

#include "settings/profile_text.h"

namespace tarvex {
namespace {

TEST(ProfileTextTest, ReadsTrimmedValuesOfTheFirstMatchingSectionAndKey) {
  const std::string text =
      "top=level\r\n[Other]\r\nLeft=1\r\n[tarvex WINDOW]\r\n  left =  -40 \t\r\n; Top=9\r\n"
      "Left=7\r\n[Tarvex Window]\r\nTop=3\r\n";
  EXPECT_EQ(FindProfileValue(text, "Tarvex Window", "Left"), "-40");
  EXPECT_EQ(FindProfileValue(text, "Tarvex Window", "Top"), std::nullopt);  // first section only
  EXPECT_EQ(FindProfileValue(text, "Other", "left"), "1");
  EXPECT_EQ(FindProfileValue(text, "Missing", "Left"), std::nullopt);
  EXPECT_EQ(FindProfileValue(text, "Other", "top"), std::nullopt);
  EXPECT_EQ(FindProfileValue("[S]\n"
                             "K=" +
                                 std::string(3000, 'v'),
                             "S", "K"),
            std::string(2047, 'v'));
}

TEST(ProfileTextTest, AnyLineEndingAndStrayBytesReadAlike) {
  for (const std::string& text : {std::string("[S]\rA=1\rB=2"), std::string("[S]\nA=1\nB=2\n"),
                                  std::string("\x01\xff\0garbage\n[S]\r\nA=1\r\nB=2", 24)}) {
    EXPECT_EQ(FindProfileValue(text, "S", "A"), "1") << text;
    EXPECT_EQ(FindProfileValue(text, "S", "B"), "2") << text;
  }
}

TEST(ProfileTextTest, HandEditsReadAsThePlatformsReaderReadsThem) {
  const std::string text(
      "\xEF\xBB\xBF[Tarvex Ignore]\r\n1=\"My App\"\r\n2= 'x' \r\n3=\"half\r\n4='mixed\"\r\n"
      "5=\"\"\r\n6=cut\0here\r\nLeft\r\nLeft=5\r\n\x1a"
      "7=\x0b\fpadded\x1a\r\n",
      107);
  EXPECT_EQ(FindProfileValue(text, "Tarvex Ignore", "1"), "My App");
  EXPECT_EQ(FindProfileValue(text, "Tarvex Ignore", "2"), "x");
  EXPECT_EQ(FindProfileValue(text, "Tarvex Ignore", "3"), "\"half");
  EXPECT_EQ(FindProfileValue(text, "Tarvex Ignore", "4"), "'mixed\"");
  EXPECT_EQ(FindProfileValue(text, "Tarvex Ignore", "5"), "");
  EXPECT_EQ(FindProfileValue(text, "Tarvex Ignore", "6"), "cut");
  EXPECT_EQ(FindProfileValue(text, "Tarvex Ignore", "7"), "padded");
  // A key line without "=" is the key, without a value, and hides the later line.
  EXPECT_EQ(FindProfileValue(text, "Tarvex Ignore", "Left"), std::nullopt);
  // Written over, that line takes the value.
  EXPECT_EQ(FindProfileValue(WithProfileValue(text, "Tarvex Ignore", "Left", "9"), "Tarvex Ignore",
                             "Left"),
            "9");
  // Values that the reader would take out of their quotes are written inside one more pair.
  for (const std::string value : {"\"\"", "'Foo'", " \"x\" ", "\"", "a\"b"}) {
    const std::string written = WithProfileValue("", "S", "K", value);
    EXPECT_EQ(FindProfileValue(written, "S", "K"), value == " \"x\" " ? "\"x\"" : value) << written;
  }
}

TEST(ProfileTextTest, WritesKeepEveryOtherLineAsItStands) {
  const std::string text =
      "; shared\r\n[Other]\r\nx = 1\r\n\r\n[Tarvex Window]\r\nLeft=5\r\n"
      "Custom=kept\r\n\r\n[Last]\r\ny=2";
  std::string written = WithProfileValue(text, "tarvex window", "LEFT", "-40");
  EXPECT_EQ(written,
            "; shared\r\n[Other]\r\nx = 1\r\n\r\n[Tarvex Window]\r\nLEFT=-40\r\n"
            "Custom=kept\r\n\r\n[Last]\r\ny=2");
  written = WithProfileValue(written, "Tarvex Window", "Top", "103");
  EXPECT_EQ(written,
            "; shared\r\n[Other]\r\nx = 1\r\n\r\n[Tarvex Window]\r\nLEFT=-40\r\n"
            "Custom=kept\r\nTop=103\r\n\r\n[Last]\r\ny=2");
  written = WithProfileValue(written, "Tarvex Ignore", "1", "Clock");
  EXPECT_EQ(written,
            "; shared\r\n[Other]\r\nx = 1\r\n\r\n[Tarvex Window]\r\nLEFT=-40\r\n"
            "Custom=kept\r\nTop=103\r\n\r\n[Last]\r\ny=2\r\n[Tarvex Ignore]\r\n1=Clock\r\n");
  EXPECT_EQ(WithProfileValue("", "S", "K", "V"), "[S]\r\nK=V\r\n");
  EXPECT_EQ(WithProfileValue("[S]\nA=1", "S", "B", "2"), "[S]\nA=1\nB=2\n");
  EXPECT_EQ(WithProfileValue("[S]\rA=1\r", "S", "A", "3"), "[S]\rA=3\r");
}

TEST(ProfileTextTest, AValueCannotBreakItsLineToInjectKeysOrSections) {
  const std::string written =
      WithProfileValue("[Tarvex Ignore]\n", "Tarvex Ignore", "1", "a\r\n[Evil]\nHotKeyCode=5\0b");
  EXPECT_EQ(FindProfileValue(written, "Evil", "HotKeyCode"), std::nullopt);
  EXPECT_EQ(FindProfileValue(written, "Tarvex Ignore", "1"), "a  [Evil] HotKeyCode=5");
}

TEST(ProfileTextTest, ErasingASectionRemovesItsHeaderAndKeysOnly) {
  const std::string text = "[A]\na=1\n[tarvex ignore]\n1=x\n2=y\n[B]\nb=2\n[Tarvex Ignore]\n3=z\n";
  // Every copy goes: the platform erases only the first, and the older copy would come back.
  EXPECT_EQ(WithoutProfileSection(text, "Tarvex Ignore"), "[A]\na=1\n[B]\nb=2\n");
  EXPECT_EQ(WithoutProfileSection(text, "Missing"), text);
}

}  // namespace
}  // namespace tarvex
