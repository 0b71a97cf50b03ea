// The application list: a report-view list control with check boxes that shows the rows the
// core hands it and reports the user's clicks back.
#pragma once

#include "win32/support/windows_api.h"

#include <functional>

#include "app/views.h"
#include "win32/views/dpi_scale.h"

namespace tarvex::win32 {

struct ListViewEvents {
  std::function<void(int column)> columnClick;
  std::function<void(int index, bool checked)> itemChecked;
  std::function<void(int index)> selectItem;  // -1: nothing selected
};

class ListView final : public ListViewPort {
 public:
  // The control is a child of `parent`, which destroys it.
  ListView(HWND parent, int id, HFONT font, DpiScale scale);
  ListView(const ListView&) = delete;
  ListView& operator=(const ListView&) = delete;

  // The font, at another resolution; the column widths are the form's to rescale.
  void SetFont(HFONT font);

  HWND Handle() const { return window_; }
  void SetEvents(ListViewEvents events) { events_ = std::move(events); }
  // The parent hands over every WM_NOTIFY; true when it came from this control.
  bool OnNotify(const NMHDR& header);

  void BeginUpdate() override;
  void EndUpdate() override;
  void Clear() override;
  void Append(const ListRow& row) override;
  void SetChecked(int index, bool checked) override;
  void SetSelected(int index) override;
  int ColumnCount() const override;
  int ColumnWidth(int column) const override;
  void SetColumnWidth(int column, int width) override;
  void ShowRows(const std::vector<ListRow>& rows, int selected) override;

 private:
  // Changes the program makes are not the user's: their notifications are not reported.
  class OwnChange {
   public:
    explicit OwnChange(ListView& view) : view_(view) { ++view_.ownChanges_; }
    ~OwnChange() { --view_.ownChanges_; }
    OwnChange(const OwnChange&) = delete;
    OwnChange& operator=(const OwnChange&) = delete;

   private:
    ListView& view_;
  };

  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void AddColumn(int index, const char* caption, int width, int format);
  void InsertRow(const ListRow& row);
  void SetCheckState(int index, bool checked);
  void SelectRow(int index);
  void OnItemChanged(const NMLISTVIEW& change);
  int SelectedIndex() const;
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

  HWND window_ = nullptr;
  ListViewEvents events_;
  int ownChanges_ = 0;
  int updateDepth_ = 0;
};

}  // namespace tarvex::win32
