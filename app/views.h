// What the main window's logic asks of the controls that show it. The core owns the rows, their
// checks, the selection and the order; a view only draws what it is handed and reports clicks.
#pragma once

#include <string>
#include <vector>

#include "base/bounds.h"
#include "winlist/window_system.h"

namespace tarvex {

struct ScreenSize {
  int width = 0;
  int height = 0;
  bool operator==(const ScreenSize&) const = default;
};

struct ListRow {
  std::string caption;
  std::string processId;  // decimal text, no padding
  WinHandle handle = 0;   // never shown
  bool checked = false;
  // Who made the window when the row was made (never shown): the commands act on the handle only
  // while it still names that window.
  WindowCreator creator;
  bool operator==(const ListRow&) const = default;
};

class ListViewPort {
 public:
  virtual ~ListViewPort() = default;
  virtual void BeginUpdate() = 0;  // suspend repainting
  virtual void EndUpdate() = 0;    // resume repainting
  virtual void Clear() = 0;
  virtual void Append(const ListRow& row) = 0;
  virtual void SetChecked(int index, bool checked) = 0;
  // Selects the row and brings it into view.
  virtual void SetSelected(int index) = 0;
  virtual int ColumnCount() const = 0;
  virtual int ColumnWidth(int column) const = 0;
  virtual void SetColumnWidth(int column, int width) = 0;
  // Shows the rows anew in the given order with their checks; `selected` is -1 for none.
  virtual void ShowRows(const std::vector<ListRow>& rows, int selected) = 0;
};

class StatusBarPort {
 public:
  virtual ~StatusBarPort() = default;
  // Panel 0 holds the counters, panel 1 the refresh messages and the hint line.
  virtual void SetPanelText(int panel, const std::string& text) = 0;
};

// The main window as the toolkit holds it.
class FormHost {
 public:
  virtual ~FormHost() = default;
  // Closes the main window as its close box would, which ends the program.
  virtual void Close() = 0;
  // The text of the program's taskbar entry.
  virtual void SetApplicationTitle(const std::string& title) = 0;
  // The window's normal bounds: as it stands, maximized ones included; while it is minimized or
  // hidden, the bounds it had before.
  virtual Bounds FormBounds() const = 0;
  virtual void SetFormBounds(const Bounds& bounds) = 0;
  // The primary screen's full size, not its work area.
  virtual ScreenSize PrimaryScreen() const = 0;
  // The resolution the window is drawn at, in dots per inch: its monitor's. Bounds and column
  // widths are in its pixels; a toolkit that counts in 96-dpi units itself answers 96.
  virtual int Dpi() const = 0;
};

// Opens a web address with the user's default handler.
class WebBrowser {
 public:
  virtual ~WebBrowser() = default;
  virtual void OpenAddress(const std::string& address) = 0;
};

}  // namespace tarvex
