// The tool bar: one picture button per action of the designed layout, with the actions'
// short hints as tooltips; a click sends the action's window command to the parent.
#pragma once

#include "win32/support/windows_api.h"

#include <array>
#include <optional>

#include "app/action_id.h"
#include "win32/views/dpi_scale.h"
#include "win32/support/unique_handle.h"

namespace tarvex {
class TFormMain;
}

namespace tarvex::win32 {

class ToolBar {
 public:
  // The control is a child of `parent`, which destroys it; the pictures stay with this object.
  ToolBar(HWND parent, int id, DpiScale scale);
  ToolBar(const ToolBar&) = delete;
  ToolBar& operator=(const ToolBar&) = delete;

  // Lays the bar out anew at another resolution: pictures, buttons, indent and height.
  void Rescale(DpiScale scale);

  HWND Handle() const { return window_; }
  int Height() const { return height_; }
  // The actions' pictures, by their image index.
  HIMAGELIST Pictures() const { return pictures_.get(); }
  // Enables and disables the buttons as the form's actions are.
  void ShowEnabledStates(const TFormMain& form);
  // The action of the button at a screen point, none over a separator or outside the buttons.
  std::optional<ActionId> ActionAt(POINT screenPoint) const;
  // The parent hands over every WM_NOTIFY; true when it was the tooltip asking for a text.
  bool OnNotify(NMHDR& header);

 private:
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

  // The pictures first: the buttons' sizes follow theirs.
  UniqueImageList pictures_;
  HWND window_ = nullptr;
  int height_ = 0;
  // What the buttons show, so that only a change reaches the control.
  std::array<bool, kActionCount> shownEnabled_{};
};

}  // namespace tarvex::win32
