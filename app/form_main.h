// The main window's logic: the actions and their enabled states, the commands, the counters, the
// refresh timer and the hint line. The application list, the window's settings and the tray
// presence are parts of their own that it owns and hands its events to. The edition's window
// draws what this class says and reports what the user did.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/action_id.h"
#include "app/application_list.h"
#include "app/form_size.h"
#include "app/tray_presence.h"
#include "app/views.h"
#include "app/window_settings.h"
#include "settings/ansi_code_page.h"
#include "dialogs/ignore_list_dialog_view.h"
#include "services/input_box.h"
#include "dialogs/options_dialog_view.h"
#include "settings/profile_store.h"
#include "services/text_collation.h"
#include "tray/application_window.h"
#include "app/hint_line.h"
#include "tray/hot_key.h"
#include "tray/tray_icon.h"
#include "winlist/find_win.h"

namespace tarvex {

inline constexpr const char* kMainWindowCaption = "Tarvex 1.0";
inline constexpr int kRefreshInterval = 60000;  // milliseconds

// What the edition sees of its main window and the mouse at an idle moment.
struct IdleView {
  bool windowUsable = false;  // shown, not minimized, not behind a box, dialog or menu
  bool mouseOverWindow = false;
  std::optional<ActionId> buttonUnderMouse;  // a tool bar button under the mouse
};

struct FormMainPlatform {
  WinListPlatform winList;
  const TextCollation& collation;
  ListViewPort& listView;
  StatusBarPort& statusBar;
  FormHost& host;
  WebBrowser& browser;
  ProfileStore& settings;
  IgnoreListDialogView& ignoreListDialog;
  InputBox& inputBox;
  OptionsDialogView& optionsDialog;
  TrayShell& trayShell;
  HotKeys& hotKeys;
  ApplicationWindow& application;
  const AnsiCodePage& codePage;
};

class TFormMain {
 public:
  explicit TFormMain(const FormMainPlatform& platform);
  ~TFormMain();
  TFormMain(const TFormMain&) = delete;
  TFormMain& operator=(const TFormMain&) = delete;

  // Creation: the caption becomes the program's title.
  void FormCreate();
  // The first show: the settings are read and applied, the window is kept on the screen, the
  // list is filled and the periodic refresh starts.
  void FormShow();
  // The program's start, with the main window not yet shown. A start asked to be minimized (a
  // shortcut set to "Run: Minimized") minimizes the program, to the tray when the option says
  // so, and the first show waits for the first restore, as a form started minimized is shown
  // first when it is restored. Otherwise the first show runs now.
  void Start(bool minimized);
  // The main window has moved to a monitor of another resolution: the columns keep their widths
  // in 96-dpi units.
  void FormDpiChanged(int oldDpi, int newDpi);
  // Closing: the periodic refresh stops and the window's settings are written. A failure leaves
  // the window open.
  void FormClose();
  // The desktop session ends, or the system tells the program to end, without a close: the
  // window's settings are saved as a close saves them, and nothing else changes (a session
  // manager may ask again, or the session may go on). A failure throws as the close's does.
  void WMEndSession();
  // Every way the user closes the window. When the settings cannot be written the error box says
  // why, and the user may still close without saving: otherwise a settings file that can never
  // be written (a standard user's Windows folder, a read-only file, a full disk) would leave no
  // way out but killing the process. Whether the window may close.
  bool CloseQuery();

  // Runs the action's update step, then its handler when the action is enabled, whatever invoked
  // it (button, shortcut, menu, timer or code).
  void ExecuteAction(ActionId action);
  void Timer1Timer();

  void RefreshApplicationList();
  // The caption is UTF-8; the list holds the ANSI form, which the lookup compares.
  bool IsIgnored(const std::string& caption) const;
  int CheckedCount() const;
  void ActRefreshUpdate();
  // Each time the message queue has run empty: the actions' states and the hint line catch up,
  // only while the window can be seen and used. Whether they did.
  bool Idle(const IdleView& view);

  // The hot key's message; only the program's own key restores it.
  void WMHotKey(int id);
  // The tray menu's "Restore", also run by a double click on the icon and by the hot key.
  void MnRestoreClick();
  // The application's minimized and restored notifications.
  void ApplicationEvents1Minimize();
  void ApplicationEvents1Restore();
  // The tray icon has come to stand in a notification area.
  void TrayIcon1Shown();

  // Reports from the list view.
  void ListView1ColumnClick(int column);
  void ListView1ItemChecked(int index, bool checked);
  void ListView1SelectItem(int index);  // -1: nothing selected

  const std::string& Caption() const { return caption_; }
  // The main window's own hint: no tooltip, the maker's notice on the hint line.
  std::string Hint() const;
  HintLine& Hints() { return hintLine_; }
  const std::vector<ListRow>& Rows() const { return applications_.Rows(); }
  int Selected() const { return applications_.Selected(); }
  int SortKey() const { return applications_.SortKey(); }
  bool Enabled(ActionId action) const { return enabled_[static_cast<std::size_t>(action)]; }
  const std::string& WebSiteAddress() const { return webSiteAddress_; }
  // The notification-area icon, whose hint is kept in step with the list, and its menu.
  TTrayIcon& TrayIcon1() { return presence_.Icon(); }
  const TPopupMenu& PopupMenu1() const { return presence_.Menu(); }
  const std::string& TrayHint() const { return presence_.Icon().Hint(); }
  TWinList& WinList1() { return winList1_; }

 private:
  void ActRefreshExecute();
  void ActOnCheckedRows(void (*act)(WindowSystem&, WinHandle));
  void ActSwitchToExecute();
  void ActIgnoreListExecute();
  void ActOptionsExecute();

  FormMainPlatform platform_;
  std::string caption_ = kMainWindowCaption;
  TWinList winList1_;
  std::unique_ptr<Timer> timer1_;
  HintLine hintLine_;
  TrayPresence presence_;
  ApplicationList applications_;
  WindowSettings settings_;
  std::array<bool, kActionCount> enabled_{};
  std::string webSiteAddress_;
  bool shown_ = false;
};

}  // namespace tarvex
