// The dialogs' controls as designed, in pixels at 96 dots per inch: each edition lays its dialogs
// out by these.
#pragma once

#include "base/bounds.h"

namespace tarvex {

namespace ignore_list_layout {
inline constexpr int kClientWidth = 359;
inline constexpr int kClientHeight = 214;
// The etched frame, and inside it the lowered panel that the list fills.
inline constexpr Bounds kBevel = {8, 8, 259, 197};
inline constexpr Bounds kPanel = {20, 20, 235, 141};
inline constexpr int kItemHeight = 13;
inline constexpr Bounds kAdd = {20, 168, 75, 25};
inline constexpr Bounds kModify = {100, 168, 75, 25};
inline constexpr Bounds kRemove = {180, 168, 75, 25};
inline constexpr Bounds kOk = {276, 8, 75, 25};
inline constexpr Bounds kCancel = {276, 36, 75, 25};
}  // namespace ignore_list_layout

namespace options_layout {
inline constexpr int kClientWidth = 227;
inline constexpr int kClientHeight = 84;
// The etched frame around the label, the hot key list and the tray box.
inline constexpr Bounds kBevel = {8, 8, 125, 69};
inline constexpr Bounds kLabel = {20, 24, 41, 13};
inline constexpr Bounds kHotKey = {68, 20, 53, 21};
inline constexpr Bounds kMinimizeToTray = {20, 48, 97, 17};
inline constexpr Bounds kOk = {144, 8, 75, 25};
inline constexpr Bounds kCancel = {144, 36, 75, 25};
}  // namespace options_layout

}  // namespace tarvex
