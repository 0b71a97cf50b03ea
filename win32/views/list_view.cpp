#include "win32/views/list_view.h"

#include <climits>
#include <stdexcept>

#include "app/form_layout.h"
#include "win32/support/utf8_text.h"

namespace tarvex::win32 {
namespace {

constexpr UINT kUnchecked = INDEXTOSTATEIMAGEMASK(1);
constexpr UINT kChecked = INDEXTOSTATEIMAGEMASK(2);

// The control copies the texts it is given; its structures just lack the const.
wchar_t* TextOf(const std::wstring& text) { return const_cast<wchar_t*>(text.c_str()); }

// The list view class's own window procedure, which every list view starts with: the one the
// subclass passes each message on to.
WNDPROC gListViewProc = nullptr;

}  // namespace

ListView::ListView(HWND parent, int id, HFONT font, DpiScale scale) {
  // The thin sunken edge is the lowered bevel of the panel the list sits in.
  window_ = ::CreateWindowExA(
      WS_EX_STATICEDGE, WC_LISTVIEWA, "",
      WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, 0, 0, 0,
      0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleA(nullptr),
      nullptr);
  if (window_ == nullptr) throw std::runtime_error("Cannot create the application list");
  // Subclassed by hand, not through the common controls' subclass chain: that chain finds its
  // data in a window property on every message, and Wine keeps properties in its window server,
  // so each message the list takes (several a row while it is filled) cost a round trip.
  gListViewProc = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(
      window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ListView::SubclassProc)));
  if (gListViewProc == nullptr) throw std::runtime_error("Cannot set up the application list");
  Send(WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  Send(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT,
       LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  for (std::size_t index = 0; index < kListColumns.size(); ++index) {
    const ListColumn& column = kListColumns[index];
    AddColumn(static_cast<int>(index), column.caption, scale(column.width),
              column.alignRight ? LVCFMT_RIGHT : LVCFMT_LEFT);
  }
}

// Version 6 of the common controls, which Windows 10 and 11 give the program through its
// manifest, toggles a row's check box on a double click. A double click must only select the
// row: the second press goes on as a single one, which selects, and on the check box itself
// toggles back what the first press toggled.
LRESULT CALLBACK ListView::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_LBUTTONDBLCLK) message = WM_LBUTTONDOWN;
  return ::CallWindowProcA(gListViewProc, window, message, wParam, lParam);
}

void ListView::SetFont(HFONT font) { Send(WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE); }

void ListView::AddColumn(int index, const char* caption, int width, int format) {
  LVCOLUMNA column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
  column.fmt = format;
  column.cx = width;
  column.pszText = const_cast<char*>(caption);
  column.iSubItem = index;
  if (Send(LVM_INSERTCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column)) < 0) {
    throw std::runtime_error("Cannot add a column to the application list");
  }
}

LRESULT ListView::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::SendMessageA(window_, message, wParam, lParam);
}

void ListView::BeginUpdate() {
  if (updateDepth_++ == 0) Send(WM_SETREDRAW, FALSE);
}

void ListView::EndUpdate() {
  if (updateDepth_ == 0 || --updateDepth_ > 0) return;
  Send(WM_SETREDRAW, TRUE);
  ::InvalidateRect(window_, nullptr, TRUE);
}

void ListView::Clear() {
  // The first list is built on an empty control: emptying it again would have it lay out its
  // header and scroll bars once more for nothing.
  if (Send(LVM_GETITEMCOUNT) == 0) return;
  OwnChange own(*this);
  Send(LVM_DELETEALLITEMS);
}

void ListView::Append(const ListRow& row) {
  OwnChange own(*this);
  InsertRow(row);
}

void ListView::InsertRow(const ListRow& row) {
  // Rows go in wide: the core's captions are UTF-8, and the control keeps UTF-16 whichever way
  // its window was created.
  // Appended past the last row, without asking the control how many it has.
  const std::wstring caption = WideFromUtf8(row.caption);
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_PARAM;
  item.iItem = INT_MAX;  // past the last row: appended
  item.pszText = TextOf(caption);
  item.lParam = static_cast<LPARAM>(row.handle);
  const auto index = static_cast<int>(Send(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  if (index < 0) throw std::runtime_error("Cannot add a row to the application list");

  const std::wstring processIdText = WideFromUtf8(row.processId);
  LVITEMW processId{};
  processId.iSubItem = 1;
  processId.pszText = TextOf(processIdText);
  Send(LVM_SETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&processId));

  // Set apart from the insert: Wine's list gives a new row the unchecked picture whatever
  // state it was inserted with.
  SetCheckState(index, row.checked);
}

void ListView::SetChecked(int index, bool checked) {
  OwnChange own(*this);
  SetCheckState(index, checked);
}

void ListView::SetCheckState(int index, bool checked) {
  LVITEMA check{};
  check.stateMask = LVIS_STATEIMAGEMASK;
  check.state = checked ? kChecked : kUnchecked;
  Send(LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&check));
}

int ListView::ColumnCount() const {
  const auto header = reinterpret_cast<HWND>(Send(LVM_GETHEADER));
  return static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
}

int ListView::ColumnWidth(int column) const {
  return static_cast<int>(Send(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column)));
}

void ListView::SetColumnWidth(int column, int width) {
  Send(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(width, 0));
}

void ListView::ShowRows(const std::vector<ListRow>& rows, int selected) {
  OwnChange own(*this);
  BeginUpdate();
  struct Resume {
    ListView& view;
    ~Resume() { view.EndUpdate(); }
  } resume{*this};
  Send(LVM_DELETEALLITEMS);
  for (const ListRow& row : rows) InsertRow(row);
  if (selected >= 0 && selected < static_cast<int>(rows.size())) SelectRow(selected);
}

void ListView::SetSelected(int index) {
  OwnChange own(*this);
  SelectRow(index);
}

void ListView::SelectRow(int index) {
  LVITEMA selection{};
  selection.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  selection.state = LVIS_SELECTED | LVIS_FOCUSED;
  Send(LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&selection));
  Send(LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
}

int ListView::SelectedIndex() const {
  return static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

bool ListView::OnNotify(const NMHDR& header) {
  if (header.hwndFrom != window_) return false;
  if (ownChanges_ > 0) return true;
  const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
  switch (header.code) {
    case LVN_ITEMCHANGED:
      OnItemChanged(change);
      break;
    case LVN_COLUMNCLICK:
      if (events_.columnClick) events_.columnClick(change.iSubItem);
      break;
    default:
      break;
  }
  return true;
}

void ListView::OnItemChanged(const NMLISTVIEW& change) {
  if ((change.uChanged & LVIF_STATE) == 0) return;
  const UINT changed = change.uNewState ^ change.uOldState;
  if ((changed & LVIS_STATEIMAGEMASK) != 0 && change.iItem >= 0 && events_.itemChecked) {
    events_.itemChecked(change.iItem, (change.uNewState & LVIS_STATEIMAGEMASK) == kChecked);
  }
  // Moving the selection deselects one row and selects another: report where it ends up.
  if ((changed & LVIS_SELECTED) != 0 && events_.selectItem) events_.selectItem(SelectedIndex());
}

}  // namespace tarvex::win32
