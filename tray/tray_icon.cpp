#include "tray/tray_icon.h"

#include "base/scope_exit.h"
#include "base/hint_text.h"

namespace tarvex {
namespace {

constexpr std::size_t kMaxTipLength = 63;

TShiftState With(TShiftState state, bool TShiftState::*flag) {
  state.*flag = true;
  return state;
}

}  // namespace

TTrayIcon::~TTrayIcon() {
  enabled_ = false;
  RemoveFromTray();
}

void TTrayIcon::SetActive(bool active) {
  if (active == active_) return;
  active_ = active;
  if (active) {
    AddToTray();
  } else {
    RemoveFromTray();
  }
}

void TTrayIcon::ShellShowedIcon() {
  if (Present() && OnShown) OnShown();
}

void TTrayIcon::SetHint(const std::string& hint) {
  if (hint == hint_) return;
  hint_ = hint;
  IconOrHintChanged();
}

void TTrayIcon::SetIcon(IconHandle icon) {
  icon_ = icon;
  IconOrHintChanged();
}

NotifyIconRecord TTrayIcon::FillNotifyData() const {
  NotifyIconRecord record;
  record.icon = icon_ != 0 ? icon_ : kNoIcon;
  record.tip = ShortHint(hint_).substr(0, kMaxTipLength);
  return record;
}

void TTrayIcon::AddToTray() {
  RemoveFromTray();
  if (icon_ == 0) return;
  leftPressed_ = rightPressed_ = false;
  const NotifyIconRecord record = FillNotifyData();
  added_ = shell_.NotifyIcon(NotifyIconOperation::kAdd, record);
  if (record.tip.empty() && added_) shell_.NotifyIcon(NotifyIconOperation::kModify, record);
  // A shell that shows what it accepts (Windows) shows it now; an X11 tray reports it later.
  ShellShowedIcon();
}

void TTrayIcon::TaskbarCreated() {
  if (active_) AddToTray();
}

void TTrayIcon::RemoveFromTray() {
  shell_.NotifyIcon(NotifyIconOperation::kDelete, FillNotifyData());
  added_ = false;
  leftPressed_ = rightPressed_ = false;
}

void TTrayIcon::IconOrHintChanged() {
  if (added_) {
    if (icon_ == 0) {
      RemoveFromTray();
    } else {
      shell_.NotifyIcon(NotifyIconOperation::kModify, FillNotifyData());
    }
  } else if (active_) {
    AddToTray();  // a failed add is tried again at the next change
  }
}

void TTrayIcon::TrayWndProc(TrayMouseEvent event, int x, int y, TShiftState keys) {
  if (!enabled_) return;
  const auto down = [&](TMouseButton button, TShiftState shift) {
    if (OnMouseDown) OnMouseDown(button, shift, x, y);
  };
  const auto up = [&](TMouseButton button, TShiftState shift) {
    if (OnMouseUp) OnMouseUp(button, shift, x, y);
  };
  switch (event) {
    case TrayMouseEvent::kMove:
      if (OnMouseMove) OnMouseMove(keys, x, y);
      break;
    case TrayMouseEvent::kLeftDown:
      down(TMouseButton::mbLeft, With(keys, &TShiftState::left));
      leftPressed_ = true;
      break;
    case TrayMouseEvent::kLeftUp:
      if (leftPressed_) {
        leftPressed_ = false;
        Click(TMouseButton::mbLeft, With(keys, &TShiftState::left), x, y);
      }
      up(TMouseButton::mbLeft, With(keys, &TShiftState::left));
      break;
    case TrayMouseEvent::kLeftDoubleClick:
      DblClick();
      down(TMouseButton::mbLeft, With(keys, &TShiftState::dbl));
      break;
    case TrayMouseEvent::kRightDown:
      down(TMouseButton::mbRight, With(keys, &TShiftState::right));
      rightPressed_ = true;
      break;
    case TrayMouseEvent::kRightUp:
      if (rightPressed_) {
        rightPressed_ = false;
        Click(TMouseButton::mbRight, With(keys, &TShiftState::right), x, y);
      }
      up(TMouseButton::mbRight, With(keys, &TShiftState::right));
      break;
    case TrayMouseEvent::kRightDoubleClick:
      down(TMouseButton::mbRight, With(keys, &TShiftState::dbl));
      break;
    case TrayMouseEvent::kMiddleDown:
      down(TMouseButton::mbMiddle, With(keys, &TShiftState::middle));
      break;
    case TrayMouseEvent::kMiddleUp:
      up(TMouseButton::mbMiddle, With(keys, &TShiftState::middle));
      break;
    case TrayMouseEvent::kMiddleDoubleClick:
      down(TMouseButton::mbMiddle, With(keys, &TShiftState::dbl));
      break;
  }
}

void TTrayIcon::Click(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == TMouseButton::mbRight && ShowTrayMenu(x, y)) return;
  if (OnClick) OnClick(button, shift, x, y);
}

void TTrayIcon::DblClick() {
  if (!ClickDefaultItem() && OnDblClick) OnDblClick();
}

bool TTrayIcon::ClickDefaultItem() {
  if (!active_ || popupMenu_ == nullptr || popupMenu_->items.empty()) return false;
  for (const TMenuItem& item : popupMenu_->items) {
    if (item.isDefault && item.enabled) {
      if (item.onClick) item.onClick();
      return true;
    }
  }
  return false;
}

bool TTrayIcon::ShowTrayMenu(int x, int y) {
  if (!active_ || popupMenu_ == nullptr || !popupMenu_->autoPopup) return false;
  shell_.CancelMode();
  shell_.ForegroundTrayWindow();
  pump_.ProcessMessages();
  int chosen = -1;
  {
    const ScopeExit refront([this]() noexcept { shell_.ForegroundTrayWindow(); });
    chosen = shell_.PopupMenu(x, y);
  }
  // The chosen command runs once the menu has closed, as the menu's own message would run it.
  if (chosen >= 0 && static_cast<std::size_t>(chosen) < popupMenu_->items.size()) {
    const TMenuItem& item = popupMenu_->items[static_cast<std::size_t>(chosen)];
    if (item.enabled && item.onClick) item.onClick();
  }
  return true;
}

}  // namespace tarvex
