// The settings file's place and the names of the program's sections.
#include <gtest/gtest.h>

#include "settings/settings_path.h"

namespace tarvex {
namespace {

bool NoLeadBytes(unsigned char) { return false; }
// Shift-JIS lead bytes, whose trail bytes include 0x5C, the code of "\".
bool ShiftJisLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

TEST(SettingsPathTest, AddsOneDelimiterUnlessTheDirectoryEndsInARealOne) {
  EXPECT_EQ(SettingsFileIn("C:\\WINDOWS", NoLeadBytes), "C:\\WINDOWS\\KelvoApps.ini");
  EXPECT_EQ(SettingsFileIn("C:\\", NoLeadBytes), "C:\\KelvoApps.ini");
  EXPECT_EQ(SettingsFileIn("", NoLeadBytes), "\\KelvoApps.ini");
  // "\x95\x5C" is one double-byte character: its second byte is no delimiter.
  EXPECT_EQ(SettingsFileIn("C:\\\x95\x5C", ShiftJisLeadByte), "C:\\\x95\x5C\\KelvoApps.ini");
  EXPECT_EQ(SettingsFileIn("C:\\\x95\x5C\\", ShiftJisLeadByte), "C:\\\x95\x5C\\KelvoApps.ini");
  EXPECT_EQ(SettingsFileIn("C:\\\x95", ShiftJisLeadByte), "C:\\\x95\\KelvoApps.ini");
}

TEST(SettingsPathTest, SectionsAreNamedAfterTheTitleWithoutItsLastWord) {
  EXPECT_EQ(AppBaseTitle("Tarvex 1.0"), "Tarvex");
  EXPECT_EQ(AppBaseTitle("Tarvex"), "Tarvex");
  EXPECT_EQ(AppBaseTitle("Tarvex "), "Tarvex");
  EXPECT_EQ(AppBaseTitle(" Tarvex"), "");
  EXPECT_EQ(AppBaseTitle("A B\tC"), "A");
  EXPECT_EQ(AppBaseTitle(""), "");
}

}  // namespace
}  // namespace tarvex
