// The helper windows both the window-system tests and the enumerator tests look at.
#pragma once

#include <string>
#include <vector>

namespace tarvex::win32::testing {

enum TestWindow : std::size_t {
  kVisible,
  kHidden,
  kOwned,  // owned by kVisible
  kNoCaption,
  kLongCaption,       // 300 characters
  kLongClass,         // class name of 150 characters
  kPopupApp,          // pop-up with minimize box and system menu
  kPlainPopup,        // pop-up without either
  kDisabledPopup,     // pop-up with both, but disabled
  kPopupNoMenu,       // pop-up with a minimize box only
  kPopupOwner,        // plain pop-up whose last active pop-up is kActiveAppPopup
  kActiveAppPopup,    // owned, task-bar style, activated
  kPopupOwner2,       // plain pop-up whose last active pop-up is kActivePlainPopup
  kActivePlainPopup,  // owned, plain, activated
  kTestWindowCount
};

inline const std::string kLongCaptionText = [] {
  std::string text;
  for (int i = 0; i < 300; ++i) text += static_cast<char>('A' + i % 26);
  return text;
}();

inline const std::string kLongClassText = [] {
  std::string text;
  for (int i = 0; i < 150; ++i) text += static_cast<char>('a' + i % 26);
  return text;
}();

inline std::vector<std::string> TestWindowArguments() {
  return {
      "ms::Tarvex test visible",           "hms::Tarvex test hidden",
      "o0ms::Tarvex test owned",           "ms::",
      "ms::" + kLongCaptionText,           "ms:" + kLongClassText + ":Tarvex test long class",
      "pms::Tarvex test pop-up app",       "p::Tarvex test plain pop-up",
      "pmsd::Tarvex test disabled pop-up", "pm::Tarvex test pop-up without menu",
      "p::Tarvex test pop-up owner",       "pmso10a::Tarvex test active app pop-up",
      "p::Tarvex test pop-up owner 2",     "po12a::Tarvex test active plain pop-up",
  };
}

}  // namespace tarvex::win32::testing
