// The main window's logic: the application list, its sort and counters, and the enabled state
// of the actions. The edition's window draws what this class says and reports what the user did.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "app/action_id.h"
#include "app/views.h"
#include "settings/text_collation.h"
#include "winlist/find_win.h"

namespace tarvex {

inline constexpr const char* kMainWindowCaption = "Tarvex 1.0";

struct FormMainPlatform {
  WinListPlatform winList;
  const TextCollation& collation;
  ListViewPort& listView;
  StatusBarPort& statusBar;
};

class TFormMain {
 public:
  explicit TFormMain(const FormMainPlatform& platform);

  // Creation: the caption becomes the program's title.
  void FormCreate();

  // Runs the action's update step, then its handler when the action is enabled.
  void ExecuteAction(ActionId action);

  void RefreshApplicationList();
  bool IsIgnored(const std::string& caption) const;
  int CheckedCount() const;
  void ActRefreshUpdate();

  // Reports from the list view.
  void ListView1ColumnClick(int column);
  void ListView1ItemChecked(int index, bool checked);
  void ListView1SelectItem(int index);  // -1: nothing selected

  const std::string& Caption() const { return caption_; }
  const std::vector<ListRow>& Rows() const { return rows_; }
  int Selected() const { return selected_; }
  int SortKey() const { return listTag_; }
  bool Enabled(ActionId action) const { return enabled_[static_cast<std::size_t>(action)]; }
  // The notification-area icon's hint, kept in step with the list.
  const std::string& TrayHint() const { return trayHint_; }
  TWinList& WinList1() { return winList1_; }

 private:
  void ActRefreshExecute();

  FormMainPlatform platform_;
  std::string caption_ = kMainWindowCaption;
  TWinList winList1_;
  std::vector<ListRow> rows_;
  int selected_ = -1;
  int listTag_ = 1;
  std::array<bool, kActionCount> enabled_{};
  std::string trayHint_;
};

}  // namespace tarvex
