// What every one of the program's dialogs shares: owned by the window that opened it, centred on
// it, the designed client size, a fixed border with a close box and no minimize or maximize box.
#pragma once

#include <gtest/gtest.h>

#include "win32/support/windows_api.h"

namespace tarvex::win32::testing {

inline void ExpectDialogFrame(HWND dialog, HWND owner, int clientWidth, int clientHeight) {
  EXPECT_EQ(::GetWindow(dialog, GW_OWNER), owner);
  RECT client{};
  ::GetClientRect(dialog, &client);
  EXPECT_EQ(client.right, clientWidth);
  EXPECT_EQ(client.bottom, clientHeight);
  RECT frame{}, ownerFrame{};
  ::GetWindowRect(dialog, &frame);
  ::GetWindowRect(owner, &ownerFrame);
  EXPECT_NEAR((frame.left + frame.right) / 2, (ownerFrame.left + ownerFrame.right) / 2, 1);
  EXPECT_NEAR((frame.top + frame.bottom) / 2, (ownerFrame.top + ownerFrame.bottom) / 2, 1);
  const auto style = ::GetWindowLongPtrA(dialog, GWL_STYLE);
  EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0);
  EXPECT_NE(style & WS_SYSMENU, 0);
}

}  // namespace tarvex::win32::testing
