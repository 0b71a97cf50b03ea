#include "win32/tray/win32_tray_shell.h"

#include <algorithm>
#include <array>
#include <optional>
#include <stdexcept>

#include "win32/support/guarded_call.h"
#include "win32/support/handle_conversion.h"
#include "win32/program/resource_ids.h"

namespace tarvex::win32 {
namespace {

constexpr const char* kWindowClass = "TarvexTrayWindow";
constexpr int kIconSize = 32;
constexpr BYTE kIconColours = 16;
// The resource types of an icon group and of its images, named for the A functions.
const auto kGroupIconType = MAKEINTRESOURCEA(14);  // RT_GROUP_ICON
const auto kIconType = MAKEINTRESOURCEA(3);        // RT_ICON
constexpr DWORD kIconFormatVersion = 0x00030000;
// Menu commands are the items' indexes plus one: 0 is TrackPopupMenu's "nothing chosen".
constexpr UINT kFirstCommand = 1;

// An icon group as the resource holds it.
#pragma pack(push, 2)
struct IconGroupEntry {
  BYTE width, height, colourCount, reserved;
  WORD planes, bitCount;
  DWORD bytesInResource;
  WORD id;
};
struct IconGroup {
  WORD reserved, type, count;
  IconGroupEntry entries[1];
};
#pragma pack(pop)

// The program icon's 32x32 image in 16 colours, the picture the notification area shows.
HICON LoadSixteenColourIcon() {
  const HMODULE module = ::GetModuleHandleA(nullptr);
  const HRSRC groupResource =
      ::FindResourceA(module, MAKEINTRESOURCEA(TARVEX_ICON_MAIN), kGroupIconType);
  const HGLOBAL groupData = groupResource ? ::LoadResource(module, groupResource) : nullptr;
  const auto* group =
      static_cast<const IconGroup*>(groupData ? ::LockResource(groupData) : nullptr);
  if (group == nullptr) return nullptr;
  const IconGroupEntry* const begin = group->entries;
  const IconGroupEntry* const end = begin + group->count;
  const IconGroupEntry* const entry = std::find_if(begin, end, [](const IconGroupEntry& image) {
    return image.width == kIconSize && image.height == kIconSize &&
           image.colourCount == kIconColours;
  });
  if (entry == end) return nullptr;
  const HRSRC imageResource = ::FindResourceA(module, MAKEINTRESOURCEA(entry->id), kIconType);
  const HGLOBAL imageData = imageResource ? ::LoadResource(module, imageResource) : nullptr;
  auto* bits = static_cast<BYTE*>(imageData ? ::LockResource(imageData) : nullptr);
  if (bits == nullptr) return nullptr;
  return ::CreateIconFromResourceEx(bits, ::SizeofResource(module, imageResource), TRUE,
                                    kIconFormatVersion, kIconSize, kIconSize, LR_DEFAULTCOLOR);
}

void RegisterWindowClass(WNDPROC procedure) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = ::GetModuleHandleA(nullptr);
  windowClass.lpszClassName = kWindowClass;
  ::RegisterClassExA(&windowClass);  // a second window finds it registered already
}

// The shell's mouse notifications for the icon (the callback's lParam) in the program's terms.
struct TrayNotification {
  LPARAM code;
  TrayMouseEvent event;
};
constexpr std::array<TrayNotification, 10> kTrayNotifications = {{
    {WM_MOUSEMOVE, TrayMouseEvent::kMove},
    {WM_LBUTTONDOWN, TrayMouseEvent::kLeftDown},
    {WM_LBUTTONUP, TrayMouseEvent::kLeftUp},
    {WM_LBUTTONDBLCLK, TrayMouseEvent::kLeftDoubleClick},
    {WM_RBUTTONDOWN, TrayMouseEvent::kRightDown},
    {WM_RBUTTONUP, TrayMouseEvent::kRightUp},
    {WM_RBUTTONDBLCLK, TrayMouseEvent::kRightDoubleClick},
    {WM_MBUTTONDOWN, TrayMouseEvent::kMiddleDown},
    {WM_MBUTTONUP, TrayMouseEvent::kMiddleUp},
    {WM_MBUTTONDBLCLK, TrayMouseEvent::kMiddleDoubleClick},
}};

// None for the notifications the icon has no use for.
std::optional<TrayMouseEvent> TrayMouseEventOf(LPARAM code) {
  const auto found = std::find_if(
      kTrayNotifications.begin(), kTrayNotifications.end(),
      [code](const TrayNotification& notification) { return notification.code == code; });
  if (found == kTrayNotifications.end()) return std::nullopt;
  return found->event;
}

TShiftState KeysHeld() {
  TShiftState keys;
  keys.shift = ::GetKeyState(VK_SHIFT) < 0;
  keys.ctrl = ::GetKeyState(VK_CONTROL) < 0;
  keys.alt = ::GetKeyState(VK_MENU) < 0;
  return keys;
}

}  // namespace

Win32TrayShell::Win32TrayShell(ShellCall shellCall) : shellCall_(std::move(shellCall)) {
  RegisterWindowClass(BoundWindowProc<Win32TrayShell>);
}

HWND Win32TrayShell::TrayWindow() {
  // Hidden and never shown; top-level, so that it can be the foreground window for the menu.
  if (!window_) {
    ::CreateWindowExA(WS_EX_TOOLWINDOW, kWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                      ::GetModuleHandleA(nullptr), this);
  }
  return window_.get();
}

void Win32TrayShell::Attach(TTrayIcon& icon, const TPopupMenu& menu, HintLine& hints,
                            HWND mainWindow, HIMAGELIST pictures) {
  client_.emplace(Client{icon, menu, hints});
  mainWindow_ = mainWindow;
  pictures_ = pictures;
}

void Win32TrayShell::Detach() {
  client_.reset();
  mainWindow_ = nullptr;
  pictures_ = nullptr;
}

bool Win32TrayShell::RealShellCall(DWORD operation, NOTIFYICONDATAA& data) {
  return ::Shell_NotifyIconA(operation, &data) != FALSE;
}

IconHandle Win32TrayShell::ProgramIcon() {
  if (!programIcon_) programIcon_.reset(LoadSixteenColourIcon());
  return FromHicon(programIcon_.get());
}

bool Win32TrayShell::NotifyIcon(NotifyIconOperation operation, const NotifyIconRecord& record) {
  // Without its window the icon could report nothing: the add fails, and a later one tries again.
  const HWND window = TrayWindow();
  if (window == nullptr) return false;
  NOTIFYICONDATAA data{};
  data.cbSize = NOTIFYICONDATAA_V1_SIZE;
  data.hWnd = window;
  data.uID = 0;
  data.uFlags = record.flags;
  data.uCallbackMessage = record.callbackMessage;
  data.hIcon = ToHicon(record.icon);
  // The first form of the record holds a tip of 64 characters with its terminator.
  const std::size_t length = std::min<std::size_t>(record.tip.size(), 63);
  std::copy_n(record.tip.begin(), length, data.szTip);
  data.szTip[length] = '\0';
  const DWORD message = operation == NotifyIconOperation::kAdd      ? NIM_ADD
                        : operation == NotifyIconOperation::kModify ? NIM_MODIFY
                                                                    : NIM_DELETE;
  return shellCall_(message, data);
}

void Win32TrayShell::CancelMode() {
  HWND target = ::GetActiveWindow();
  if (target == nullptr) target = mainWindow_;
  if (target != nullptr) ::SendMessageA(target, WM_CANCELMODE, 0, 0);
}

void Win32TrayShell::ForegroundTrayWindow() {
  if (::IsWindowEnabled(window_.get())) ::SetForegroundWindow(window_.get());
}

UniqueMenu Win32TrayShell::BuildMenu() const {
  UniqueMenu menu(::CreatePopupMenu());
  if (!menu) throw std::runtime_error("Cannot create the tray menu");
  const auto& items = client_->menu.items;
  for (std::size_t i = 0; i < items.size(); ++i) {
    const TMenuItem& item = items[i];
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    if (item.caption == "-") {
      info.fMask = MIIM_FTYPE;
      info.fType = MFT_SEPARATOR;
    } else {
      info.fMask = MIIM_ID | MIIM_STRING | MIIM_STATE | MIIM_DATA;
      info.wID = kFirstCommand + static_cast<UINT>(i);
      info.dwTypeData = const_cast<char*>(item.caption.c_str());
      info.fState = (item.enabled ? MFS_ENABLED : MFS_GRAYED) | (item.isDefault ? MFS_DEFAULT : 0);
      info.dwItemData = static_cast<ULONG_PTR>(item.imageIndex);
      if (pictures_ != nullptr) {
        // Drawn by the tray window from the tool bar's pictures; every item gets the picture's
        // place, so that all the texts line up and each is measured with its room.
        info.fMask |= MIIM_BITMAP;
        info.hbmpItem = HBMMENU_CALLBACK;
      }
    }
    if (!::InsertMenuItemA(menu.get(), static_cast<UINT>(i), TRUE, &info)) {
      throw std::runtime_error("Cannot fill the tray menu");
    }
  }
  return menu;
}

int Win32TrayShell::PopupMenu(int x, int y) {
  if (!client_) return -1;
  const UniqueMenu menu = BuildMenu();
  const auto command = static_cast<UINT>(
      ::TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN, x, y, 0,
                       window_.get(), nullptr));
  return command >= kFirstCommand ? static_cast<int>(command - kFirstCommand) : -1;
}

bool Win32TrayShell::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  result = 0;
  if (!client_) return false;
  // Registered once: the shell broadcasts it to every top-level window when its notification
  // area is created again, as after Explorer restarts, which forgets every icon.
  static const UINT taskbarCreated = ::RegisterWindowMessageA("TaskbarCreated");
  if (message == taskbarCreated && taskbarCreated != 0) {
    client_->icon.TaskbarCreated();
    return true;
  }
  switch (message) {
    case kTrayCallbackMessage: {
      const std::optional<TrayMouseEvent> event = TrayMouseEventOf(lParam);
      if (!event) return true;
      POINT cursor{};
      ::GetCursorPos(&cursor);
      client_->icon.TrayWndProc(*event, cursor.x, cursor.y, KeysHeld());
      return true;
    }
    case WM_MENUSELECT: {
      // The item under the mouse puts its hint on the hint line; a separator, none.
      const UINT flags = HIWORD(wParam);
      const UINT command = LOWORD(wParam);
      const auto& items = client_->menu.items;
      const bool onItem = flags != 0xFFFF && (flags & (MF_SEPARATOR | MF_POPUP)) == 0 &&
                          command >= kFirstCommand && command - kFirstCommand < items.size();
      client_->hints.MenuItemHovered(onItem ? items[command - kFirstCommand].hint : "");
      return true;
    }
    case WM_MEASUREITEM: {
      auto& measure = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (measure.CtlType != ODT_MENU || pictures_ == nullptr) return false;
      int width = 0;
      int height = 0;
      ::ImageList_GetIconSize(pictures_, &width, &height);
      // A little room between the picture and the text.
      measure.itemWidth = static_cast<UINT>(width + width / 4);
      measure.itemHeight = static_cast<UINT>(height);
      result = TRUE;
      return true;
    }
    case WM_DRAWITEM: {
      const auto& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (draw.CtlType != ODT_MENU || pictures_ == nullptr) return false;
      result = TRUE;
      const auto picture = static_cast<int>(draw.itemData);
      if (picture < 0) return true;  // an item without a picture
      int width = 0;
      int height = 0;
      ::ImageList_GetIconSize(pictures_, &width, &height);
      const int left = draw.rcItem.left;
      const int top = draw.rcItem.top + (draw.rcItem.bottom - draw.rcItem.top - height) / 2;
      ::ImageList_Draw(pictures_, picture, draw.hDC, left, top,
                       (draw.itemState & ODS_GRAYED) ? ILD_BLEND50 : ILD_TRANSPARENT);
      return true;
    }
    default:
      return false;
  }
}

}  // namespace tarvex::win32
