// TTrayIcon: one icon in the shell's notification area, with its tooltip, its popup menu and the
// mouse rules that turn a right click into the menu and a double click into the menu's default
// command.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tray/tray_shell.h"
#include "services/ui_services.h"

namespace tarvex {

struct TMenuItem {
  std::string caption;     // "-" for a separator
  std::string hint;        // "short|long"
  bool isDefault = false;  // drawn bold; a double click on the icon runs it
  bool enabled = true;
  int imageIndex = -1;  // a picture of the main window's image list, -1 for none
  std::function<void()> onClick;
};

struct TPopupMenu {
  std::vector<TMenuItem> items;
  bool autoPopup = true;
};

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// The mouse on the icon, as the notification area reports it: a second press of a button soon
// after the first and close to it comes as that button's double click, in place of the press.
enum class TrayMouseEvent {
  kMove,
  kLeftDown,
  kLeftUp,
  kLeftDoubleClick,
  kRightDown,
  kRightUp,
  kRightDoubleClick,
  kMiddleDown,
  kMiddleUp,
  kMiddleDoubleClick,
};

// The shift state of a mouse event: the keys held and the buttons involved.
struct TShiftState {
  bool shift = false, alt = false, ctrl = false;
  bool left = false, right = false, middle = false, dbl = false;
  bool operator==(const TShiftState&) const = default;
};

class TTrayIcon {
 public:
  using MouseEvent = std::function<void(TMouseButton, TShiftState, int x, int y)>;
  using MoveEvent = std::function<void(TShiftState, int x, int y)>;

  TTrayIcon(TrayShell& shell, MessagePump& pump) : shell_(shell), pump_(pump) {}
  ~TTrayIcon();
  TTrayIcon(const TTrayIcon&) = delete;
  TTrayIcon& operator=(const TTrayIcon&) = delete;

  bool Active() const { return active_; }
  void SetActive(bool active);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) { enabled_ = enabled; }
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint);
  IconHandle Icon() const { return icon_; }
  // 0 is no picture.
  void SetIcon(IconHandle icon);
  void SetPopupMenu(TPopupMenu* menu) { popupMenu_ = menu; }
  bool Added() const { return added_; }
  // The icon stands in a notification area, where the user can reach it: added, and shown by
  // the shell.
  bool Present() const { return added_ && shell_.IconShown(); }
  // The shell's word that the added icon may stand in a notification area now: raises OnShown
  // when it does. A successful add asks the same at once.
  void ShellShowedIcon();

  MouseEvent OnClick, OnMouseDown, OnMouseUp;
  MoveEvent OnMouseMove;
  std::function<void()> OnDblClick;
  std::function<void()> OnShown;

  // The shell's notification for the icon; the cursor and the keys held are read when it is
  // handled.
  void TrayWndProc(TrayMouseEvent event, int cursorX, int cursorY, TShiftState keys);

  // The shell's notification area was created anew (Explorer restarted) and holds no icon of
  // ours any more: a wanted icon is added again.
  void TaskbarCreated();

  bool ClickDefaultItem();
  bool ShowTrayMenu(int x, int y);

 private:
  void AddToTray();
  void RemoveFromTray();
  void IconOrHintChanged();
  NotifyIconRecord FillNotifyData() const;
  void Click(TMouseButton button, TShiftState shift, int x, int y);
  void DblClick();

  TrayShell& shell_;
  MessagePump& pump_;
  bool active_ = false;
  bool enabled_ = true;
  std::string hint_;
  IconHandle icon_ = 0;
  TPopupMenu* popupMenu_ = nullptr;
  bool added_ = false;
  bool leftPressed_ = false;
  bool rightPressed_ = false;
};

}  // namespace tarvex
